#include "platform/files/FileAccess.h"
#include "platform/paths/Paths.h"
#include "platform/process/ProgramInstead.h"

namespace platform {

std::string CompanionProgram(const std::string& name, const std::string& installed)
{
    const std::string folder = FolderOf(ExecutablePath());
    const std::string beside = JoinPath(folder, name);
    return PathExists(beside) ? beside : JoinPath(folder, installed);
}

}  // namespace platform
