#include "logora/engine/cmdline/MakeAbsolutePath.h"

#include "platform/paths/PathForms.h"

namespace logora {

std::string MakeAbsolutePath(const std::string& parameter, const std::string& currentDirectory)
{
    if (parameter.starts_with('/') || parameter.find("//") != std::string::npos) return parameter;
    if (currentDirectory.ends_with('/')) return currentDirectory + parameter;
    return currentDirectory + "/" + parameter;
}

std::string MakeAbsolutePath(const std::string& parameter)
{
    return MakeAbsolutePath(parameter, platform::CurrentFolder());
}

}  // namespace logora
