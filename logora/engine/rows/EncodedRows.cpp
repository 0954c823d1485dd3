#include "logora/engine/rows/EncodedRows.h"

#include <cstring>

#include "logora/engine/rows/RowColumns.h"
#include "logora/engine/rows/RowReader.h"
#include "logora/engine/rows/RowWriter.h"

namespace logora {

namespace {

constexpr uint8_t kEmpty = 1;
constexpr uint8_t kHasStamp = 1;
// UTF-8 of a code page's character takes at most three bytes.
constexpr size_t kUtf8PerByte = 3;

template <class Value>
char* Pack(char* at, const Value& value)
{
    std::memcpy(at, &value, sizeof value);
    return at + sizeof value;
}

template <class Value>
const char* Unpack(const char* at, Value& value)
{
    std::memcpy(&value, at, sizeof value);
    return at + sizeof value;
}

}  // namespace

RowPacker::RowPacker(const RowColumns& columns)
    : columns_(columns), reader_(std::make_unique<RowReader>(columns)), maxLength_(1 + sizeof(CivilTime))
{
    for (const PlannedColumn& planned : columns.plan.columns)
        maxLength_ += 1 + sizeof(CivilTime) + sizeof(uint32_t) + kUtf8PerByte * planned.maxTextLength;
}

RowPacker::~RowPacker() = default;

size_t RowPacker::Put(const uint8_t* record, char* output)
{
    const CivilTime* stamp = nullptr;
    const RowCell* cells = reader_->ReadAll(record, stamp);
    char* at = output;
    for (size_t column = 0; column < columns_.typed.size(); ++column) {
        const RowCell& cell = cells[column];
        const CellKind kind = columns_.typed[column].column.kind;
        *at++ = static_cast<char>(cell.empty ? kEmpty : 0);
        if (!cell.empty) {
            if (kind == CellKind::Number) at = Pack(at, cell.number);
            if (kind == CellKind::Integer) at = Pack(at, cell.integer);
            if (kind == CellKind::Date || kind == CellKind::Time || kind == CellKind::DateTime)
                at = Pack(at, cell.when);
        }
        at = Pack(at, static_cast<uint32_t>(cell.text.size()));
        std::memcpy(at, cell.text.data(), cell.text.size());
        at += cell.text.size();
    }
    *at++ = static_cast<char>(stamp ? kHasStamp : 0);
    if (stamp) at = Pack(at, *stamp);
    return static_cast<size_t>(at - output);
}

RowUnpacker::RowUnpacker(const RowColumns& columns, RowWriter& writer)
    : columns_(columns), writer_(writer), cells_(columns.typed.size())
{}

void RowUnpacker::Write(const char* bytes, size_t length)
{
    const char* at = bytes;
    const char* end = bytes + length;
    while (at < end && !failed_) {
        for (size_t column = 0; column < cells_.size(); ++column) {
            RowCell& cell = cells_[column];
            const CellKind kind = columns_.typed[column].column.kind;
            cell = RowCell{};
            cell.empty = (*at++ & kEmpty) != 0;
            if (!cell.empty) {
                if (kind == CellKind::Number) at = Unpack(at, cell.number);
                if (kind == CellKind::Integer) at = Unpack(at, cell.integer);
                if (kind == CellKind::Date || kind == CellKind::Time || kind == CellKind::DateTime)
                    at = Unpack(at, cell.when);
            }
            uint32_t size = 0;
            at = Unpack(at, size);
            cell.text = std::string_view(at, size);
            at += size;
        }
        CivilTime stamp;
        const bool stamped = (*at++ & kHasStamp) != 0;
        if (stamped) at = Unpack(at, stamp);
        failed_ = !writer_.PutRow(cells_.data(), stamped ? &stamp : nullptr);
    }
}

}  // namespace logora
