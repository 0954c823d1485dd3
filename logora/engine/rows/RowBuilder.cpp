#include "logora/engine/rows/RowBuilder.h"

#include <algorithm>

#include "common/text/AsciiCase.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/export/ListLineFormatter.h"
#include "logora/engine/export/TableFormState.h"
#include "logora/engine/export/TableFormTags.h"
#include "logora/engine/rows/CellReading.h"
#include "logora/engine/rows/DateTextReading.h"
#include "logora/engine/rows/RowWriter.h"
#include "logora/engine/text/CodePage.h"
#include "logora/engine/text/Utf8.h"

namespace logora {

namespace {

bool IsAscii(const char* bytes, size_t length)
{
    return std::all_of(bytes, bytes + length, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

RowBuilder::RowBuilder(const CDBF& table, const std::vector<std::string>& tags, bool tableForm,
                       int floatLength, int decimalCount, int codePage)
    : plan_(PlanColumns(table, floatLength, decimalCount)),
      texts_(std::make_unique<ColumnTexts>(plan_, floatLength, decimalCount)),
      codePage_(codePage),
      tableForm_(tableForm)
{
    size_t longest = 0;
    std::vector<RowColumn> columns;
    for (size_t i = 0; i < plan_.columns.size(); ++i) {
        const PlannedColumn& planned = plan_.columns[i];
        longest = std::max(longest, planned.maxTextLength);
        TypedColumn typed = TypedColumnOf(planned, table.GetField(int(i)), decimalCount,
                                          Decoded(planned.name, std::string_view(planned.name).size()));
        rules_.push_back(typed.rule);
        dateTexts_.push_back(typed.rule == CellRule::DateTimeText
                                 ? std::make_unique<DateTextReader>(DateTextCapacity())
                                 : nullptr);
        columns.push_back(std::move(typed.column));
    }
    buffer_.reset(new char[longest + 1]);
    dateColumn_ = plan_.Find(ColumnRole::Date);
    timeColumn_ = plan_.Find(ColumnRole::Time);
    millitmColumn_ = plan_.Find(ColumnRole::Millitm);
    layout_.hasTimeStamp = dateColumn_ >= 0 && timeColumn_ >= 0 &&
                           rules_[size_t(dateColumn_)] == CellRule::DbfDate &&
                           rules_[size_t(timeColumn_)] == CellRule::TimeOfDay;
    layout_.tableForm = tableForm;
    layout_.announcedRecords = table.GetRecordCount();
    if (!tableForm) {
        layout_.columns = std::move(columns);
    } else {
        const int tagColumn = plan_.Find(ColumnRole::Tag);
        const int valueColumn = plan_.Find(ColumnRole::Value);
        usable_ = tagColumn >= 0 && valueColumn >= 0;
        if (!usable_) return;
        tagColumn_ = size_t(tagColumn);
        valueColumn_ = size_t(valueColumn);
        for (size_t i = 0; i < plan_.columns.size(); ++i) {
            if (!IsKeyColumn(plan_.columns[i].role)) continue;
            keyColumns_.push_back(i);
            layout_.columns.push_back(columns[i]);
        }
        const RowColumn& value = columns[valueColumn_];
        valueRule_ = rules_[valueColumn_];
        for (const std::string& tag : tags) {
            RowColumn column = value;
            column.name = Decoded(tag.data(), tag.size());
            layout_.columns.push_back(std::move(column));
        }
        tags_ = std::make_unique<TableFormTags>(tags, plan_.columns[tagColumn_].length);
        tagSet_.assign(tags.size(), false);
    }
    cellTexts_.resize(layout_.columns.size());
    cells_.resize(layout_.columns.size());
}

RowBuilder::~RowBuilder() = default;

void RowBuilder::Decode(const char* bytes, size_t length, std::string& text) const
{
    if (codePage_ == kCodePageUtf8 || IsAscii(bytes, length)) {
        text.assign(bytes, length);
        return;
    }
    text = Utf16ToUtf8(ToUtf16(std::string_view(bytes, length), codePage_));
}

std::string RowBuilder::Decoded(const char* bytes, size_t length) const
{
    std::string text;
    Decode(bytes, length, text);
    return text;
}

void RowBuilder::ReadColumn(size_t column, const uint8_t* record, std::string& text, RowCell& cell)
{
    const PlannedColumn& planned = plan_.columns[column];
    const size_t length = texts_->Format(column, record, buffer_.get());
    Decode(buffer_.get(), length, text);
    ReadCell(rules_[column], text, record + planned.offset, planned.length, dateTexts_[column].get(), cell);
}

const CivilTime* RowBuilder::TimeStamp(const RowCell* date, const RowCell* time, const RowCell* millitm)
{
    if (date->empty || time->empty) return nullptr;
    stamp_ = date->when;
    stamp_.hour = time->when.hour;
    stamp_.minute = time->when.minute;
    stamp_.second = time->when.second;
    const bool milliseconds = millitm != nullptr && !millitm->empty;
    stamp_.millisecond = milliseconds ? int(std::clamp<int64_t>(millitm->integer, 0, 999)) : 0;
    return &stamp_;
}

bool RowBuilder::PutRow(RowWriter& writer, const RowCell* cells, const CivilTime* stamp)
{
    ++rows_;
    return writer.PutRow(cells, layout_.hasTimeStamp ? stamp : nullptr);
}

bool RowBuilder::Take(const uint8_t* record, size_t tag, RowWriter& writer)
{
    return tableForm_ ? TakeTableRecord(record, tag, writer) : TakeListRecord(record, writer);
}

bool RowBuilder::TakeListRecord(const uint8_t* record, RowWriter& writer)
{
    for (size_t column = 0; column < cells_.size(); ++column)
        ReadColumn(column, record, cellTexts_[column], cells_[column]);
    const CivilTime* stamp = nullptr;
    if (layout_.hasTimeStamp) {
        stamp = TimeStamp(&cells_[size_t(dateColumn_)], &cells_[size_t(timeColumn_)],
                          millitmColumn_ >= 0 ? &cells_[size_t(millitmColumn_)] : nullptr);
    }
    return PutRow(writer, cells_.data(), stamp);
}

// Records belong to one line while their key texts (date, time and
// milliseconds as the CSV shows them) are equal without regard to case.
bool RowBuilder::TakeTableRecord(const uint8_t* record, size_t tag, RowWriter& writer)
{
    recordKey_.clear();
    for (size_t column : keyColumns_) {
        recordKey_.append(buffer_.get(), texts_->Format(column, record, buffer_.get()));
        recordKey_ += ',';
    }
    bool written = true;
    if (lineOpen_ && !common::EqualsIgnoringAsciiCase(lineKey_, recordKey_)) written = WriteLine(writer);
    if (!lineOpen_) OpenLine(record);

    if (tag >= tags_->Count()) {
        const size_t length = texts_->Format(tagColumn_, record, buffer_.get());
        tag = tags_->Find(std::string_view(buffer_.get(), length));
    }
    if (tag >= tags_->Count()) return written;
    const size_t at = keyColumns_.size() + tag;
    const size_t length = texts_->Format(valueColumn_, record, buffer_.get());
    Decode(buffer_.get(), length, cellTexts_[at]);
    tagSet_[tag] = true;
    return written;
}

void RowBuilder::OpenLine(const uint8_t* record)
{
    lineKey_ = recordKey_;
    for (size_t key = 0; key < keyColumns_.size(); ++key)
        ReadColumn(keyColumns_[key], record, cellTexts_[key], cells_[key]);
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
        const ColumnRole role = plan_.columns[keyColumns_[key]].role;
        if (role == ColumnRole::Date) date = &cells_[key];
        if (role == ColumnRole::Time) time = &cells_[key];
        if (role == ColumnRole::Millitm) millitm = &cells_[key];
    }
    for (size_t tag = 0; tag < tagSet_.size(); ++tag) {
        const size_t at = keyColumns_.size() + tag;
        if (!tagSet_[tag]) cellTexts_[at].clear();
        ReadCell(valueRule_, cellTexts_[at], nullptr, 0, dateTexts_[valueColumn_].get(), cells_[at]);
    }
    const CivilTime* stamp = date && time ? TimeStamp(date, time, millitm) : nullptr;
    return PutRow(writer, cells_.data(), stamp);
}

bool RowBuilder::End(RowWriter& writer)
{
    if (!tableForm_ || !lineOpen_) return true;
    return WriteLine(writer);
}

}  // namespace logora
