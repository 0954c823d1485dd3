#include "platform/files/FileAccess.h"
#include "platform/paths/Paths.h"
#include "platform/process/ProgramArguments.h"
#include "platform/process/ProgramInstead.h"

namespace platform {

std::string CompanionProgram(const std::string& name, const std::string& installed)
{
    const std::string folder = FolderOf(ExecutablePath());
    const std::string beside = JoinPath(folder, name);
    return PathExists(beside) ? beside : JoinPath(folder, installed);
}

int RunCompanionInstead(const std::string& name, const std::string& installed, int argc, char** argv,
                        std::string& error)
{
    const std::string program = CompanionProgram(name, installed);
    const int status =
        RunProgramInstead(program, argc > 0 ? argv[0] : program, ProgramArguments(argc, argv), error);
    if (status < 0) error = program + ": " + error;
    return status;
}

}  // namespace platform
