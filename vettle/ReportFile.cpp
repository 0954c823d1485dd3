#include "vettle/ReportFile.h"

#include <cerrno>
#include <filesystem>

#include "vettle/TextCodec.h"

namespace vettle {

bool IsValidReportName(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
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

CReportFile::~CReportFile()
{
    Abandon();
}

// An existing file that is neither a regular file nor a link to one.
static bool IsSpecialFile(const std::string& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return std::filesystem::exists(status) && !std::filesystem::is_regular_file(status);
}

bool CReportFile::Create(const std::string& path)
{
    Abandon();
    failed_ = false;
    error_ = 0;
    if (IsSpecialFile(path)) {
        file_ = std::fopen(path.c_str(), "wb");
    } else if (replacement_.Begin(path)) {
        file_ = std::fopen(replacement_.TemporaryPath().c_str(), "wb");
    }
    if (file_ == nullptr) {
        error_ = errno;
        replacement_.Discard();
    }
    return file_ != nullptr;
}

bool CReportFile::Append(std::string_view utf8Text)
{
    if (file_ == nullptr) return false;
    const std::string bytes = ToUtf16LeBytes(utf8Text);
    if (!failed_ && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        failed_ = true;
        error_ = errno;
    }
    return !failed_;
}

bool CReportFile::Close()
{
    if (file_ == nullptr) return false;
    bool written = std::fclose(file_) == 0 && !failed_;
    file_ = nullptr;
    if (!written && error_ == 0) error_ = errno;
    if (!replacement_.TemporaryPath().empty()) {
        if (written && !replacement_.Commit()) {
            written = false;
            error_ = errno;
        }
        replacement_.Discard();
    }
    return written;
}

void CReportFile::Abandon()
{
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    replacement_.Discard();
}

}  // namespace vettle
