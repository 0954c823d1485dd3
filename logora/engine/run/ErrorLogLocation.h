#pragma once
// Where the error log of command-line mode goes. Beside the program, as on
// the stations, when its folder may be written; a program installed for all
// users (/usr/bin) cannot write there, so its log goes to the user's state
// folder under the same name instead of being dropped.

#include <string>

namespace logora {

struct ErrorLogLocation
{
    std::string path;  // empty when the program's path is unknown
    bool besideProgram = true;
};

// `besideLog` is the log's path beside the program.
ErrorLogLocation ChooseErrorLogLocation(const std::string& besideLog);

}  // namespace logora
