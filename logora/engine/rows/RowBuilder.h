#pragma once
// Builds the typed rows of a table's records: a row per record (the list
// form), or a row per run of records with one time stamp, a column per tag
// (the table form), as the CSV export forms its lines. Each cell is read
// back from the CSV text of its field, so the values are those the CSV
// shows. All storage is sized before the first record.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "logora/engine/export/ColumnPlan.h"
#include "logora/engine/rows/CellReading.h"
#include "logora/engine/rows/RowCell.h"
#include "logora/engine/rows/RowLayout.h"

namespace logora {

class CDBF;
class ColumnTexts;
class DateTextReader;
class RowWriter;
class TableFormTags;

class RowBuilder
{
public:
    // The rows of `table`'s records, texts decoded from `codePage`; the
    // table form has a column per entry of `tags` (code page bytes).
    RowBuilder(const CDBF& table, const std::vector<std::string>& tags, bool tableForm, int floatLength,
               int decimalCount, int codePage);
    ~RowBuilder();

    // False for a table form of a table without a tag and a value column.
    bool Usable() const { return usable_; }
    const RowLayout& Layout() const { return layout_; }

    // Takes one record whose tag is entry `tag` of the tags (or unknown:
    // found by its text). A finished row goes to `writer`; false once the
    // writer failed.
    bool Take(const uint8_t* record, size_t tag, RowWriter& writer);
    // Writes the table form's open row.
    bool End(RowWriter& writer);
    int64_t Rows() const { return rows_; }

private:
    // Reads column `column` of the plan into a cell.
    void ReadColumn(size_t column, const uint8_t* record, std::string& text, RowCell& cell);
    std::string Decoded(const char* bytes, size_t length) const;
    void Decode(const char* bytes, size_t length, std::string& text) const;
    // The time stamp of the cells of the date, time and milliseconds
    // columns; null when one cannot be read.
    const CivilTime* TimeStamp(const RowCell* date, const RowCell* time, const RowCell* millitm);
    bool PutRow(RowWriter& writer, const RowCell* cells, const CivilTime* stamp);
    bool TakeListRecord(const uint8_t* record, RowWriter& writer);
    bool TakeTableRecord(const uint8_t* record, size_t tag, RowWriter& writer);
    void OpenLine(const uint8_t* record);
    bool WriteLine(RowWriter& writer);

    ColumnPlan plan_;
    // How each column of the plan is read, and the reader of its date texts.
    std::vector<CellRule> rules_;
    std::vector<std::unique_ptr<DateTextReader>> dateTexts_;
    std::unique_ptr<ColumnTexts> texts_;
    int codePage_;
    bool tableForm_;
    bool usable_ = true;
    RowLayout layout_;
    std::unique_ptr<char[]> buffer_;  // one column's CSV text
    std::vector<std::string> cellTexts_;
    std::vector<RowCell> cells_;
    CivilTime stamp_;
    int64_t rows_ = 0;

    // The list form: the columns with a role in the time stamp, or -1.
    int dateColumn_ = -1;
    int timeColumn_ = -1;
    int millitmColumn_ = -1;

    // The table form: the key columns lead the row, the tags follow.
    std::vector<size_t> keyColumns_;
    size_t tagColumn_ = 0;
    size_t valueColumn_ = 0;
    CellRule valueRule_ = CellRule::Number;
    std::unique_ptr<TableFormTags> tags_;
    std::string lineKey_;
    std::string recordKey_;
    bool lineOpen_ = false;
    std::vector<bool> tagSet_;
};

}  // namespace logora
