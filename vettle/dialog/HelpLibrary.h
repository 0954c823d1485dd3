#pragma once
// The help library, loaded when help is first asked for rather than linked,
// so that the program runs where it is not installed.

#include <string>
#include <vector>

#include "platform/library/SharedLibrary.h"

namespace vettle {

class HelpLibrary
{
public:
    // The places tried in order: the library's own name (the loader's search
    // path), the install folder, and beside the program.
    static std::vector<std::string> DefaultCandidates();

    explicit HelpLibrary(std::vector<std::string> candidates = DefaultCandidates());
    HelpLibrary(const HelpLibrary&) = delete;
    HelpLibrary& operator=(const HelpLibrary&) = delete;

    // Calls InvokeHelpW with no window. False when the library could not be
    // loaded or the help was not opened.
    bool InvokeHelp(const std::u16string& helpFile, unsigned int command, int contextId);

private:
    bool Load();

    std::vector<std::string> candidates_;
    platform::SharedLibrary library_;
    int (*invokeHelpW_)(void*, const char16_t*, unsigned int, int) = nullptr;
};

}  // namespace vettle
