#pragma once
// A shared library loaded at run time, unloaded on destruction.

#include <string>

namespace platform {

class SharedLibrary
{
public:
    SharedLibrary() = default;
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // Loads `path` (a bare name is looked up on the loader's search path),
    // resolving all its symbols now and keeping them out of the global
    // scope. Unloads any library loaded before. False when it cannot.
    bool Load(const std::string& path);
    void Unload();
    bool IsLoaded() const { return handle_ != nullptr; }

    // The address of the exported function or object `name`; null when the
    // library has none of that name or none is loaded.
    void* Symbol(const char* name) const;

private:
    void* handle_ = nullptr;
};

}  // namespace platform
