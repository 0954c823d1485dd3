#pragma once
// A fresh folder under the system's temporary folder, removed with its
// content when the object goes.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& path);

}  // namespace testsupport
