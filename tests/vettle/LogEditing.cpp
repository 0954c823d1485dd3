#include "tests/vettle/LogEditing.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "vettle/TextCrc32.h"

namespace vettle::test {

std::vector<std::string> SplitLines(const std::string& file)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < file.size()) {
        const size_t end = file.find("\r\n", start);
        const size_t next = end == std::string::npos ? file.size() : end + 2;
        lines.push_back(file.substr(start, next - start));
        start = next;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string file;
    for (const std::string& line : lines) file += line;
    return file;
}

std::string MarkedLine(const std::string& text, int32_t low, int32_t high, const std::string& guid)
{
    return text + "," + integritycsv::MarkerField(BytesCrc32(text + "\r\n"), guid, low, high) + "\r\n";
}

std::string TrailerWithLineEnd(int64_t rows, int headerCommas, bool withChecksum, const std::string& guid)
{
    return integritycsv::TrailerLine(guid, rows, headerCommas, withChecksum) + "\r\n";
}

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vettle-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const
{
    const std::string path = path_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace vettle::test
