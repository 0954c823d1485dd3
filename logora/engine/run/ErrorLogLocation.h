#pragma once
// Where the error log of command-line mode goes. Beside the program, as on
// the stations, when its folder may be written; a program installed for all
// users (under /usr or /opt, Program Files) keeps its log in the user's state
// folder under the same name instead, whoever runs it.

#include <string>

namespace logora {

struct ErrorLogLocation
{
    std::string path;  // empty when the program's path is unknown
    bool besideProgram = true;
    // In the state folder because the program is installed for all users:
    // its usual place, not worth a note.
    bool installed = false;
    // Where the log goes when a write to `path` fails after all (a probe of
    // the folder can pass where the write does not); empty when `path` is
    // already there or no state folder is known.
    std::string fallback;
};

// `besideLog` is the log's path beside the program.
ErrorLogLocation ChooseErrorLogLocation(const std::string& besideLog);

}  // namespace logora
