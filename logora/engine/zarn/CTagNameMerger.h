#pragma once
// Merges a Zarn data file with its "(Tagname).DAT" tag file into one table
// whose records carry the tag name (C 255 "Tagname") in place of the tag
// number ("TagIndex", 5 characters).
//
// Open checks the data file's layout and reads the tag names, so a data file
// that is a tag file, lacks a usable "TagIndex" field, has a header that does
// not fit the file, or has no readable tag file is refused there: the caller
// then loads the data file as it is. Convert fails with an exception (an
// unreadable record or tag number, a write error); the table then holds the
// records written so far, and its header says so.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "logora/engine/largefile/CLargeFile.h"
#include "logora/engine/zarn/SequentialFileWriter.h"

namespace logora {

class ZarnMergeError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class CTagNameMerger
{
public:
    static constexpr uint32_t kTagNameLength = 255;
    static constexpr uint32_t kTagIndexLength = 5;

    CTagNameMerger() = default;

    bool Open(const std::string& dataPath);
    // Opens the existing (empty) file at `path` for writing.
    bool CreateOutput(const std::string& path);
    // Writes the merged table; throws ZarnMergeError or FileWriteError.
    void Convert();

    const std::vector<std::string>& GetTagNames() const { return tagNames_; }

private:
    bool ReadDataLayout();
    bool ReadTagNames();
    void WriteHeader();
    void WriteRecords(uint32_t& written);
    const std::string& TagNameOf(const uint8_t* digits, uint32_t record) const;
    void MarkRecordsWritten(uint32_t written);

    CLargeFile dataFile_;
    SequentialFileWriter output_;
    CLargeFile tagFile_;
    std::string tagPath_;
    std::string dataPath_;
    std::vector<std::string> tagNames_;
    bool tagFileOpen_ = false;

    uint32_t recordCount_ = 0;
    uint32_t recordLength_ = 0;
    uint32_t headerLength_ = 0;
    uint32_t tagIndexDisplacement_ = 0;
    uint32_t bytesBehindTagIndex_ = 0;
    // The data file's header and descriptors as read, for the output.
    std::vector<uint8_t> header_;
    uint32_t fieldCount_ = 0;
    int tagIndexField_ = -1;
};

}  // namespace logora
