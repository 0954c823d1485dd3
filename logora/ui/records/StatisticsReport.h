#pragma once
// The statistics of a column as texts in UTF-8, for the panel and for Copy:
// one table of the whole (statistic, value) and, for a datalog, one row per
// tag. Least and greatest values show as the list shows their cells; means
// of dates and times as dates and times, their spread in days or seconds.

#include <string>
#include <vector>

namespace logora::ui {

class ColumnStatistics;
class RecordCells;

struct StatisticsTable
{
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
};

struct StatisticsReport
{
    StatisticsTable overall;
    StatisticsTable tags;  // no rows unless counted by tag
};

// `cells` reads the records the statistics name (the least, the greatest,
// each tag's first).
StatisticsReport ReportStatistics(const ColumnStatistics& statistics, RecordCells& cells);

// `heading`, then each table as tab-separated lines with its headings, a
// blank line between them.
std::string StatisticsCopyText(const std::string& heading, const StatisticsReport& report);

}  // namespace logora::ui
