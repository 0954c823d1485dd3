#pragma once
// A file written front to back with plain writes: for text outputs such as
// CSV files, where the page-by-page faults and zero-filling of a growing
// file mapping would cost more than the formatting itself. Remembers the
// first failed write, so a writer can check once at the end.

#include <cstddef>
#include <string>

namespace platform {

class OutputFile
{
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the file, or empties an existing one. False when it cannot.
    bool Open(const std::string& path);
    // Writes to the program's standard output (in binary on Windows), which
    // Close leaves open for the program's other texts.
    bool OpenStandardOutput();
    // Writes all `length` bytes (retrying short and interrupted writes).
    // False, and every later write too, once one failed.
    bool Write(const void* data, size_t length);
    // Closes the file; false when a write or the close itself failed.
    bool Close();

    bool IsOpen() const { return descriptor_ >= 0; }
    bool Failed() const { return failed_; }

private:
    int descriptor_ = -1;
    bool ownsDescriptor_ = true;
    bool failed_ = false;
};

}  // namespace platform
