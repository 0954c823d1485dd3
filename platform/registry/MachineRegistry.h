#pragma once
// Machine-wide values of the Windows registry and the shell's machine-wide
// folders (Windows only).
#include <optional>
#include <string>

namespace platform {

// The text value `value` of the key `key` below HKEY_LOCAL_MACHINE, opened
// for reading, in the program's own registry view or else in the other one
// (32 or 64 bits); a REG_EXPAND_SZ value with its variables expanded. nullopt
// when the key or the value is missing, the value is no text, or it is longer
// than 260 characters.
std::optional<std::string> MachineRegistryText(const std::string& key, const std::string& value);

// The common program files folder ("C:\Program Files\Common Files"); empty
// when the shell cannot tell.
std::string CommonProgramFilesFolder();

}  // namespace platform
