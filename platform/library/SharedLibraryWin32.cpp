
#include <windows.h>

#include "platform/library/SharedLibrary.h"
#include "platform/win32/WideText.h"

namespace platform {

SharedLibrary::~SharedLibrary()
{
    Unload();
}

bool SharedLibrary::Load(const std::string& path)
{
    Unload();
    handle_ = LoadLibraryW(Widen(path).c_str());
    return handle_ != nullptr;
}

void SharedLibrary::Unload()
{
    if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
}

void* SharedLibrary::Symbol(const char* name) const
{
    return handle_ != nullptr ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name))
                              : nullptr;
}

}  // namespace platform
