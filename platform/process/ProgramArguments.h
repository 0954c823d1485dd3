#pragma once
// The arguments a program was started with, in UTF-8 whatever the system.
#include <string>
#include <vector>

namespace platform {

// The arguments after the program name. On Windows they are read from the
// wide command line (CommandLineToArgvW), so that file names with any
// characters survive, and their wildcards are expanded, which no Windows
// shell does; elsewhere they are `argv` as given.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace platform
