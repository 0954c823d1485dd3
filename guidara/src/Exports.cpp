// The library's C interface. Nothing may leave through it but the result,
// so every entry point catches whatever the C++ inside throws.
#include "guidara/include/guidara.h"

#include "guidara/src/Diagnostics.h"
#include "guidara/src/HelpInvoker.h"
#include "guidara/src/PageOpener.h"
#include "guidara/src/Utf16.h"

namespace {

template <typename Call>
int Guarded(Call call) noexcept
{
    try {
        return call();
    } catch (...) {
        guidara::Diagnose("help request failed with an internal error");
        return 0;
    }
}

}  // namespace

extern "C" {

int InvokeHelpW(void* /*window*/, const char16_t* helpFilePath, unsigned int /*command*/, int contextId)
{
    if (helpFilePath == nullptr) return 0;
    return Guarded([&] { return guidara::InvokeHelp(helpFilePath, contextId); });
}

int InvokeHelpA(void* /*window*/, const char* helpFilePath, unsigned int /*command*/, int contextId)
{
    if (helpFilePath == nullptr) return 0;
    return Guarded([&] { return guidara::InvokeHelp(guidara::WidenBytes(helpFilePath), contextId); });
}

int InvokeHelpDirectW(const char16_t* pageFile)
{
    if (pageFile == nullptr) return 0;
    return Guarded([&] { return guidara::OpenHelpPage(pageFile); });
}

int InvokeHelpDirectA(const char* pageFile)
{
    if (pageFile == nullptr) return 0;
    return Guarded([&] { return guidara::OpenHelpPage(guidara::WidenBytes(pageFile)); });
}

}  // extern "C"
