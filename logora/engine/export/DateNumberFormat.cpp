#include "logora/engine/export/DateNumberFormat.h"

#include <optional>
#include <string_view>
#include <vector>

#include "common/text/Utf.h"
#include "logora/engine/export/CDataFormatHelper.h"
#include "logora/engine/export/CalendarDate.h"

namespace logora {

namespace {

constexpr const char* kMonthDayYear = "mm\\/dd\\/yyyy";

// Two dates whose texts tell every field apart: 22 November 2033 names each
// field by its digits, 5 January 2004 shows whether day and month are padded.
constexpr CalendarParts kDistinctDate{2033, 11, 22, 0, 0, 0};
constexpr CalendarParts kPaddingDate{2004, 1, 5, 0, 0, 0};

std::string DateText(const CalendarParts& date, size_t capacity)
{
    std::vector<char> text(CDataFormatHelper::DateTextRoom(capacity));
    return std::string(text.data(), CDataFormatHelper::FormatCalendarDate(date, text.data(), capacity));
}

// A date text cut into runs of digits and runs of everything else.
std::vector<std::string_view> Runs(std::string_view text)
{
    std::vector<std::string_view> runs;
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    size_t start = 0;
    for (size_t at = 1; at <= text.size(); ++at) {
        if (at == text.size() || isDigit(text[at]) != isDigit(text[start])) {
            runs.push_back(text.substr(start, at - start));
            start = at;
        }
    }
    return runs;
}

// The format code of a field, from its digits in both dates.
std::optional<std::string_view> FieldCode(std::string_view distinct, std::string_view padding)
{
    if (distinct == "2033" && padding == "2004") return "yyyy";
    if (distinct == "33" && padding == "04") return "yy";
    if (distinct == "11" && (padding == "01" || padding == "1")) return padding.size() == 2 ? "mm" : "m";
    if (distinct == "22" && (padding == "05" || padding == "5")) return padding.size() == 2 ? "dd" : "d";
    return std::nullopt;
}

// Text shown as it is: each ASCII character escaped, other characters (valid
// UTF-8, checked by the caller) in quotes.
void AppendLiteral(std::string& format, std::string_view text)
{
    for (size_t at = 0; at < text.size();) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            format += '\\';
            format += text[at++];
            continue;
        }
        size_t end = at;
        while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x80) ++end;
        format += '"';
        format.append(text.substr(at, end - at));
        format += '"';
        at = end;
    }
}

std::optional<std::string> Translate(std::string_view distinct, std::string_view padding)
{
    if (!common::Utf8ToUtf16(distinct)) return std::nullopt;
    const std::vector<std::string_view> distinctRuns = Runs(distinct);
    const std::vector<std::string_view> paddingRuns = Runs(padding);
    if (distinctRuns.size() != paddingRuns.size()) return std::nullopt;
    std::string format;
    std::string fieldsSeen;
    for (size_t i = 0; i < distinctRuns.size(); ++i) {
        const bool digits = distinctRuns[i][0] >= '0' && distinctRuns[i][0] <= '9';
        if (!digits) {
            if (distinctRuns[i] != paddingRuns[i]) return std::nullopt;
            AppendLiteral(format, distinctRuns[i]);
            continue;
        }
        const std::optional<std::string_view> code = FieldCode(distinctRuns[i], paddingRuns[i]);
        if (!code || fieldsSeen.find(code->back()) != std::string::npos) return std::nullopt;
        fieldsSeen += code->back();
        format.append(*code);
    }
    if (fieldsSeen.size() != 3) return std::nullopt;
    return format;
}

}  // namespace

std::string DateNumberFormat(size_t capacity)
{
    const std::optional<std::string> format =
        Translate(DateText(kDistinctDate, capacity), DateText(kPaddingDate, capacity));
    return format ? *format : kMonthDayYear;
}

}  // namespace logora
