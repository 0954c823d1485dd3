#pragma once
// Another program run in place of this one, as though it had been started
// instead: the same standard streams, environment and working folder, and
// its exit status for the caller's.

#include <string>
#include <vector>

namespace platform {

// Runs `program` with `arguments` (without the program name) in place of
// this process. POSIX replaces the process, so the call returns only when
// the program could not be started; Windows waits for it and returns its
// exit status. -1 with `error` when it could not be started.
int RunProgramInstead(const std::string& program, const std::vector<std::string>& arguments,
                      std::string& error);

}  // namespace platform
