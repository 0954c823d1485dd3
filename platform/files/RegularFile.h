#pragma once
// Inputs are read only when they are regular files (a symbolic link counts as
// what it leads to). A device, a named pipe or a folder given as an input
// would make a reader wait forever or read without end, so these are refused
// before any reader or library opens them.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct FileCheck
{
    enum class Outcome {
        Regular,
        NotRegular,  // it exists, but is a device, a pipe, a folder, ...
        CannotOpen,  // missing, or not readable
    };
    Outcome outcome = Outcome::CannotOpen;
    // Names the file and what is wrong ("<path>: is a named pipe (FIFO), not
    // a regular file"); empty for a regular file.
    std::string why;
};

// Opens `path` for reading, without waiting on a pipe, and tells what it is.
FileCheck RegularFileCheck(const std::string& path);

// The `why` of a file that is no regular file, from the type bits of its
// status mode.
std::string NotRegularFileText(const std::string& path, unsigned mode);

// Reads the whole of a regular file in pieces, never holding more than
// `limit` bytes. Empty when read; otherwise why not, naming the file: the
// check above, a size beyond `limit`, or a failed read.
std::string ReadRegularFile(const std::string& path, uint64_t limit, std::vector<uint8_t>& bytes);

// "<what>: <size> bytes, more than the limit of <limit> bytes (<n> MiB)".
std::string SizeBeyondLimitText(const std::string& what, uint64_t size, uint64_t limit);

}  // namespace platform
