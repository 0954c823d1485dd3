#include "vettle/ReportFile.h"

#include <cerrno>
#include <system_error>

#include "platform/files/FileAccess.h"
#include "platform/signals/Interrupts.h"

#include "vettle/TextCodec.h"

namespace vettle {

bool IsValidReportName(const std::string& path, std::string_view separators)
{
    const size_t separator = path.find_last_of(separators);
    const std::string file = separator == std::string::npos ? path : path.substr(separator + 1);
    const size_t dot = file.rfind('.');
    const std::string name = dot == std::string::npos ? file : file.substr(0, dot);
    return !name.empty() && name.find_first_of(kInvalidReportNameCharacters) == std::string::npos;
}

std::string ToUtf16LeBytes(std::string_view utf8Text)
{
    const std::u16string units = DecodeUtf8(utf8Text);
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t unit : units) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

ReportFile::~ReportFile()
{
    Abandon();
}

void ReportFile::NoteFailure()
{
    failed_ = true;
    if (failure_.empty()) failure_ = std::generic_category().message(errno);
}

bool ReportFile::Create(const std::string& path, ReportEncoding encoding)
{
    Abandon();
    encoding_ = encoding;
    failed_ = false;
    failure_.clear();
    if (platform::IsOtherThanRegularFile(path)) {
        if (device_.Open(path, platform::Interrupted)) return true;
        failure_ = device_.Failure();
        return false;
    }
    if (replacement_.Begin(path) && file_.Open(replacement_.TemporaryPath())) return true;
    NoteFailure();
    replacement_.Discard();
    return false;
}

bool ReportFile::Append(std::string_view utf8Text)
{
    const std::string bytes =
        encoding_ == ReportEncoding::Utf8 ? std::string(utf8Text) : ToUtf16LeBytes(utf8Text);
    if (device_.IsOpen()) {
        if (!device_.Write(bytes.data(), bytes.size())) failure_ = device_.Failure();
        return device_.Failure().empty();
    }
    if (!file_.IsOpen()) return false;
    if (!failed_ && !file_.Write(bytes.data(), bytes.size())) NoteFailure();
    return !failed_;
}

bool ReportFile::Close()
{
    if (device_.IsOpen()) {
        if (!device_.Close()) failure_ = device_.Failure();
        return failure_.empty();
    }
    if (!file_.IsOpen()) return false;
    if (!file_.Close()) NoteFailure();
    if (!failed_ && !replacement_.Commit()) NoteFailure();
    replacement_.Discard();
    return !failed_;
}

void ReportFile::Abandon()
{
    file_.Close();
    device_.Close();
    replacement_.Discard();
}

}  // namespace vettle
