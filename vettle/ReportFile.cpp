#include "vettle/ReportFile.h"

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
    Close();
}

bool CReportFile::Create(const std::string& path)
{
    Close();
    failed_ = false;
    file_ = std::fopen(path.c_str(), "wb");
    return file_ != nullptr;
}

bool CReportFile::Append(std::string_view utf8Text)
{
    if (file_ == nullptr) return false;
    const std::string bytes = ToUtf16LeBytes(utf8Text);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
    return !failed_;
}

bool CReportFile::Close()
{
    if (file_ == nullptr) return false;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed && !failed_;
}

}  // namespace vettle
