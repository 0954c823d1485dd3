#include "logora/ui/records/StatisticsReport.h"

#include <cmath>
#include <cstdio>

#include "logora/ui/records/ColumnStatistics.h"
#include "logora/ui/records/CopyText.h"
#include "logora/ui/records/RecordCells.h"

namespace logora::ui {

namespace {

// How a numeric column's values read: plain numbers, days (dates and OLE
// date-times) or seconds of the day (times).
enum class Unit { Number, Days, Seconds };

Unit UnitOf(const RecordCells& cells, int field)
{
    const ColumnKind kind = cells.Kind(field);
    if (kind.encoding == ColumnEncoding::DbfDate || kind.encoding == ColumnEncoding::OleDateTime)
        return Unit::Days;
    return kind.role == ColumnRole::Time ? Unit::Seconds : Unit::Number;
}

std::string Printed(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string TimeOfDayText(double seconds)
{
    const long whole = std::lround(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
    return text;
}

std::string MeanText(double mean, Unit unit)
{
    switch (unit) {
        case Unit::Days:
            return TimeStampText(mean * 86400.0);
        case Unit::Seconds:
            return TimeOfDayText(mean);
        case Unit::Number:
            break;
    }
    return Printed("%.10g", mean);
}

std::string SpreadText(double deviation, Unit unit)
{
    switch (unit) {
        case Unit::Days:
            return Printed("%.6g days", deviation);
        case Unit::Seconds:
            return Printed("%.6g s", deviation);
        case Unit::Number:
            break;
    }
    return Printed("%.10g", deviation);
}

class Formatter
{
public:
    Formatter(const ColumnStatistics& statistics, RecordCells& cells)
        : statistics_(statistics), cells_(cells), unit_(UnitOf(cells, statistics.Field()))
    {}

    // The cell of `field` in `record`, as the list shows it, in UTF-8.
    std::string Cell(int64_t record, int field)
    {
        const uint8_t* bytes = record >= 0 ? cells_.Read(record) : nullptr;
        if (!bytes) return {};
        cell_.clear();
        cells_.Text(bytes, field, cell_);
        return std::string(AsUtf8(cell_, cells_.CodePage(), utf8_));
    }
    std::string Least(const ColumnSummary& s)
    {
        return Cell(statistics_.Numeric() ? s.numbers.minRecord : s.leastRecord, statistics_.Field());
    }
    std::string Greatest(const ColumnSummary& s)
    {
        return Cell(statistics_.Numeric() ? s.numbers.maxRecord : s.greatestRecord, statistics_.Field());
    }
    std::string Mean(const ColumnSummary& s) const
    {
        return s.numbers.count > 0 ? MeanText(s.numbers.mean, unit_) : std::string();
    }
    std::string Spread(const ColumnSummary& s) const
    {
        auto deviation = s.numbers.StandardDeviation();
        return deviation ? SpreadText(*deviation, unit_) : std::string();
    }
    static std::string Time(const std::optional<double>& seconds)
    {
        return seconds ? TimeStampText(*seconds) : std::string();
    }

private:
    const ColumnStatistics& statistics_;
    RecordCells& cells_;
    Unit unit_;
    std::string cell_, utf8_;
};

void AppendLine(std::string& out, const std::vector<std::string>& cells)
{
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += '\t';
        AppendCell(out, cells[i]);
    }
    out += '\n';
}

}  // namespace

StatisticsReport ReportStatistics(const ColumnStatistics& statistics, RecordCells& cells)
{
    Formatter format(statistics, cells);
    const bool numeric = statistics.Numeric(), times = cells.HasTimeStamps();
    const ColumnSummary& all = statistics.Overall();
    StatisticsReport report;
    auto& rows = report.overall.rows;
    report.overall.headings = {"Statistic", "Value"};
    rows.push_back({"Records", std::to_string(all.records)});
    rows.push_back({"Count", std::to_string(all.Counted())});
    rows.push_back({"Empty", std::to_string(all.empty)});
    if (numeric) rows.push_back({"Not finite (NaN, infinity)", std::to_string(all.nonFinite)});
    if (statistics.Unreadable() > 0)
        rows.push_back({"Unreadable records", std::to_string(statistics.Unreadable())});
    rows.push_back({"Minimum", format.Least(all)});
    rows.push_back({"Maximum", format.Greatest(all)});
    if (numeric) {
        rows.push_back({"Mean", format.Mean(all)});
        rows.push_back({"Standard deviation", format.Spread(all)});
    }
    if (times) {
        rows.push_back({"First time stamp", Formatter::Time(all.firstTime)});
        rows.push_back({"Last time stamp", Formatter::Time(all.lastTime)});
    }
    if (!statistics.ByTag()) return report;

    auto& headings = report.tags.headings;
    headings = {"Tag", "Count"};
    if (numeric) headings.push_back("Not finite");
    headings.insert(headings.end(), {"Minimum", "Maximum"});
    if (numeric) headings.insert(headings.end(), {"Mean", "Standard deviation"});
    if (times) headings.insert(headings.end(), {"First time stamp", "Last time stamp"});
    for (const ColumnStatistics::Tag& tag : statistics.Tags()) {
        const ColumnSummary& s = tag.summary;
        std::vector<std::string> row = {format.Cell(tag.firstRecord, statistics.TagField()),
                                        std::to_string(s.Counted())};
        if (numeric) row.push_back(std::to_string(s.nonFinite));
        row.insert(row.end(), {format.Least(s), format.Greatest(s)});
        if (numeric) row.insert(row.end(), {format.Mean(s), format.Spread(s)});
        if (times) row.insert(row.end(), {Formatter::Time(s.firstTime), Formatter::Time(s.lastTime)});
        report.tags.rows.push_back(std::move(row));
    }
    return report;
}

std::string StatisticsCopyText(const std::string& heading, const StatisticsReport& report)
{
    std::string out = heading + '\n';
    for (const StatisticsTable* table : {&report.overall, &report.tags}) {
        if (table->rows.empty()) continue;
        if (table == &report.tags) out += '\n';
        AppendLine(out, table->headings);
        for (const auto& row : table->rows) AppendLine(out, row);
    }
    return out;
}

}  // namespace logora::ui
