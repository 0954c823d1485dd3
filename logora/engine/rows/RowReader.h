#pragma once
// Reads the typed cells of records: each column's CSV text, read back into
// its kind. One reader per thread; each keeps the last date text of its
// columns, as consecutive records mostly share their date.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logora/engine/rows/RowCell.h"

namespace logora {

class ColumnTexts;
class DateTextReader;
struct RowColumns;

class RowReader
{
public:
    // `columns` must outlive the reader.
    explicit RowReader(const RowColumns& columns);
    ~RowReader();

    // Column `column` of `record` into `cell`, whose text is kept in `text`.
    void ReadColumn(size_t column, const uint8_t* record, std::string& text, RowCell& cell);
    // The CSV text of a column in code page bytes, valid until the next call.
    std::string_view CsvText(size_t column, const uint8_t* record);
    // Every column of `record` (valid until the next call), and its time
    // stamp in `stamp` (null without one).
    const RowCell* ReadAll(const uint8_t* record, const CivilTime*& stamp);
    // The time stamp of the date, time and milliseconds cells; null when the
    // date or the time cannot be read.
    const CivilTime* TimeStamp(const RowCell* date, const RowCell* time, const RowCell* millitm);
    // Reads the value of `cell` anew from `text` by the rule of `column`,
    // for a cell whose text is all there is.
    void ReadText(size_t column, const std::string& text, RowCell& cell);

private:
    const RowColumns& columns_;
    std::unique_ptr<ColumnTexts> texts_;
    std::unique_ptr<char[]> buffer_;
    std::vector<std::unique_ptr<DateTextReader>> dateTexts_;
    std::vector<std::string> cellTexts_;
    std::vector<RowCell> cells_;
    CivilTime stamp_;
};

}  // namespace logora
