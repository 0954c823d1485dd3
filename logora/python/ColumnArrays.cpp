#include "logora/python/ColumnArrays.h"

#include <algorithm>
#include <limits>
#include <new>

#include "common/time/CivilCalendar.h"
#include "platform/memory/LargePages.h"

namespace logora::python {

namespace {

constexpr int64_t kMillisecondsPerDay = 86'400'000;

// Faulting in the buffers of millions of rows page by page costs as much as
// filling them.
template <typename T>
void ReserveFilledSoon(std::vector<T>& values, size_t count)
{
    values.reserve(count);
    platform::AdviseLargePages(values.data(), values.capacity() * sizeof(T));
}

}  // namespace

int64_t MillisecondsOfDay(const CivilTime& when)
{
    return ((int64_t{when.hour} * 60 + when.minute) * 60 + when.second) * 1000 + when.millisecond;
}

int64_t MillisecondsSinceEpoch(const CivilTime& when)
{
    return DaysFromCivil(when.year, when.month, when.day) * kMillisecondsPerDay + MillisecondsOfDay(when);
}

void TextBuffer::Put(std::string_view text)
{
    // Markers and states mostly repeat the row before.
    if (!codes.empty() && distinct[codes.back()] == text) {
        codes.push_back(codes.back());
        return;
    }
    auto known = codeOf.find(text);
    if (known == codeOf.end()) {
        distinct.emplace_back(text);
        known = codeOf.emplace(distinct.back(), static_cast<uint32_t>(distinct.size() - 1)).first;
    }
    codes.push_back(known->second);
}

bool ColumnArrays::Prepare(const std::string&)
{
    // The columns live in memory: there is no file to create.
    failure_.clear();
    return true;
}

bool ColumnArrays::BeginRows(const RowLayout& layout)
{
    layout_ = layout;
    timeStamps_ = {};
    rows_ = 0;
    complete_ = false;
    failure_.clear();
    MakeBuffers();
    // The announced rows, so that no buffer is copied while it grows; a
    // count beyond the rows that come costs only address space, and one
    // beyond the memory (a damaged header) leaves the buffers to grow.
    const auto rows = static_cast<size_t>(std::max<int64_t>(layout.announcedRecords, 0));
    try {
        for (ColumnBuffer& buffer : columns_) Reserve(buffer, rows);
        if (layout.hasTimeStamp) ReserveFilledSoon(timeStamps_, rows);
    } catch (const std::exception&) {  // beyond the memory, or beyond what a vector holds
        MakeBuffers();
        timeStamps_ = {};
    }
    begun_ = true;
    return true;
}

void ColumnArrays::MakeBuffers()
{
    columns_ = {};
    // Buffers moved later would lose what they reserved.
    columns_.reserve(layout_.columns.size());
    for (const RowColumn& column : layout_.columns) columns_.emplace_back().column = column;
}

void ColumnArrays::Reserve(ColumnBuffer& buffer, size_t rows) const
{
    switch (buffer.column.kind) {
        case CellKind::Number:
            ReserveFilledSoon(buffer.numbers, rows);
            break;
        case CellKind::Text:
            ReserveFilledSoon(buffer.texts.codes, rows);
            break;
        default:
            ReserveFilledSoon(buffer.integers, rows);
            break;
    }
}

bool ColumnArrays::PutRow(const RowCell* cells, const CivilTime* timeStamp)
{
    if (!begun_) {
        failure_ = source_ + ": a row came before the layout of the rows";
        return false;
    }
    try {
        for (size_t i = 0; i < columns_.size(); ++i) Put(columns_[i], cells[i]);
        if (layout_.hasTimeStamp)
            timeStamps_.push_back(timeStamp ? MillisecondsSinceEpoch(*timeStamp) : kMissingTime);
    } catch (const std::bad_alloc&) {
        failure_ = source_ + ": not enough memory for the columns after " + std::to_string(rows_) + " rows";
        begun_ = false;
        return false;
    }
    ++rows_;
    return true;
}

void ColumnArrays::Put(ColumnBuffer& buffer, const RowCell& cell)
{
    const CellKind kind = buffer.column.kind;
    if (kind == CellKind::Number) {
        buffer.numbers.push_back(cell.empty ? std::numeric_limits<double>::quiet_NaN() : cell.number);
    } else if (kind == CellKind::Text) {
        // An empty cell is an empty text, as the CSV shows it.
        buffer.texts.Put(cell.empty ? std::string_view() : cell.text);
    } else if (kind == CellKind::Integer) {
        if (cell.empty) buffer.emptyRows.push_back(rows_);
        buffer.integers.push_back(cell.empty ? 0 : cell.integer);
    } else {
        buffer.integers.push_back(cell.empty               ? kMissingTime
                                  : kind == CellKind::Time ? MillisecondsOfDay(cell.when)
                                                           : MillisecondsSinceEpoch(cell.when));
    }
}

bool ColumnArrays::Finish(bool complete)
{
    complete_ = complete && begun_;
    begun_ = false;
    if (complete_) return true;
    // A table cut short is never handed on as if it were whole.
    columns_.clear();
    timeStamps_.clear();
    if (failure_.empty())
        failure_ = source_ + (complete ? ": no rows were written" : ": the rows were not complete");
    return false;
}

}  // namespace logora::python
