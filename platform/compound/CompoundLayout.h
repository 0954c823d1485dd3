#pragma once
// The structure of a compound file checked before a reader walks it: the
// header, the sector tables, the chains of sectors and the directory tree. A
// reader handed a chain that loops, a tree whose branches lead back to the
// root or a stream larger than the file reads nothing, reads for ever or
// reads beyond the file; these are refused here as damage instead.

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "platform/files/InputFile.h"

namespace platform {

struct CompoundLayoutCheck
{
    enum class Outcome { Sound, Damaged, Unreadable };
    Outcome outcome = Outcome::Sound;
    // Damaged: what is wrong, without the file's name. Unreadable: why the
    // bytes could not be read, naming the file.
    std::string detail;
};

// Fills `out` with the bytes at `offset`, all of which lie inside the file:
// empty, or why they could not be read, naming the file.
using CompoundByteReader = std::function<std::string(uint64_t offset, std::span<uint8_t> out)>;

// True when `head` begins with the 8 bytes of the compound file signature.
bool StartsWithCompoundSignature(std::span<const uint8_t> head);
// The same for the first bytes of the file at `path`; false also when they
// cannot be read.
bool FileStartsWithCompoundSignature(const std::string& path);

// Checks a file that starts with the signature.
CompoundLayoutCheck CheckCompoundLayout(uint64_t fileSize, const CompoundByteReader& read);
CompoundLayoutCheck CheckCompoundLayout(std::span<const uint8_t> file);
// Reads the file at `path` where the check needs it.
CompoundLayoutCheck CheckCompoundFileLayout(const std::string& path);

// Fills all of `out` from `offset` of `file`, opened from `path`: empty, or
// why not, naming the file.
std::string ReadAllAt(InputFile& file, const std::string& path, uint64_t offset, std::span<uint8_t> out);

// "<path>: a damaged compound file: <detail>".
std::string DamagedCompoundFile(const std::string& path, const std::string& detail);
// Why a check that was not sound refuses the file at `path`, naming it.
std::string CompoundLayoutFailure(const std::string& path, const CompoundLayoutCheck& check);

}  // namespace platform
