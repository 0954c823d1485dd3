#pragma once
// Owning pointer for the COM objects of structured storage on Windows: the
// reference is released on every path out of a scope.
#include <memory>

struct IStorage;
struct IStream;

namespace platform {

void ReleaseCom(IStorage* object);
void ReleaseCom(IStream* object);

struct ComRelease
{
    template <typename T>
    void operator()(T* object) const
    {
        if (object) ReleaseCom(object);
    }
};

template <typename T>
using ComPtr = std::unique_ptr<T, ComRelease>;

}  // namespace platform
