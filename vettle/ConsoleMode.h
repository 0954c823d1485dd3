#pragma once
// The console mode: parses the arguments, checks the named data logs one
// after another on a worker thread each, and prints the report or writes it
// to a report file.

#include <ostream>
#include <string>
#include <vector>

namespace vettle {

// Exit statuses of the console mode.
enum ExitStatus : int {
    kExitPassed = 0,    // every file passed (or help was shown)
    kExitTampered = 1,  // a file has findings or unusable integrity data
    kExitTrouble = 2,   // a usage error, or a file that could not be found, read or written
};

// `arguments` without the program name; `out` stands for standard output.
int RunConsoleMode(const std::vector<std::string>& arguments, std::ostream& out);

}  // namespace vettle
