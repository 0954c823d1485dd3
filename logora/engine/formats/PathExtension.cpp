#include "logora/engine/formats/PathExtension.h"

#include <cctype>

namespace logora {

std::string ExtensionOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot <= nameStart) return {};
    return path.substr(dot);
}

std::string UpperExtensionOf(const std::string& path)
{
    std::string extension = ExtensionOf(path);
    for (char& c : extension) c = char(std::toupper(static_cast<unsigned char>(c)));
    return extension;
}

}  // namespace logora
