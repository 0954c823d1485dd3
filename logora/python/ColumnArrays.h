#pragma once
// A RowWriter that gathers typed rows into one growing buffer per column, in
// the element types of numpy arrays, so the Python module hands them over
// without a copy:
//   Number           double, NaN where empty
//   Integer          int64 (the rows without a value are listed apart)
//   Date, DateTime   int64 milliseconds since 1970-01-01, kMissingTime where
//   Time             empty; a time of day counts from midnight
//   Text             a code per row into the column's distinct texts (UTF-8)
// The rows' time stamps, when the layout has them, are one more time column.
// Nothing here knows Python.

#include <cstdint>
#include <deque>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "logora/engine/rows/RowWriter.h"

namespace logora::python {

// numpy's NaT in a datetime64 or timedelta64 array.
inline constexpr int64_t kMissingTime = std::numeric_limits<int64_t>::min();

// Each distinct text once: datalogs repeat a few tag names and states in
// every record, and each distinct text becomes one str object shared by its
// rows.
struct TextBuffer
{
    std::deque<std::string> distinct;  // a deque keeps the keys' bytes in place
    std::unordered_map<std::string_view, uint32_t> codeOf;
    std::vector<uint32_t> codes;  // row i holds distinct[codes[i]]

    void Put(std::string_view text);
};

struct ColumnBuffer
{
    RowColumn column;
    std::vector<double> numbers;
    std::vector<int64_t> integers;   // Integer, and the milliseconds of the time kinds
    std::vector<int64_t> emptyRows;  // Integer: the rows without a value
    TextBuffer texts;
};

class ColumnArrays final : public RowWriter
{
public:
    // `source` names the rows' input in the failures.
    explicit ColumnArrays(std::string source) : source_(std::move(source)) {}

    bool Prepare(const std::string& path) override;
    bool BeginRows(const RowLayout& layout) override;
    bool PutRow(const RowCell* cells, const CivilTime* timeStamp) override;
    bool Finish(bool complete) override;
    std::string Failure() const override { return failure_; }

    // Whether Finish(true) was called after the rows: only then do the
    // buffers hold the whole table.
    bool Complete() const { return complete_; }
    const RowLayout& Layout() const { return layout_; }
    int64_t RowCount() const { return rows_; }
    // One buffer per column of the layout, in its order.
    std::vector<ColumnBuffer>& Columns() { return columns_; }
    // Milliseconds since 1970 of each row's time stamp; empty without them.
    std::vector<int64_t>& TimeStamps() { return timeStamps_; }

private:
    // One empty buffer per column of the layout.
    void MakeBuffers();
    void Reserve(ColumnBuffer& buffer, size_t rows) const;
    void Put(ColumnBuffer& buffer, const RowCell& cell);

    std::string source_;
    RowLayout layout_;
    std::vector<ColumnBuffer> columns_;
    std::vector<int64_t> timeStamps_;
    int64_t rows_ = 0;
    bool begun_ = false;
    bool complete_ = false;
    std::string failure_;
};

// Milliseconds since 1970-01-01 00:00 of a date and time of day.
int64_t MillisecondsSinceEpoch(const CivilTime& when);
// Milliseconds since midnight of its time of day.
int64_t MillisecondsOfDay(const CivilTime& when);

}  // namespace logora::python
