#pragma once
// The file classes of this layer hold C runtime descriptors on every system;
// on Windows each wraps a handle opened with CreateFileW, so the wide path,
// the sharing and the 64-bit offsets are the system's own.
#include <cstdint>
#include <string>

namespace platform {

enum class OpenMode { Read, Write, ReadWrite };
enum class Existing { Open, Truncate, CreateOrTruncate, CreateOrOpen, CreateNew };

// A descriptor for `path`, or -1 with errno set. Others may read, write,
// rename and delete the file meanwhile, as they may on POSIX systems.
int OpenDescriptor(const std::string& path, OpenMode mode, Existing existing);
// The handle (a HANDLE) under a descriptor; null for -1.
void* HandleOf(int descriptor);
// Sets errno from a GetLastError() code; returns the errno value.
int SetErrnoFromWindows(unsigned long code);
// Reads or writes at a 64-bit offset: the count moved, -1 with errno set.
int64_t ReadAtOffset(int descriptor, void* buffer, size_t count, uint64_t offset);
int64_t WriteAtOffset(int descriptor, const void* data, size_t count, uint64_t offset);

}  // namespace platform
