#pragma once
// Another program run in place of this one, as though it had been started
// instead: the same standard streams, environment and working folder, and
// its exit status for the caller's; and where a program that belongs to
// this one lies.

#include <string>
#include <vector>

namespace platform {

// Runs `program` with `arguments` (without the program name) in place of
// this process, telling it that it was started as `name` (its argv[0]: a
// window system names the program's windows by it). POSIX replaces the
// process, so the call returns only when the program could not be started;
// Windows waits for it and returns its exit status. -1 with `error` when it
// could not be started.
int RunProgramInstead(const std::string& program, const std::string& name,
                      const std::vector<std::string>& arguments, std::string& error);

// The program `name` in this program's folder (a build folder, or Windows,
// where a suite's programs lie together), else the one at `installed`, a path
// relative to that folder.
std::string CompanionProgram(const std::string& name, const std::string& installed);
// That program run in place of this one (RunProgramInstead) with the
// arguments `main` got, told the name this one was started by: its exit
// status, or -1 with `error` naming it and saying why it could not start.
int RunCompanionInstead(const std::string& name, const std::string& installed, int argc, char** argv,
                        std::string& error);

}  // namespace platform
