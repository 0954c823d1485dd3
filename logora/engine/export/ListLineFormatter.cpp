#include "logora/engine/export/ListLineFormatter.h"

#include <algorithm>
#include <cstring>

#include "logora/engine/text/CodePage.h"

namespace logora {

struct ColumnTexts::DateMemo
{
    uint8_t bytes[256] = {};
    size_t length = 0;
    char text[CDataFormatHelper::DateTextRoom(CDataFormatHelper::kCsvDateCapacity)] = {};
    size_t textLength = 0;
    bool valid = false;
};

ColumnTexts::ColumnTexts(const ColumnPlan& plan, int floatLength, int decimalCount)
    : plan_(plan), floatLength_(floatLength), decimalCount_(decimalCount), dateMemos_(plan.columns.size())
{}

ColumnTexts::~ColumnTexts() = default;

size_t ColumnTexts::Format(size_t column, const uint8_t* record, char* output)
{
    const PlannedColumn& planned = plan_.columns[column];
    const uint8_t* bytes = record + planned.offset;
    if (planned.role != ColumnRole::Date) {
        return planned.format(output, bytes, planned.length, floatLength_, decimalCount_);
    }
    DateMemo& memo = dateMemos_[column];
    if (!memo.valid || memo.length != planned.length || std::memcmp(memo.bytes, bytes, planned.length) != 0) {
        std::memcpy(memo.bytes, bytes, planned.length);
        memo.length = planned.length;
        memo.textLength = planned.format(memo.text, bytes, planned.length, floatLength_, decimalCount_);
        memo.valid = true;
    }
    std::memcpy(output, memo.text, memo.textLength);
    return memo.textLength;
}

ListLineFormatter::ListLineFormatter(const ColumnPlan& plan, int floatLength, int decimalCount, int codePage)
    : texts_(plan, floatLength, decimalCount), maxLineLength_(plan.maxLineLength), quoting_(codePage)
{
    size_t longestText = 0;
    for (const PlannedColumn& column : plan.columns)
        longestText = std::max(longestText, column.maxTextLength);
    unquoted_.reset(new char[longestText + 1]);
}

size_t ListLineFormatter::PutColumn(size_t column, const uint8_t* record, char* output)
{
    const PlannedColumn& planned = texts_.Plan().columns[column];
    bool needsQuoting = false;
    size_t length = 0;
    if (planned.format == CDataFormatHelper::FormatTextColumn) {
        length = quoting_.CopyText(output, record + planned.offset, planned.length, needsQuoting);
    } else {
        length = texts_.Format(column, record, output);
        needsQuoting = planned.mayNeedQuoting && quoting_.Needs(output, length);
    }
    if (needsQuoting) {
        std::memcpy(unquoted_.get(), output, length);
        length = quoting_.Quote(output, unquoted_.get(), length);
    }
    return length;
}

size_t ListLineFormatter::Format(const uint8_t* record, char* output)
{
    char* at = output;
    for (size_t column = 0; column < texts_.Plan().columns.size(); ++column) {
        at += PutColumn(column, record, at);
        *at++ = ',';
    }
    *at++ = '\r';
    *at++ = '\n';
    return static_cast<size_t>(at - output);
}

}  // namespace logora
