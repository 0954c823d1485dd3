#pragma once
// Test support: data logs from the generator, edited the way tampering would
// edit them, and temporary folders.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/integrity-csv/IntegrityLogWriter.h"

namespace vettle::test {

// The physical lines of a file, each with its CR LF (the last one may lack it).
std::vector<std::string> SplitLines(const std::string& file);
std::string JoinLines(const std::vector<std::string>& lines);

// A logical line as the logger writes it: text, marker with order number
// low/high, CR LF.
std::string MarkedLine(const std::string& text, int32_t low, int32_t high,
                       const std::string& guid = integritycsv::LogOptions().guid);
std::string TrailerWithLineEnd(int64_t rows, int headerCommas, bool withChecksum = true,
                               const std::string& guid = integritycsv::LogOptions().guid);

// A folder under /tmp removed with everything in it at the end of the test.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Writes `bytes` to a file in the folder and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);

}  // namespace vettle::test
