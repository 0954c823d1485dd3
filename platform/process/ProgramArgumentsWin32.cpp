#include <windows.h>

#include <shellapi.h>

#include "platform/process/ProgramArguments.h"
#include "platform/process/WildcardArgumentsWin32.h"
#include "platform/win32/WideText.h"

namespace platform {

std::vector<std::string> ProgramArguments(int, char**)
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (wide == nullptr) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(Narrow(wide[i]));
    LocalFree(wide);
    return WithWildcardsExpanded(arguments);
}

}  // namespace platform
