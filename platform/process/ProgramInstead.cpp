#include "platform/process/ProgramInstead.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace platform {

int RunProgramInstead(const std::string& program, const std::string& name,
                      const std::vector<std::string>& arguments, std::string& error)
{
    std::vector<char*> argv{const_cast<char*>(name.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    // What this process buffered would be lost with it.
    std::fflush(nullptr);
    execv(program.c_str(), argv.data());
    error = std::strerror(errno);
    return -1;
}

}  // namespace platform
