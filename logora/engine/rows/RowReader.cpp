#include "logora/engine/rows/RowReader.h"

#include <algorithm>

#include "logora/engine/export/ListLineFormatter.h"
#include "logora/engine/rows/DateTextReading.h"
#include "logora/engine/rows/RowColumns.h"

namespace logora {

RowReader::RowReader(const RowColumns& columns)
    : columns_(columns),
      texts_(std::make_unique<ColumnTexts>(columns.plan, columns.floatLength, columns.decimalCount)),
      buffer_(new char[columns.longestText + 1]),
      cellTexts_(columns.typed.size()),
      cells_(columns.typed.size())
{
    for (const TypedColumn& typed : columns.typed) {
        dateTexts_.push_back(typed.rule == CellRule::DateTimeText
                                 ? std::make_unique<DateTextReader>(DateTextCapacity())
                                 : nullptr);
    }
}

RowReader::~RowReader() = default;

std::string_view RowReader::CsvText(size_t column, const uint8_t* record)
{
    return std::string_view(buffer_.get(), texts_->Format(column, record, buffer_.get()));
}

void RowReader::ReadColumn(size_t column, const uint8_t* record, std::string& text, RowCell& cell)
{
    const PlannedColumn& planned = columns_.plan.columns[column];
    const std::string_view csv = CsvText(column, record);
    columns_.Decode(csv.data(), csv.size(), text);
    ReadCell(columns_.typed[column].rule, text, record + planned.offset, planned.length,
             dateTexts_[column].get(), cell);
}

void RowReader::ReadText(size_t column, const std::string& text, RowCell& cell)
{
    ReadCell(columns_.typed[column].rule, text, nullptr, 0, dateTexts_[column].get(), cell);
}

const RowCell* RowReader::ReadAll(const uint8_t* record, const CivilTime*& stamp)
{
    for (size_t column = 0; column < cells_.size(); ++column)
        ReadColumn(column, record, cellTexts_[column], cells_[column]);
    stamp = nullptr;
    if (columns_.hasTimeStamp) {
        const int millitm = columns_.millitmColumn;
        stamp = TimeStamp(&cells_[size_t(columns_.dateColumn)], &cells_[size_t(columns_.timeColumn)],
                          millitm >= 0 ? &cells_[size_t(millitm)] : nullptr);
    }
    return cells_.data();
}

const CivilTime* RowReader::TimeStamp(const RowCell* date, const RowCell* time, const RowCell* millitm)
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

}  // namespace logora
