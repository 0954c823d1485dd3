#include "logora/engine/rows/RowBuilder.h"

#include <algorithm>

#include "common/text/AsciiCase.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/export/TableFormState.h"
#include "logora/engine/export/TableFormTags.h"
#include "logora/engine/rows/RowColumns.h"
#include "logora/engine/rows/RowReader.h"
#include "logora/engine/rows/RowWriter.h"

namespace logora {

RowBuilder::RowBuilder(const CDBF& table, const std::vector<std::string>& tags, bool tableForm,
                       int floatLength, int decimalCount, int codePage, const std::vector<int>* choice)
    : columns_(std::make_unique<RowColumns>(table, floatLength, decimalCount, codePage,
                                            tableForm ? nullptr : choice)),
      reader_(std::make_unique<RowReader>(*columns_)),
      tableForm_(tableForm)
{
    const RowColumns& columns = *columns_;
    layout_.hasTimeStamp = columns.hasTimeStamp;
    layout_.tableForm = tableForm;
    layout_.announcedRecords = table.GetRecordCount();
    if (!tableForm) {
        for (const TypedColumn& typed : columns.typed) layout_.columns.push_back(typed.column);
        return;
    }
    const int tagColumn = columns.plan.Find(ColumnRole::Tag);
    const int valueColumn = columns.plan.Find(ColumnRole::Value);
    usable_ = tagColumn >= 0 && valueColumn >= 0;
    if (!usable_) return;
    tagColumn_ = size_t(tagColumn);
    valueColumn_ = size_t(valueColumn);
    for (size_t i = 0; i < columns.plan.columns.size(); ++i) {
        if (!IsKeyColumn(columns.plan.columns[i].role)) continue;
        keyColumns_.push_back(i);
        layout_.columns.push_back(columns.typed[i].column);
    }
    for (const std::string& tag : tags) {
        RowColumn column = columns.typed[valueColumn_].column;
        column.name = columns.Decoded(tag.data(), tag.size());
        layout_.columns.push_back(std::move(column));
    }
    tags_ = std::make_unique<TableFormTags>(tags, columns.plan.columns[tagColumn_].length);
    tagSet_.assign(tags.size(), false);
    cellTexts_.resize(layout_.columns.size());
    cells_.resize(layout_.columns.size());
}

RowBuilder::~RowBuilder() = default;

bool RowBuilder::PutRow(RowWriter& writer, const RowCell* cells, const CivilTime* stamp)
{
    return writer.PutRow(cells, layout_.hasTimeStamp ? stamp : nullptr);
}

bool RowBuilder::Take(const uint8_t* record, size_t tag, RowWriter& writer)
{
    if (tableForm_) return TakeTableRecord(record, tag, writer);
    const CivilTime* stamp = nullptr;
    const RowCell* cells = reader_->ReadAll(record, stamp);
    return PutRow(writer, cells, stamp);
}

// Records belong to one line while their key texts (date, time and
// milliseconds as the CSV shows them) are equal without regard to case.
bool RowBuilder::TakeTableRecord(const uint8_t* record, size_t tag, RowWriter& writer)
{
    recordKey_.clear();
    for (size_t column : keyColumns_) {
        recordKey_.append(reader_->CsvText(column, record));
        recordKey_ += ',';
    }
    bool written = true;
    if (lineOpen_ && !common::EqualsIgnoringAsciiCase(lineKey_, recordKey_)) written = WriteLine(writer);
    if (!lineOpen_) OpenLine(record);

    if (tag >= tags_->Count()) tag = tags_->Find(reader_->CsvText(tagColumn_, record));
    if (tag >= tags_->Count()) return written;
    const std::string_view value = reader_->CsvText(valueColumn_, record);
    columns_->Decode(value.data(), value.size(), cellTexts_[keyColumns_.size() + tag]);
    tagSet_[tag] = true;
    return written;
}

void RowBuilder::OpenLine(const uint8_t* record)
{
    lineKey_ = recordKey_;
    for (size_t key = 0; key < keyColumns_.size(); ++key)
        reader_->ReadColumn(keyColumns_[key], record, cellTexts_[key], cells_[key]);
    std::fill(tagSet_.begin(), tagSet_.end(), false);
    lineOpen_ = true;
}

bool RowBuilder::WriteLine(RowWriter& writer)
{
    lineOpen_ = false;
    const RowCell* date = nullptr;
    const RowCell* time = nullptr;
    const RowCell* millitm = nullptr;
    for (size_t key = 0; key < keyColumns_.size(); ++key) {
        const ColumnRole role = columns_->plan.columns[keyColumns_[key]].role;
        if (role == ColumnRole::Date) date = &cells_[key];
        if (role == ColumnRole::Time) time = &cells_[key];
        if (role == ColumnRole::Millitm) millitm = &cells_[key];
    }
    for (size_t tag = 0; tag < tagSet_.size(); ++tag) {
        const size_t at = keyColumns_.size() + tag;
        if (!tagSet_[tag]) cellTexts_[at].clear();
        reader_->ReadText(valueColumn_, cellTexts_[at], cells_[at]);
    }
    const CivilTime* stamp = date && time ? reader_->TimeStamp(date, time, millitm) : nullptr;
    return PutRow(writer, cells_.data(), stamp);
}

bool RowBuilder::End(RowWriter& writer)
{
    if (!tableForm_ || !lineOpen_) return true;
    return WriteLine(writer);
}

}  // namespace logora
