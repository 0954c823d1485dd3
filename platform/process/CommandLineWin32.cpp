#include "platform/process/CommandLineWin32.h"

#include "platform/win32/WideText.h"

namespace platform {

namespace {

void AppendQuoted(std::wstring& line, const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += argument;
        return;
    }
    line += L'"';
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count as such only before a quote: there each is doubled.
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

}  // namespace

std::wstring WindowsCommandLine(const std::string& program, const std::vector<std::string>& arguments)
{
    std::wstring line;
    AppendQuoted(line, Widen(program));
    for (const std::string& argument : arguments) {
        line += L' ';
        AppendQuoted(line, Widen(argument));
    }
    return line;
}

}  // namespace platform
