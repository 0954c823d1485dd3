#pragma once
// The record numbers of a sort order, 4 bytes a record: in memory, or, for
// tables beyond what memory should hold, in a temporary file read through a
// sliding window.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "logora/engine/largefile/MappingErrorSink.h"

namespace logora {
class CLargeFile;
class TemporaryTable;
}  // namespace logora

namespace logora::ui {

class RecordIndex
{
public:
    RecordIndex();
    explicit RecordIndex(std::vector<uint32_t> records);
    // A finished file of `count` record numbers, which the index then owns;
    // its failed reads go to `mappingErrors`.
    RecordIndex(std::unique_ptr<TemporaryTable> file, uint64_t count, const MappingErrorSink& mappingErrors);
    RecordIndex(RecordIndex&&) noexcept;
    RecordIndex& operator=(RecordIndex&&) noexcept;
    ~RecordIndex();

    size_t size() const { return static_cast<size_t>(count_); }
    bool empty() const { return count_ == 0; }
    bool InFile() const { return file_ != nullptr; }
    // 0 for an entry the file cannot give (it was cut short meanwhile).
    uint32_t operator[](size_t i) const;

private:
    std::vector<uint32_t> memory_;
    std::unique_ptr<TemporaryTable> file_;
    std::unique_ptr<CLargeFile> reader_;
    uint64_t count_ = 0;
};

// Writes fixed-size entries front to back into a new temporary file.
class TemporaryWriter
{
public:
    // Failed writes go to `mappingErrors`.
    explicit TemporaryWriter(const MappingErrorSink& mappingErrors);
    ~TemporaryWriter();
    // False when no temporary file can be created (in the temporary folder,
    // else beside `nearPath`).
    bool Create(const std::string& nearPath);
    void Append(const void* data, size_t length);
    // Flushes and closes; false when any write failed. The file stays.
    bool Finish();
    std::unique_ptr<TemporaryTable> TakeFile();
    const std::string& Path() const;

private:
    MappingErrorSink mappingErrors_;
    std::unique_ptr<TemporaryTable> file_;
    std::unique_ptr<CLargeFile> writer_;
    std::vector<uint8_t> buffer_;
};

}  // namespace logora::ui
