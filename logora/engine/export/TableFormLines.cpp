#include "logora/engine/export/TableFormLines.h"

#include "common/text/AsciiCase.h"

namespace logora {

TableFormLines::TableFormLines(const ColumnPlan& plan, const std::vector<std::string>& tags, int floatLength,
                               int decimalCount, int codePage)
    : texts_(plan, floatLength, decimalCount), state_(plan, tags, codePage)
{}

size_t TableFormLines::Close(TableFormLine& line, char* output)
{
    size_t length = 0;
    if (!atOutputStart_) {
        output[0] = '\r';
        output[1] = '\n';
        length = 2;
    }
    atOutputStart_ = false;
    return length + line.WriteTo(output + length);
}

size_t TableFormLines::Put(const uint8_t* record, size_t tag, char* output)
{
    size_t length = 0;
    state_.Take(record, tag, texts_, [&](TableFormLine& line) { length = Close(line, output); });
    return length;
}

size_t TableFormLines::EndBlock(char* output)
{
    return state_.line.IsOpen() ? Close(state_.line, output) : 0;
}

std::string_view TableFormLines::KeyText(const uint8_t* record)
{
    return state_.KeyText(record, texts_);
}

bool KeysDiffer(std::string_view before, std::string_view after)
{
    return !common::EqualsIgnoringAsciiCase(before, after);
}

}  // namespace logora
