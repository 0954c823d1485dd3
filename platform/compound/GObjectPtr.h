#pragma once
// Owning pointer for GObject-derived library objects (libgsf inputs and
// infiles): the reference is dropped on every path out of a scope.

#include <glib-object.h>

#include <memory>

namespace platform {

struct GObjectUnref
{
    void operator()(void* object) const
    {
        if (object) g_object_unref(object);
    }
};

template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

}  // namespace platform
