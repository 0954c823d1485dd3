#include <windows.h>

#include <cstdio>

#include "platform/process/CommandLineWin32.h"
#include "platform/process/ProgramInstead.h"
#include "platform/win32/WideText.h"

namespace platform {

// Windows cannot replace a process: the program runs as a child that takes
// this process's standard handles, and this one waits for its status.
int RunProgramInstead(const std::string& program, const std::string& name,
                      const std::vector<std::string>& arguments, std::string& error)
{
    std::fflush(nullptr);
    std::wstring commandLine = WindowsCommandLine(name, arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(Widen(program).c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_UNICODE_ENVIRONMENT, nullptr, nullptr, &startup, &started)) {
        error = WindowsErrorText(GetLastError());
        return -1;
    }
    CloseHandle(started.hThread);
    DWORD status = 0;
    const bool ended = WaitForSingleObject(started.hProcess, INFINITE) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(started.hProcess, &status);
    if (!ended) error = WindowsErrorText(GetLastError());
    CloseHandle(started.hProcess);
    return ended ? static_cast<int>(status) : -1;
}

}  // namespace platform
