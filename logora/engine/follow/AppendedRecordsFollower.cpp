#include "logora/engine/follow/AppendedRecordsFollower.h"

#include <algorithm>
#include <cstring>

#include "logora/engine/dbf/DBFStructures.h"
#include "platform/mapping/FileByteSource.h"

namespace logora {

namespace {

bool ReadExactly(const platform::FileByteSource& file, uint8_t* into, size_t length, uint64_t offset)
{
    return file.ReadAt(into, length, offset) == static_cast<int64_t>(length);
}

}  // namespace

AppendedRecordsFollower::AppendedRecordsFollower(std::string path, int64_t recordsRead,
                                                 const std::vector<uint8_t>& /*headerRead*/)
    : path_(std::move(path))
{
    const InputGrowth first = ReadBeyondLast(false, recordsRead);
    if (first.kind == InputGrowth::Kind::Moved) moved_ = first.why;
}

InputGrowth AppendedRecordsFollower::Look()
{
    if (moved_.empty()) {
        InputGrowth growth = ReadBeyondLast(true, kAll);
        if (growth.kind != InputGrowth::Kind::Moved) return growth;
        moved_ = std::move(growth.why);
    }
    return InputGrowth::Moved(moved_);
}

InputGrowth AppendedRecordsFollower::ReadBeyondLast(bool keep, int64_t upTo)
{
    platform::FileByteSource file;
    if (file.Open(path_) != platform::FileByteSource::OpenResult::Opened)
        return InputGrowth::Moved(path_ + " can no longer be read");
    uint8_t bytes[kDBFHeaderSize];
    if (!ReadExactly(file, bytes, sizeof bytes, 0))
        return InputGrowth::Moved(path_ + " shrank: it no longer holds a whole header");
    const DBFHeader header = DBFHeader::Decode(bytes);
    if (recordLength_ == 0) {
        headerLength_ = header.headerLength;
        recordLength_ = header.recordLength;
        if (recordLength_ == 0) return InputGrowth::Moved(path_ + ": its header gives records no length");
    }
    if (header.headerLength != headerLength_ || header.recordLength != recordLength_) {
        return InputGrowth::Moved(path_ + " was replaced: its records are now " +
                                  std::to_string(header.recordLength) + " bytes behind a header of " +
                                  std::to_string(header.headerLength) + ", not " +
                                  std::to_string(recordLength_) + " behind " + std::to_string(headerLength_));
    }
    if (int64_t{header.recordCount} < read_) {
        return InputGrowth::Moved(path_ + " shrank: it holds " + std::to_string(header.recordCount) +
                                  " records, fewer than the " + std::to_string(read_) + " read");
    }
    const uint64_t size = file.Size();
    const auto recordOffset = [&](int64_t record) {
        return headerLength_ + static_cast<uint64_t>(record) * recordLength_;
    };
    if (read_ > 0) {
        std::vector<uint8_t> last(recordLength_);
        if (!ReadExactly(file, last.data(), last.size(), recordOffset(read_ - 1)))
            return InputGrowth::Moved(path_ + " shrank: record " + std::to_string(read_) + " is gone");
        if (last != lastRecord_)
            return InputGrowth::Moved(path_ + " was replaced: record " + std::to_string(read_) +
                                      " is no longer the one read");
    }
    // Records the header counts but the file does not hold yet are read
    // once they are written.
    const int64_t held =
        size < headerLength_ ? 0 : static_cast<int64_t>((size - headerLength_) / recordLength_);
    const int64_t most = keep ? read_ + static_cast<int64_t>(kMostRecordsPerLook) : upTo;
    const int64_t end = std::min({int64_t{header.recordCount}, held, upTo, most});
    if (upTo != kAll && end < upTo) return InputGrowth::Moved(path_ + " changed while it was opened");
    InputGrowth growth;
    growth.recordLength = recordLength_;
    if (end <= read_) return growth;
    growth.kind = InputGrowth::Kind::Added;
    growth.count = static_cast<size_t>(end - read_);
    lastRecord_.resize(recordLength_);
    if (keep) {
        growth.records.resize(growth.count * recordLength_);
        if (!ReadExactly(file, growth.records.data(), growth.records.size(), recordOffset(read_)))
            return InputGrowth::Moved(path_ + " shrank while its new records were read");
        std::memcpy(lastRecord_.data(), growth.records.data() + growth.records.size() - recordLength_,
                    recordLength_);
    } else if (!ReadExactly(file, lastRecord_.data(), recordLength_, recordOffset(end - 1))) {
        return InputGrowth::Moved(path_ + " shrank while it was read");
    }
    read_ = end;
    return growth;
}

}  // namespace logora
