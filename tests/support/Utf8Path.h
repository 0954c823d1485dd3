#pragma once
// Paths in the tests are UTF-8 strings, as in the programs. The file system
// library takes and gives them as char8_t: a plain string would be read in
// the ANSI code page on Windows.

#include <filesystem>
#include <string>

namespace testsupport {

inline std::filesystem::path Utf8Path(const std::string& utf8)
{
    return std::u8string(utf8.begin(), utf8.end());
}

inline std::string Utf8Of(const std::filesystem::path& path)
{
    const std::u8string utf8 = path.u8string();
    return {utf8.begin(), utf8.end()};
}

}  // namespace testsupport
