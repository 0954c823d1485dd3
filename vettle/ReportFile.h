#pragma once
// The report file of the console mode: the report text as UTF-16
// little-endian code units, without byte order mark, or the JSON report in
// UTF-8.

#include <string>
#include <string_view>

#include "platform/files/DeviceOutput.h"
#include "platform/files/OutputFile.h"
#include "platform/files/ReplacementFile.h"
#include "platform/paths/Paths.h"

namespace vettle {

// The 20 characters a report name may not hold.
inline constexpr std::string_view kInvalidReportNameCharacters = "%\\.\":?*<>#{}|^~[]'/;";

// False when the name part of `path` (after the last of `separators`, without
// the extension) is empty or holds one of the invalid characters.
bool IsValidReportName(const std::string& path, std::string_view separators = platform::FolderSeparators());

// The bytes of `utf8Text` as UTF-16 little-endian.
std::string ToUtf16LeBytes(std::string_view utf8Text);

// The report is written to a temporary file beside `path` and replaces the
// file there only once complete, so a failed write (a full disk) leaves the
// previous report as it was. A path naming an existing device or pipe is
// written directly, as there is no file to keep and it must not be replaced;
// a named pipe that no program reads is refused, and Ctrl+C or SIGTERM end a
// write that waits for its reader.
enum class ReportEncoding { Utf16Le, Utf8 };

class ReportFile
{
public:
    ReportFile() = default;
    ~ReportFile();
    ReportFile(const ReportFile&) = delete;
    ReportFile& operator=(const ReportFile&) = delete;

    // Starts the report; false when it cannot be written at `path`.
    bool Create(const std::string& path, ReportEncoding encoding = ReportEncoding::Utf16Le);
    // Writes UTF-8 text in the report's encoding.
    bool Append(std::string_view utf8Text);
    // Finishes the report and puts it in place; false when anything written
    // did not reach the file, which then stays as it was.
    bool Close();
    // Why the last Create, Append or Close failed.
    const std::string& Failure() const { return failure_; }

private:
    // Closes the file without putting the report in place.
    void Abandon();

    // Notes the reason of a failed file operation, unless one is noted.
    void NoteFailure();

    platform::OutputFile file_;
    platform::ReplacementFile replacement_;
    platform::DeviceOutput device_;
    ReportEncoding encoding_ = ReportEncoding::Utf16Le;
    bool failed_ = false;
    std::string failure_;
};

}  // namespace vettle
