#include "logora/engine/cmdline/MakeAbsolutePath.h"

#include <filesystem>
#include <system_error>

namespace logora {

std::string MakeAbsolutePath(const std::string& parameter, const std::string& currentDirectory)
{
    if (parameter.starts_with('/') || parameter.find("//") != std::string::npos) return parameter;
    if (currentDirectory.ends_with('/')) return currentDirectory + parameter;
    return currentDirectory + "/" + parameter;
}

std::string MakeAbsolutePath(const std::string& parameter)
{
    std::error_code error;
    const auto current = std::filesystem::current_path(error);
    return MakeAbsolutePath(parameter, error ? std::string() : current.string());
}

}  // namespace logora
