#include "logora/engine/dbf/MadeTable.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/largefile/CLargeFile.h"
#include "platform/mapping/FileByteSource.h"

namespace logora {

uint64_t MadeTableShape::Size() const
{
    return header.size() + static_cast<uint64_t>(recordsHeld) * recordLength + (endMark ? 1 : 0);
}

// As CDBF writes it to a file: the header, the descriptors, then the
// terminator, or zeros up to the header length stated.
std::vector<uint8_t> MadeTableShape::HeaderOf(const CDBF& table, uint32_t recordCount)
{
    DBFHeader header = table.GetHeader();
    header.recordCount = recordCount;
    const size_t described = kDBFHeaderSize + kDBFFieldSize * static_cast<size_t>(table.GetFieldCount());
    std::vector<uint8_t> bytes(described);
    header.Encode(bytes.data());
    for (int i = 0; i < table.GetFieldCount(); ++i)
        table.GetField(i).Encode(bytes.data() + kDBFFieldSize * (static_cast<size_t>(i) + 1));
    if (!table.HeaderEndsWithZeros())
        bytes.push_back(kDBFHeaderTerminator);
    else if (header.headerLength > described)
        bytes.resize(header.headerLength, 0);
    return bytes;
}

MadeTableSource::MadeTableSource(MadeTableShape shape, std::unique_ptr<MadeRecords> records)
    : shape_(std::move(shape)), records_(std::move(records))
{}

uint32_t MadeTableSource::ReadSizeWanted() const
{
    constexpr uint64_t kPage = 4096;
    constexpr uint64_t kRecordsARead = 16;
    const uint64_t wanted = std::max<uint64_t>(shape_.header.size(), kRecordsARead * shape_.recordLength);
    // Whole pages; beyond 64 KiB the reader's own window serves.
    return static_cast<uint32_t>(std::min<uint64_t>((wanted + kPage - 1) / kPage * kPage, 65536));
}

int64_t MadeTableSource::ReadAt(uint8_t* data, size_t length, uint64_t offset) const
{
    const uint64_t size = shape_.Size();
    if (offset >= size) return 0;
    length = static_cast<size_t>(std::min<uint64_t>(length, size - offset));
    const uint64_t headerEnd = shape_.header.size();
    const uint64_t recordsEnd = headerEnd + static_cast<uint64_t>(shape_.recordsHeld) * shape_.recordLength;
    const uint64_t end = offset + length;
    if (offset < headerEnd) {
        const uint64_t part = std::min(end, headerEnd) - offset;
        std::memcpy(data, shape_.header.data() + offset, static_cast<size_t>(part));
    }
    const uint64_t from = std::max(offset, headerEnd);
    const uint64_t to = std::min(end, recordsEnd);
    if (from < to) {
        const int64_t first = static_cast<int64_t>((from - headerEnd) / shape_.recordLength);
        const int64_t last = static_cast<int64_t>((to - headerEnd - 1) / shape_.recordLength);
        const int64_t count = last - first + 1;
        const std::lock_guard<std::mutex> hold(lock_);
        made_.resize(static_cast<size_t>(count) * shape_.recordLength);
        if (!records_->Make(first, count, made_.data())) return -1;
        const uint64_t skip = from - headerEnd - static_cast<uint64_t>(first) * shape_.recordLength;
        std::memcpy(data + (from - offset), made_.data() + skip, static_cast<size_t>(to - from));
    }
    if (shape_.endMark && end == size) data[length - 1] = kDBFEndOfFile;
    return static_cast<int64_t>(length);
}

void ShapeOfTable::BeginRecords(const CDBF& table)
{
    shape.header = MadeTableShape::HeaderOf(table, table.GetHeader().recordCount);
    shape.recordLength = table.GetRecordLength();
}

std::string LastRecord::Check(const common::ByteSource& input, const std::string& path) const
{
    if (bytes.empty()) return {};
    std::vector<uint8_t> now(bytes.size());
    if (input.ReadAt(now.data(), now.size(), offset) != static_cast<int64_t>(now.size()))
        return path + " shrank: the last record read in place is gone";
    if (now != bytes) return path + " was replaced: the last record read in place is another now";
    return {};
}

AppendedInputRecords::AppendedInputRecords(std::string path, const LastRecord& last, MovedNote& moved,
                                           const MappingErrorSink& report)
    : path_(std::move(path)), last_(last), moved_(moved), report_(report)
{}

AppendedInputRecords::~AppendedInputRecords() = default;

bool AppendedInputRecords::OpenCheck()
{
    auto file = std::make_unique<platform::FileByteSource>();
    if (file->Open(path_) != platform::FileByteSource::OpenResult::Opened) return false;
    check_ = std::move(file);
    return true;
}

// A record rewritten before or while it was read is caught by the check
// after; a read that failed says why it failed when the input was not.
bool AppendedInputRecords::Make(int64_t first, int64_t count, uint8_t* into)
{
    const bool made = MakeChecked(first, count, into);
    if (!Unchanged()) return false;
    return made || moved_.FailedRead(path_, readFailure_, report_);
}

bool AppendedInputRecords::Unchanged()
{
    const std::string why =
        check_ != nullptr ? last_.Check(*check_, path_) : path_ + " can no longer be read";
    return why.empty() || moved_.FailedRead(path_, why, report_);
}

bool MovedNote::Note(const std::string& why)
{
    const std::lock_guard<std::mutex> hold(lock_);
    if (!why_.empty()) return false;
    why_ = why;
    return true;
}

bool MovedNote::FailedRead(const std::string& file, const std::string& failure,
                           const MappingErrorSink& report)
{
    const std::string why = failure.empty() ? file + " became shorter" : failure;
    if (Note(why)) ReportMappingError(report, EIO, why);
    errno = EIO;
    return false;
}

std::string MovedNote::Why() const
{
    const std::lock_guard<std::mutex> hold(lock_);
    return why_;
}

std::string CopyMadeTable(const std::string& name, const std::string& path,
                          const MappingErrorSink& reportError, ControlProcess& progress)
{
    // What cannot be read is returned, and its reader has reported why.
    CLargeFile from([](const std::string&, const std::string&, const std::string&) {});
    CLargeFile to(reportError);
    if (!from.OpenRead(name)) return from.GetFailure();
    if (!to.Create(path)) return to.GetFailure();
    const uint64_t size = from.GetPosition();
    // Progress in read windows, which any table's size counts in 32 bits.
    const auto windows = [&](uint64_t bytes) { return uint32_t(bytes / from.WindowBytesFrom(0)); };
    for (uint64_t offset = 0; offset < size;) {
        progress.SetProgress(windows(size), windows(offset));
        if (progress.IsCancelled()) return path + ": the copy was cancelled";
        const auto length =
            static_cast<uint32_t>(std::min<uint64_t>(from.WindowBytesFrom(offset), size - offset));
        for (uint32_t part = 0; part < length;) {
            const uint32_t count = std::min(length - part, CLargeFile::kMaxAppendLength);
            const uint8_t* bytes = from.View(offset + part, count);
            if (bytes == nullptr) return from.GetFailure();
            to.Append(bytes, count);
            part += count;
        }
        offset += length;
    }
    if (!to.Finish()) return to.GetFailure();
    return {};
}

void RecordsInto::BeginRecords(const CDBF& table)
{
    recordLength_ = table.GetRecordLength();
}

void RecordsInto::TakeRecord(const uint8_t* record)
{
    std::memcpy(next_, record, recordLength_);
    next_ += recordLength_;
}

}  // namespace logora
