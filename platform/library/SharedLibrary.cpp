#include "platform/library/SharedLibrary.h"

#include <dlfcn.h>

namespace platform {

SharedLibrary::~SharedLibrary()
{
    Unload();
}

bool SharedLibrary::Load(const std::string& path)
{
    Unload();
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle_ != nullptr;
}

void SharedLibrary::Unload()
{
    if (handle_ != nullptr) dlclose(handle_);
    handle_ = nullptr;
}

void* SharedLibrary::Symbol(const char* name) const
{
    return handle_ != nullptr ? dlsym(handle_, name) : nullptr;
}

}  // namespace platform
