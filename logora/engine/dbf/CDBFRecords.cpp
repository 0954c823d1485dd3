// Record access of CDBF: reading records, the field setters and getters.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "common/bytes/ByteGroups.h"
#include "common/bytes/ByteReader.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/dbf/FixedFormat.h"

namespace logora {

namespace {

// Room for any field text (at most 255 bytes) and its NUL.
constexpr size_t kTextRoom = 256;

}  // namespace

bool CDBF::GoToRecord(int64_t index)
{
    // An index above the file size cannot start inside the file, and
    // rejecting it keeps the offset below from overflowing.
    if (index < 0 || !open_ || building_ || static_cast<uint64_t>(index) > file_.GetPosition()) return false;
    const uint64_t offset = header_.headerLength + static_cast<uint64_t>(index) * header_.recordLength;
    if (const uint8_t* record = file_.View(offset, header_.recordLength)) {
        currentRecord_ = record;
        return true;
    }
    // A record that lies inside the file failed because its window could not
    // be read whole (the file became shorter); the previous record's window
    // may be overwritten, so it reads as empty.
    const uint64_t size = file_.GetPosition();
    if (offset <= size && header_.recordLength <= size - offset) {
        std::memset(recordBuffer_.get(), 0, recordBufferSize_);
        currentRecord_ = recordBuffer_.get();
    }
    return false;
}

bool CDBF::ReadRecord(int64_t index, const uint8_t** bytes)
{
    const bool read = GoToRecord(index);
    *bytes = currentRecord_;
    return read;
}

int64_t CDBF::ReadRecords(int64_t index, int64_t count, const uint8_t** bytes)
{
    if (count <= 0 || !ReadRecord(index, bytes)) return 0;
    const uint64_t length = header_.recordLength;
    if (length == 0) return 1;
    const uint64_t offset = header_.headerLength + static_cast<uint64_t>(index) * length;
    const uint64_t run = std::min({static_cast<uint64_t>(count), file_.WindowBytesFrom(offset) / length,
                                   (file_.GetPosition() - offset) / length});
    if (run <= 1) return 1;
    const uint8_t* records = file_.View(offset, static_cast<uint32_t>(run * length));
    if (records == nullptr) return 1;
    *bytes = records;
    return static_cast<int64_t>(run);
}

int64_t CDBF::GetRecordsHeld() const
{
    if (!open_ || building_ || header_.recordLength == 0) return 0;
    const uint64_t size = file_.GetPosition();
    const uint64_t whole =
        size > header_.headerLength ? (size - header_.headerLength) / header_.recordLength : 0;
    return static_cast<int64_t>(std::min<uint64_t>(whole, header_.recordCount));
}

int CDBF::FindField(std::string_view name) const
{
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i].Name() == name) return static_cast<int>(i);
    }
    return -1;
}

DBFField CDBF::GetField(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= fields_.size()) return DBFField{};
    return fields_[index];
}

// Inline: every setter of every record of a conversion asks it.
inline uint8_t* CDBF::WritableField(int field, size_t* length)
{
    if (!building_ || !recordBuffer_ || field < 0 || static_cast<size_t>(field) >= fields_.size())
        return nullptr;
    const DBFField& descriptor = fields_[field];
    if (descriptor.displacement >= recordBufferSize_) return nullptr;
    *length = std::min<size_t>(descriptor.length, recordBufferSize_ - descriptor.displacement);
    if (unclearedLength_.size() < fields_.size()) unclearedLength_.resize(fields_.size(), UINT8_MAX);
    return recordBuffer_.get() + descriptor.displacement;
}

size_t CDBF::ReadableField(int field, const uint8_t** bytes) const
{
    if (!open_ || currentRecord_ == nullptr || field < 0 || static_cast<size_t>(field) >= fields_.size()) {
        return 0;
    }
    const DBFField& descriptor = fields_[field];
    if (descriptor.displacement >= header_.recordLength) return 0;
    *bytes = currentRecord_ + descriptor.displacement;
    return std::min<size_t>(descriptor.length, header_.recordLength - descriptor.displacement);
}

void CDBF::StoreText(int field, const char* text, size_t textLength)
{
    size_t length = 0;
    uint8_t* target = WritableField(field, &length);
    if (target == nullptr) return;
    const size_t count = TextLength(text, std::min(textLength, length));
    CopyFewBytes(target, text, count);
    // Behind the text only what an earlier value may have left needs clearing.
    uint8_t& uncleared = unclearedLength_[field];
    if (uncleared > count)
        CopyFewBytes(target + count, kZeroField, std::min<size_t>(uncleared, length) - count);
    uncleared = static_cast<uint8_t>(count);
}

void CDBF::SetFieldString(int field, std::string_view text)
{
    StoreText(field, text.data(), text.size());
}

void CDBF::StoreInteger(int field, int64_t value)
{
    size_t length = 0;
    uint8_t* target = WritableField(field, &length);
    if (target == nullptr) return;
    FormatFixedWidthInt(value, fields_[field].length, length, reinterpret_cast<char*>(target));
    unclearedLength_[field] = UINT8_MAX;
}

