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

// Where the console mode writes: `out` the texts and reports of the flow,
// `err` the reasons for an exit status that the flow's texts do not give.
struct ConsoleStreams
{
    std::ostream& out;
    std::ostream& err;
};

// `arguments` without the program name.
int RunConsoleMode(const std::vector<std::string>& arguments, const ConsoleStreams& streams);

}  // namespace vettle
