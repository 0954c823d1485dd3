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

#include "logora/engine/rows/RowCell.h"
#include "logora/engine/rows/RowLayout.h"

namespace logora {

class CDBF;
class RowReader;
class RowWriter;
class TableFormTags;
struct RowColumns;

class RowBuilder
{
public:
    // The rows of `table`'s records, texts decoded from `codePage`; the
    // table form has a column per entry of `tags` (code page bytes). The
    // list form takes only the fields of `choice`, in its order, when given.
    RowBuilder(const CDBF& table, const std::vector<std::string>& tags, bool tableForm, int floatLength,
               int decimalCount, int codePage, const std::vector<int>* choice = nullptr);
    ~RowBuilder();

    // False for a table form of a table without a tag and a value column.
    bool Usable() const { return usable_; }
    const RowLayout& Layout() const { return layout_; }
    // The columns, for readers on other threads (the list form).
    const RowColumns& Columns() const { return *columns_; }

    // Takes one record whose tag is entry `tag` of the tags (or unknown:
    // found by its text). A finished row goes to `writer`; false once the
    // writer failed.
    bool Take(const uint8_t* record, size_t tag, RowWriter& writer);
    // Writes the table form's open row.
    bool End(RowWriter& writer);

private:
    bool PutRow(RowWriter& writer, const RowCell* cells, const CivilTime* stamp);
    bool TakeTableRecord(const uint8_t* record, size_t tag, RowWriter& writer);
    void OpenLine(const uint8_t* record);
    bool WriteLine(RowWriter& writer);

    std::unique_ptr<RowColumns> columns_;
    std::unique_ptr<RowReader> reader_;
    bool tableForm_;
    bool usable_ = true;
    RowLayout layout_;

    // The table form: the key columns lead the row, the tags follow.
    std::vector<size_t> keyColumns_;
    size_t tagColumn_ = 0;
    size_t valueColumn_ = 0;
    std::unique_ptr<TableFormTags> tags_;
    std::vector<std::string> cellTexts_;
    std::vector<RowCell> cells_;
    std::string lineKey_;
    std::string recordKey_;
    bool lineOpen_ = false;
    std::vector<bool> tagSet_;
};

}  // namespace logora
