#pragma once
// The texts of a record's columns and its list-form CSV line. One object per
// thread: each keeps the last date text of every date column (consecutive
// records of a log mostly carry the same date, which then is formatted once).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "logora/engine/convert/RecordStage.h"
#include "logora/engine/export/ColumnPlan.h"
#include "logora/engine/export/CsvQuoting.h"

namespace logora {

class ColumnTexts
{
public:
    // `plan` must outlive the object.
    ColumnTexts(const ColumnPlan& plan, int floatLength, int decimalCount);
    ~ColumnTexts();

    // Writes the text of `column` of `record` to `output` (room for the
    // column's maxTextLength) and returns its length.
    size_t Format(size_t column, const uint8_t* record, char* output);

    const ColumnPlan& Plan() const { return plan_; }

private:
    struct DateMemo;

    const ColumnPlan& plan_;
    int floatLength_;
    int decimalCount_;
    std::vector<DateMemo> dateMemos_;
};

// The list-form line of each record, the stage of an export on several
// threads.
class ListLineFormatter final : public RecordStage
{
public:
    // Quotes by the rules of the active code page, read here.
    ListLineFormatter(const ColumnPlan& plan, int floatLength, int decimalCount, int codePage);

    // Writes the line of `record`, CR LF included, to `output` (room for the
    // plan's maxLineLength) and returns its length.
    size_t Format(const uint8_t* record, char* output);
    // The text of the plan's `column` of `record` as the line holds it,
    // quoted where needed, without its separator; its length.
    size_t PutColumn(size_t column, const uint8_t* record, char* output);
    const ColumnPlan& Plan() const { return texts_.Plan(); }
    const CsvQuoting& Quoting() const { return quoting_; }

    size_t MaxLength() const override { return maxLineLength_; }
    size_t Put(const uint8_t* record, char* output) override { return Format(record, output); }

private:
    ColumnTexts texts_;
    size_t maxLineLength_;
    CsvQuoting quoting_;
    std::unique_ptr<char[]> unquoted_;
};

}  // namespace logora
