#include "logora/engine/dbf/CDBF.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <optional>
#include <utility>

#include "common/bytes/ByteReader.h"
#include "platform/localtime/LocalTime.h"

namespace logora {

namespace {

// Fills the date bytes with today's local date, or leaves them 0.
void StampToday(DBFHeader& header)
{
    const std::time_t now = std::time(nullptr);
    if (now == static_cast<std::time_t>(-1)) return;
    const std::optional<platform::LocalTime> local = platform::ToLocalTime(now);
    if (!local) return;
    header.year = static_cast<uint8_t>(local->year % 100);
    header.month = static_cast<uint8_t>(local->month);
    header.day = static_cast<uint8_t>(local->day);
}

}  // namespace

CDBF::CDBF(MappingErrorSink reportError) : file_(std::move(reportError)) {}

CDBF::~CDBF() = default;

bool CDBF::OpenRead(const std::string& path)
{
    if (open_) return false;
    openFailure_.clear();
    return file_.OpenRead(path) && LoadHeader(path);
}

bool CDBF::Create(const std::string& path)
{
    if (open_) return false;
    openFailure_.clear();
    if (!file_.Create(path)) return false;
    building_ = true;
    open_ = true;
    return true;
}

bool CDBF::OpenMemory(std::span<const uint8_t> bytes, const std::string& name)
{
    if (open_) return false;
    openFailure_.clear();
    return file_.OpenMemory(bytes, name) && LoadHeader(name);
}

bool CDBF::LoadHeader(const std::string& name)
{
    uint8_t bytes[kDBFHeaderSize];
    if (!file_.ReadInto(bytes, 0, kDBFHeaderSize)) {
        openFailure_ = name + ": " + std::to_string(file_.GetPosition()) + " bytes, fewer than the " +
                       std::to_string(kDBFHeaderSize) + " of a table header";
        file_.Close();
        return false;
    }
    header_ = DBFHeader::Decode(bytes);
    // Until a record is read, getters see an all-zero record.
    recordBufferSize_ = static_cast<size_t>(header_.recordLength) + 1;
    recordBuffer_ = std::make_unique<uint8_t[]>(recordBufferSize_);
    currentRecord_ = recordBuffer_.get();
    open_ = true;
    return true;
}

bool CDBF::OpenSink(DBFRecordSink& sink)
{
    if (open_) return false;
    sink_ = &sink;
    building_ = true;
    open_ = true;
    return true;
}

bool CDBF::ReadFieldDescriptors()
{
    fields_.clear();
    const uint32_t headerLength = header_.headerLength;
    const uint32_t count =
        headerLength > kDBFHeaderSize ? (headerLength - kDBFHeaderSize) / kDBFFieldSize : 0;
    fields_.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t bytes[kDBFFieldSize] = {};
        // A descriptor beyond the end of the file reads as all zero.
        file_.ReadInto(bytes, static_cast<uint64_t>(kDBFFieldSize) * (i + 1), kDBFFieldSize);
        AddToFieldList(DBFField::Decode(bytes));
    }
    return true;
}

void CDBF::AddToFieldList(DBFField field)
{
    field.displacement = fields_.empty() ? 1 : fields_.back().displacement + fields_.back().length;
    fields_.push_back(field);
}

void CDBF::AddField(std::string_view name, char type, int length, int decimals)
{
    DBFField field;
    name = name.substr(0, kDBFFieldNameMax);
    std::copy(name.begin(), name.end(), field.name);
    field.type = type;
    field.length = static_cast<uint8_t>(std::clamp(length, 0, 255));
    field.decimals = static_cast<uint8_t>(std::clamp(decimals, 0, 255));
    fields_.push_back(field);
}

void CDBF::WriteHeader(uint32_t recordCount)
{
    uint32_t displacement = 1;
    for (DBFField& field : fields_) {
        field.displacement = displacement;
        displacement += field.length;
    }
    DBFHeader header;
    header.version = kDBFVersion;
    StampToday(header);
    header.recordCount = recordCount;
    header.headerLength = static_cast<uint16_t>(kDBFHeaderSize * fields_.size() + kDBFHeaderSize + 1);
    header.recordLength = static_cast<uint16_t>(displacement);
    if (sink_ != nullptr) {
        PrepareRecordBuffer(header);
        sink_->BeginRecords(*this);
        return;
    }
    WriteRawHeader(header);
    for (const DBFField& field : fields_) {
        uint8_t bytes[kDBFFieldSize];
        field.Encode(bytes);
        file_.Append(bytes, kDBFFieldSize);
    }
    WriteHeaderTerminator();
}

void CDBF::WriteRawHeader(const DBFHeader& header)
{
    if (sink_ == nullptr) {
        uint8_t bytes[kDBFHeaderSize];
        header.Encode(bytes);
        file_.Append(bytes, kDBFHeaderSize);
    }
    PrepareRecordBuffer(header);
}

void CDBF::PrepareRecordBuffer(const DBFHeader& header)
{
    header_ = header;
    // Fields that a record does not set start out as spaces.
    recordBufferSize_ = static_cast<size_t>(header_.recordLength) + 1;
    recordBuffer_ = std::make_unique<uint8_t[]>(recordBufferSize_);
    std::memset(recordBuffer_.get(), ' ', recordBufferSize_);
    unclearedLength_.assign(fields_.size(), UINT8_MAX);
}

void CDBF::WriteField(const DBFField& field)
{
    if (sink_ == nullptr) {
        uint8_t bytes[kDBFFieldSize];
        field.Encode(bytes);
        file_.Append(bytes, kDBFFieldSize);
    }
    AddToFieldList(field);
}

void CDBF::WriteHeaderTerminator()
{
    if (sink_ != nullptr) {
        sink_->BeginRecords(*this);
        return;
    }
    file_.Append(&kDBFHeaderTerminator, 1);
}

void CDBF::EndHeaderWithZeros()
{
    headerZeros_ = true;
    if (sink_ != nullptr) {
        sink_->BeginRecords(*this);
        return;
    }
    const uint64_t written = file_.GetPosition();
    if (written >= header_.headerLength) return;
    const std::vector<uint8_t> zeros(header_.headerLength - written, 0);
    file_.Append(zeros.data(), static_cast<uint32_t>(zeros.size()));
}

bool CDBF::WriteBytes(const void* bytes, uint32_t count)
{
    if (sink_ != nullptr) return true;
    if (!building_ || count > CLargeFile::kMaxAppendLength || !file_.IsOpen()) return false;
    file_.Append(bytes, count);
    return file_.IsOpen();
}

bool CDBF::Finish()
{
    return sink_ != nullptr || file_.Finish();
}

std::string CDBF::GetFailure() const
{
    return openFailure_.empty() ? file_.GetFailure() : openFailure_;
}

void CDBF::AppendRecord()
{
    if (!building_ || !recordBuffer_) return;
    recordBuffer_[0] = kDBFRecordLive;
    AppendRawRecord(recordBuffer_.get());
}

void CDBF::AppendRawRecord(const uint8_t* record)
{
    if (!building_ || !recordBuffer_) return;
    if (sink_ != nullptr) {
        sink_->TakeRecord(record);
        return;
    }
    file_.Append(record, header_.recordLength);
}

}  // namespace logora
