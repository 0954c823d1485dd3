#include "logora/ui/records/RecordIndex.h"

#include <algorithm>
#include <cstring>

#include "logora/engine/document/TemporaryTable.h"
#include "logora/engine/largefile/CLargeFile.h"

namespace logora::ui {

RecordIndex::RecordIndex() = default;

RecordIndex::RecordIndex(std::vector<uint32_t> records) : memory_(std::move(records)), count_(memory_.size())
{}

RecordIndex::RecordIndex(std::unique_ptr<TemporaryTable> file, uint64_t count,
                         const MappingErrorSink& mappingErrors)
    : file_(std::move(file)), reader_(std::make_unique<CLargeFile>(mappingErrors)), count_(count)
{
    if (count_ > 0 && !reader_->OpenRead(file_->Path())) count_ = 0;
}

RecordIndex::RecordIndex(RecordIndex&&) noexcept = default;
RecordIndex& RecordIndex::operator=(RecordIndex&&) noexcept = default;

RecordIndex::~RecordIndex()
{
    // The reader lets go of the file before it is deleted.
    reader_.reset();
}

uint32_t RecordIndex::operator[](size_t i) const
{
    if (!file_) return memory_[i];
    uint32_t record = 0;
    reader_->ReadInto(reinterpret_cast<uint8_t*>(&record), static_cast<uint64_t>(i) * sizeof record,
                      sizeof record);
    return record;
}

TemporaryWriter::TemporaryWriter(const MappingErrorSink& mappingErrors) : mappingErrors_(mappingErrors) {}

TemporaryWriter::~TemporaryWriter()
{
    writer_.reset();
}

bool TemporaryWriter::Create(const std::string& nearPath)
{
    file_ = std::make_unique<TemporaryTable>();
    writer_ = std::make_unique<CLargeFile>(mappingErrors_);
    buffer_.reserve(CLargeFile::kMaxAppendLength);
    return file_->Create(nearPath) && writer_->Create(file_->Path());
}

void TemporaryWriter::Append(const void* data, size_t length)
{
    // The file takes at most kMaxAppendLength bytes an append.
    const auto* bytes = static_cast<const uint8_t*>(data);
    while (length > 0) {
        size_t piece = std::min(length, CLargeFile::kMaxAppendLength - buffer_.size());
        buffer_.insert(buffer_.end(), bytes, bytes + piece);
        bytes += piece;
        length -= piece;
        if (buffer_.size() == CLargeFile::kMaxAppendLength) {
            writer_->Append(buffer_.data(), static_cast<uint32_t>(buffer_.size()));
            buffer_.clear();
        }
    }
}

bool TemporaryWriter::Finish()
{
    if (!buffer_.empty()) writer_->Append(buffer_.data(), static_cast<uint32_t>(buffer_.size()));
    buffer_.clear();
    bool written = writer_->Finish();
    writer_->Close();
    return written;
}

std::unique_ptr<TemporaryTable> TemporaryWriter::TakeFile()
{
    return std::move(file_);
}

const std::string& TemporaryWriter::Path() const
{
    return file_->Path();
}

}  // namespace logora::ui
