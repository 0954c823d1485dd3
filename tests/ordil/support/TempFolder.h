// A fresh folder directly under /tmp, removed with everything in it at the end
// of a test. Directly under /tmp so that "\\tmp\<name>" names it as a share.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace ordil::test {

class TempFolder
{
public:
    TempFolder()
    {
        std::string pattern = "/tmp/ordil-test-XXXXXX";
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
        path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string name() const { return path_.filename().string(); }

    std::filesystem::path write(const std::string& name, const std::string& bytes) const
    {
        std::filesystem::path file = path_ / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

private:
    std::filesystem::path path_;
};

// An ASCII text as the library takes it.
inline std::u16string u16(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

inline std::string readAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace ordil::test
