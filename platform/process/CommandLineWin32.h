#pragma once
// The one string a Windows program is started with, which it splits again
// into its arguments (CommandLineToArgvW, the C runtime).
#include <string>
#include <vector>

namespace platform {

// `program` and `arguments`, each quoted so that it comes back unchanged:
// spaces, quotes and backslashes before quotes included.
std::wstring WindowsCommandLine(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace platform
