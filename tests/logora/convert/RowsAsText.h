#pragma once
// Typed rows and CSV lines in one comparable form: each value as text in a
// fixed notation (numbers with the column's decimals, dates as YYYY-MM-DD,
// times as HH:MM:SS), and the row's time stamp as a last field. The CSV side
// reads the file on its own, so a row that differs from the CSV shows.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "logora/engine/rows/RowWriter.h"
#include "logora/engine/text/CodePage.h"
#include "logora/engine/text/Utf8.h"

namespace logora::test {

using TextRows = std::vector<std::vector<std::string>>;

inline std::string NumberText(double value, int decimals)
{
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

inline std::string DateText(int year, int month, int day)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

inline std::string TimeText(int hour, int minute, int second)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
    return text;
}

// Keeps what it is given as text rows; the first row holds the names.
class RowsAsText : public RowWriter
{
public:
    bool Prepare(const std::string&) override { return true; }
    bool BeginRows(const RowLayout& layout) override
    {
        layout_ = layout;
        rows_.emplace_back();
        for (const RowColumn& column : layout.columns) rows_.back().push_back(column.name);
        return true;
    }
    bool PutRow(const RowCell* cells, const CivilTime* stamp) override
    {
        std::vector<std::string>& row = rows_.emplace_back();
        for (size_t i = 0; i < layout_.columns.size(); ++i)
            row.push_back(TextOf(layout_.columns[i], cells[i]));
        if (layout_.hasTimeStamp) {
            row.push_back(stamp ? DateText(stamp->year, stamp->month, stamp->day) + " " +
                                      TimeText(stamp->hour, stamp->minute, stamp->second) + "." +
                                      std::to_string(stamp->millisecond)
                                : "none");
        }
        return true;
    }
    bool Finish(bool complete) override
    {
        finished_ = complete;
        return complete;
    }
    std::string Failure() const override { return {}; }

    const RowLayout& Layout() const { return layout_; }
    const TextRows& Rows() const { return rows_; }
    bool Finished() const { return finished_; }

private:
    static std::string TextOf(const RowColumn& column, const RowCell& cell)
    {
        if (cell.empty) return std::string(cell.text);
        switch (column.kind) {
            case CellKind::Number:
                return NumberText(cell.number, column.decimals);
            case CellKind::Integer:
                return std::to_string(cell.integer);
            case CellKind::Date:
                return DateText(cell.when.year, cell.when.month, cell.when.day);
            case CellKind::Time:
                return TimeText(cell.when.hour, cell.when.minute, cell.when.second);
            case CellKind::DateTime:
                return DateText(cell.when.year, cell.when.month, cell.when.day) + " " +
                       TimeText(cell.when.hour, cell.when.minute, cell.when.second);
            case CellKind::Text:
                break;
        }
        return std::string(cell.text);
    }

    RowLayout layout_;
    TextRows rows_;
    bool finished_ = false;
};

// The fields of one CSV line without its quoting; the line's closing ","
// ends the last field.
inline std::vector<std::string> CsvFields(const std::string& line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    if (fields.size() > 1 && fields.back().empty()) fields.pop_back();
    return fields;
}

inline std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "MM/DD/YYYY" (the short date of the C locale's fallback) as YYYY-MM-DD.
inline std::string CsvDate(const std::string& text)
{
    int month = 0, day = 0, year = 0;
    if (std::sscanf(text.c_str(), "%d/%d/%d", &month, &day, &year) != 3) return text;
    return DateText(year, month, day);
}

// The CSV file `bytes` (code page `codePage`) read into the form of
// RowsAsText under `layout`.
inline TextRows CsvAsRows(const std::string& bytes, const RowLayout& layout, int codePage)
{
    TextRows rows;
    size_t at = 0;
    // Quoted fields may hold line ends: a line ends where the quotes balance.
    while (at < bytes.size()) {
        size_t end = at;
        bool quoted = false;
        while (end < bytes.size() && (quoted || bytes.compare(end, 2, "\r\n") != 0)) {
            if (bytes[end] == '"') quoted = !quoted;
            ++end;
        }
        std::string line = Utf16ToUtf8(ToUtf16(bytes.substr(at, end - at), codePage));
        at = end + 2;
        if (rows.empty() && !line.empty() && line[0] == ';') line.erase(0, 1);
        std::vector<std::string> fields = CsvFields(line);
        fields.resize(layout.columns.size());
        std::vector<std::string>& row = rows.emplace_back();
        std::string date, time, millitm;
        for (size_t i = 0; i < fields.size(); ++i) {
            const RowColumn& column = layout.columns[i];
            std::string value = fields[i];
            if (rows.size() > 1 && column.kind != CellKind::Text) {
                value = Trimmed(value);
                char* end = nullptr;
                if (column.kind == CellKind::Number && !value.empty()) {
                    const double number = std::strtod(value.c_str(), &end);
                    if (*end == '\0') value = NumberText(number, column.decimals);
                } else if (column.kind == CellKind::Date) {
                    value = CsvDate(value);
                } else if (column.kind == CellKind::DateTime && value.find(' ') != std::string::npos) {
                    value = CsvDate(value.substr(0, value.find(' '))) + value.substr(value.find(' '));
                } else if (column.kind == CellKind::Integer && !value.empty()) {
                    const long long integer = std::strtoll(value.c_str(), &end, 10);
                    if (*end == '\0') value = std::to_string(integer);
                }
            }
            if (column.role == ColumnRole::Date) date = value;
            if (column.role == ColumnRole::Time) time = value;
            if (column.role == ColumnRole::Millitm) millitm = value;
            row.push_back(value);
        }
        if (rows.size() > 1 && layout.hasTimeStamp)
            row.push_back(date + " " + time + "." + (millitm.empty() ? "0" : millitm));
    }
    return rows;
}

}  // namespace logora::test
