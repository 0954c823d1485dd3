#include "logora/engine/alarm/FileBytes.h"

#include <filesystem>
#include <fstream>

namespace logora {

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    const auto size = std::filesystem::file_size(path, error);
    if (error) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.resize(static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return !in.bad();
}

}  // namespace logora
