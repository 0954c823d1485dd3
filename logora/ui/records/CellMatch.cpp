#include "logora/ui/records/CellMatch.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "logora/ui/records/RecordCells.h"

namespace logora::ui {

namespace {

char Fold(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::optional<int> Number(std::string_view text)
{
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? std::optional(value) : std::nullopt;
}

std::optional<double> ParseDate(std::string_view text)
{
    std::optional<int> year, month, day;
    if (text.size() == 8) {
        year = Number(text.substr(0, 4)), month = Number(text.substr(4, 2)), day = Number(text.substr(6, 2));
    } else if (text.size() == 10 && (text[4] == '-' || text[4] == '/') && text[7] == text[4]) {
        year = Number(text.substr(0, 4)), month = Number(text.substr(5, 2)), day = Number(text.substr(8, 2));
    }
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31) return std::nullopt;
    return DaysSince1899(*year, *month, *day);
}

}  // namespace

std::string_view Trimmed(std::string_view text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

TextMatcher::TextMatcher(TextQuery query) : query_(std::move(query))
{
    if (!query_.matchCase) std::transform(query_.text.begin(), query_.text.end(), query_.text.begin(), Fold);
    // Raw numbers show digits, a sign and a decimal point, or "inf" and "nan".
    mayMatchNumbers_ = query_.text.find_first_not_of("0123456789.-+ infaINFA") == std::string::npos;
}

bool TextMatcher::Matches(std::string_view cell) const
{
    if (!query_.matchCase) {
        folded_.assign(cell);
        std::transform(folded_.begin(), folded_.end(), folded_.begin(), Fold);
        cell = folded_;
    }
    return query_.wholeCell ? cell == query_.text : cell.find(query_.text) != std::string_view::npos;
}

std::optional<double> ParseDateTime(std::string_view text)
{
    text = Trimmed(text);
    std::string_view datePart = text.substr(0, std::min<size_t>(text.size(), 10));
    std::optional<double> days = ParseDate(datePart.size() == 10 ? datePart : text.substr(0, 8));
    if (!days) return std::nullopt;
    std::string_view rest = Trimmed(text.substr(datePart.size() == 10 ? 10 : 8));
    if (!rest.empty() && (rest.front() == 'T')) rest.remove_prefix(1);
    double seconds = 0;
    if (!rest.empty()) {
        std::string padded(rest);
        if (padded.size() == 5) padded += ":00";
        auto time = ParseTimeOfDay(padded);
        if (!time || padded.size() != 8) return std::nullopt;
        seconds = *time;
    }
    return *days * 86400.0 + seconds;
}

std::optional<double> ParseFieldValue(const RecordCells& cells, int field, std::string_view text)
{
    text = Trimmed(text);
    if (text.empty()) return std::nullopt;
    switch (cells.Kind(field).encoding) {
        case ColumnEncoding::DbfDate:
            return ParseDate(text);
        case ColumnEncoding::OleDateTime:
            if (auto seconds = ParseDateTime(text)) return *seconds / 86400.0;
            break;
        default:
            if (cells.Kind(field).role == ColumnRole::Time) {
                std::string padded(text);
                if (padded.size() == 5) padded += ":00";
                return padded.size() == 8 ? ParseTimeOfDay(padded) : std::nullopt;
            }
    }
    double value = 0;
    if (text.front() == '+') text.remove_prefix(1);
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? std::optional(value) : std::nullopt;
}

}  // namespace logora::ui