void CDBF::SetFieldInt(int field, int value)
{
    StoreInteger(field, value);
}

void CDBF::SetFieldLong(int field, long value)
{
    StoreInteger(field, value);
}

void CDBF::SetFieldDouble(int field, double value)
{
    if (field < 0 || static_cast<size_t>(field) >= fields_.size()) return;
    char text[FixedTextRoom(UINT8_MAX, UINT8_MAX)];
    const DBFField& descriptor = fields_[field];
    StoreText(field, text, FormatFixed(text, value, descriptor.length, descriptor.decimals));
}

void CDBF::SetFieldFloat(int field, float value)
{
    SetFieldDouble(field, static_cast<double>(value));
}

void CDBF::SetFieldChar(int field, char value)
{
    size_t length = 0;
    uint8_t* target = WritableField(field, &length);
    if (target == nullptr || length == 0) return;
    *target = static_cast<uint8_t>(value);
    unclearedLength_[field] = UINT8_MAX;
}

void CDBF::SetFieldRawDouble(int field, double value)
{
    size_t length = 0;
    uint8_t* target = WritableField(field, &length);
    if (target == nullptr || length < sizeof value) return;
    storeLE(target, value);
    unclearedLength_[field] = UINT8_MAX;
}

void CDBF::GetFieldText(int field, char* buffer) const
{
    if (field < 0 || static_cast<size_t>(field) >= fields_.size()) {
        buffer[0] = '\0';
        return;
    }
    const size_t length = fields_[field].length;
    const uint8_t* bytes = nullptr;
    const size_t available = ReadableField(field, &bytes);
    if (available > 0) std::memcpy(buffer, bytes, available);
    std::memset(buffer + available, 0, length + 1 - available);
}

void CDBF::GetFieldBytes(int field, void* buffer, size_t n) const
{
    if (field < 0 || static_cast<size_t>(field) >= fields_.size()) return;
    const size_t count = std::min<size_t>(n, fields_[field].length);
    const uint8_t* bytes = nullptr;
    const size_t available = std::min(count, ReadableField(field, &bytes));
    auto* target = static_cast<uint8_t*>(buffer);
    if (available > 0) std::memcpy(target, bytes, available);
    std::memset(target + available, 0, count - available);
}

std::string CDBF::GetFieldString(int field) const
{
    const uint8_t* bytes = nullptr;
    const size_t available = ReadableField(field, &bytes);
    if (available == 0) return std::string();
    const auto* text = reinterpret_cast<const char*>(bytes);
    return std::string(text, ::strnlen(text, available));
}

long CDBF::GetFieldLong(int field) const
{
    char text[kTextRoom];
    GetFieldText(field, text);
    return std::atol(text);
}

int CDBF::GetFieldInt(int field) const
{
    char text[kTextRoom];
    GetFieldText(field, text);
    return std::atoi(text);
}

float CDBF::GetFieldFloat(int field) const
{
    return static_cast<float>(GetFieldDouble(field));
}

double CDBF::GetFieldDouble(int field) const
{
    char text[kTextRoom];
    GetFieldText(field, text);
    return std::atof(text);
}

// The same operations with the field given by name.
void CDBF::SetFieldString(std::string_view name, std::string_view text)
{
    SetFieldString(FindField(name), text);
}
void CDBF::SetFieldInt(std::string_view name, int value)
{
    SetFieldInt(FindField(name), value);
}
void CDBF::SetFieldLong(std::string_view name, long value)
{
    SetFieldLong(FindField(name), value);
}
void CDBF::SetFieldFloat(std::string_view name, float value)
{
    SetFieldFloat(FindField(name), value);
}
void CDBF::SetFieldDouble(std::string_view name, double value)
{
    SetFieldDouble(FindField(name), value);
}
void CDBF::SetFieldChar(std::string_view name, char value)
{
    SetFieldChar(FindField(name), value);
}
void CDBF::SetFieldRawDouble(std::string_view name, double value)
{
    SetFieldRawDouble(FindField(name), value);
}
void CDBF::GetFieldText(std::string_view name, char* buffer) const
{
    GetFieldText(FindField(name), buffer);
}
void CDBF::GetFieldBytes(std::string_view name, void* buffer, size_t n) const
{
    GetFieldBytes(FindField(name), buffer, n);
}
std::string CDBF::GetFieldString(std::string_view name) const
{
    return GetFieldString(FindField(name));
}
long CDBF::GetFieldLong(std::string_view name) const
{
    return GetFieldLong(FindField(name));
}
int CDBF::GetFieldInt(std::string_view name) const
{
    return GetFieldInt(FindField(name));
}
float CDBF::GetFieldFloat(std::string_view name) const
{
    return GetFieldFloat(FindField(name));
}
double CDBF::GetFieldDouble(std::string_view name) const
{
    return GetFieldDouble(FindField(name));
}

}  // namespace logora
