#pragma once
// The report file of the console mode: the report text as UTF-16
// little-endian code units, without byte order mark.

#include <cstdio>
#include <string>
#include <string_view>

namespace vettle {

// The 20 characters a report name may not hold.
inline constexpr std::string_view kInvalidReportNameCharacters = "%\\.\":?*<>#{}|^~[]'/;";

// False when the name part of `path` (without folder and extension) is empty
// or holds one of the invalid characters.
bool IsValidReportName(const std::string& path);

// The bytes of `utf8Text` as UTF-16 little-endian.
std::string ToUtf16LeBytes(std::string_view utf8Text);

class CReportFile
{
public:
    CReportFile() = default;
    ~CReportFile();
    CReportFile(const CReportFile&) = delete;
    CReportFile& operator=(const CReportFile&) = delete;

    // Creates the file, or truncates it when it exists.
    bool Create(const std::string& path);
    bool Append(std::string_view utf8Text);
    // Flushes and closes; false when anything written did not reach the file.
    bool Close();

private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

}  // namespace vettle
