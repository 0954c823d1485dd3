// Column statistics against a naive two-pass computation, over a datalog
// table built byte by byte: overall and per tag, subsets, split runs, texts,
// an empty column, NaN and infinities, and a stopped run.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>

#include "logora/engine/dbf/CConvertDATToDBF.h"
#include "logora/engine/text/CodePage.h"
#include "logora/ui/records/ColumnStatistics.h"
#include "logora/ui/records/RecordCells.h"
#include "logora/ui/records/StatisticsJob.h"
#include "logora/ui/records/StatisticsReport.h"
#include "logora/ui/records/StatisticsRun.h"
#include "tests/logora/zarn/TestFiles.h"
#include "tools/zarn-gen/DbfBytes.h"

namespace logora::ui {
namespace {

constexpr int kDate = 0, kTime = 1, kTag = 2, kValue = 3, kNote = 4, kLevel = 5;
const char* const kTags[] = {"Pump", "Valve", "Fan"};

double ValueOf(int i)
{
    if (i % 97 == 13) return std::numeric_limits<double>::quiet_NaN();
    if (i == 500) return std::numeric_limits<double>::infinity();
    return 1e6 + std::sin(i * 0.37) * 50 + (i % 3) * 10;
}

class Statistics : public ::testing::Test
{
protected:
    static constexpr int kRecords = 3000;

    void SetUp() override
    {
        fields_ = {{"Date", 'D', 8, 0},  {"Time", 'C', 8, 0}, {"Tagname", 'C', 10, 0},
                   {"Value", 'C', 8, 0}, {"Note", 'C', 6, 0}, {"Level", 'N', 8, 2}};
        auto bytes = zarngen::DbfHeaderBytes(fields_, kRecords);
        for (int i = 0; i < kRecords; ++i) {
            zarngen::DbfRecord record(fields_);
            record.SetText(kDate, i < 2000 ? "20240115" : "20240116");
            char time[16];
            std::snprintf(time, sizeof time, "%02d:%02d:%02d", i / 3600 % 24, i / 60 % 60, i % 60);
            record.SetText(kTime, time);
            record.SetText(kTag, kTags[i % 3]);
            record.SetRawDouble(kValue, ValueOf(i));
            record.SetText(kNote, i % 10 == 0 ? "" : std::string(1, char('a' + i % 7)) + "x");
            record.SetText(kLevel, "");
            bytes.insert(bytes.end(), record.Bytes().begin(), record.Bytes().end());
        }
        testing::WriteBytes(Path(), bytes);
        ASSERT_TRUE(table_.Open(Path()));
        cells_ = std::make_unique<RecordCells>(table_, ActiveCodePage());
    }
    std::string Path() const { return folder_.File("plant.dbf"); }

    ColumnStatistics Count(int field, const RecordSet& records)
    {
        StatisticsJob job(*cells_, field, records);
        job.RunToEnd();
        return job.Statistics();
    }

    testing::TempFolder folder_;
    std::vector<zarngen::DbfFieldSpec> fields_;
    CConvertDATToDBF table_;
    std::unique_ptr<RecordCells> cells_;
};

// Two passes in long double over the finite values of `records`.
struct Naive
{
    int64_t count = 0, nonFinite = 0;
    long double mean = 0, deviation = 0;
    double min = INFINITY, max = -INFINITY;
};

Naive NaiveOf(const std::vector<int>& records)
{
    Naive naive;
    long double sum = 0;
    for (int i : records) {
        double v = ValueOf(i);
        if (!std::isfinite(v)) {
            ++naive.nonFinite;
            continue;
        }
        ++naive.count, sum += v, naive.min = std::min(naive.min, v), naive.max = std::max(naive.max, v);
    }
    naive.mean = sum / naive.count;
    long double squares = 0;
    for (int i : records)
        if (std::isfinite(ValueOf(i))) squares += (ValueOf(i) - naive.mean) * (ValueOf(i) - naive.mean);
    naive.deviation = std::sqrt(squares / (naive.count - 1));
    return naive;
}

void ExpectMatches(const ColumnSummary& summary, const Naive& naive)
{
    EXPECT_EQ(summary.numbers.count, naive.count);
    EXPECT_EQ(summary.nonFinite, naive.nonFinite);
    EXPECT_EQ(summary.numbers.min, naive.min);
    EXPECT_EQ(summary.numbers.max, naive.max);
    EXPECT_NEAR(summary.numbers.mean, static_cast<double>(naive.mean), 1e-6);
    EXPECT_NEAR(*summary.numbers.StandardDeviation(), static_cast<double>(naive.deviation), 1e-7);
}

TEST_F(Statistics, ValuesOverallAndPerTagMatchANaiveComputation)
{
    ColumnStatistics statistics = Count(kValue, RecordSet::All(kRecords));
    std::vector<int> all, byTag[3];
    for (int i = 0; i < kRecords; ++i) all.push_back(i), byTag[i % 3].push_back(i);
    ExpectMatches(statistics.Overall(), NaiveOf(all));
    EXPECT_EQ(statistics.Overall().records, kRecords);
    EXPECT_EQ(statistics.Overall().Counted() + statistics.Overall().nonFinite, kRecords);
    ASSERT_TRUE(statistics.ByTag());
    ASSERT_EQ(statistics.Tags().size(), 3u);
    for (size_t t = 0; t < 3; ++t) ExpectMatches(statistics.Tags()[t].summary, NaiveOf(byTag[t]));
    // Time stamps of the records counted: 15 January 00:00:00 to 16 January 00:49:59.
    const std::string first = TimeStampText(*statistics.Overall().firstTime);
    EXPECT_EQ(first.substr(first.size() - 8), "00:00:00");
    EXPECT_EQ(*statistics.Overall().lastTime - *statistics.Overall().firstTime, 86400.0 + 2999);

    StatisticsReport report = ReportStatistics(statistics, *cells_);
    std::string least, shown;
    for (const auto& row : report.overall.rows)
        if (row[0] == "Minimum") least = row[1];
    // As the list shows the cell of the least value.
    cells_->Text(cells_->Read(statistics.Overall().numbers.minRecord), kValue, shown);
    EXPECT_EQ(least, shown);
    ASSERT_EQ(report.tags.rows.size(), 3u);
    EXPECT_EQ(report.tags.rows[1][0], "Valve");
    EXPECT_EQ(report.tags.rows[1][1], std::to_string(NaiveOf(byTag[1]).count));
    std::string text = StatisticsCopyText("Statistics of Value", report);
    EXPECT_EQ(text.substr(0, text.find('\n', 20) + 1), "Statistics of Value\nStatistic\tValue\n");
    EXPECT_NE(text.find("\n\nTag\tCount\tNot finite\tMinimum\tMaximum\tMean\tStandard deviation\tFirst "
                        "time stamp\tLast time stamp\nPump\t" +
                        std::to_string(NaiveOf(byTag[0]).count) + "\t"),
              std::string::npos)
        << text;
}

TEST_F(Statistics, SubsetsAndSplitRunsCountTheirRecordsOnly)
{
    std::vector<int> chosen;
    std::vector<uint32_t> listed;
    for (int i = kRecords - 1; i >= 0; --i)
        if (i % 7 < 3) chosen.push_back(i), listed.push_back(static_cast<uint32_t>(i));
    ExpectMatches(Count(kValue, RecordSet::Listed(listed)).Overall(), NaiveOf(chosen));

    std::vector<int> ranged;
    for (int i = 10; i <= 20; ++i) ranged.push_back(i);
    for (int i = 2500; i <= 2999; ++i) ranged.push_back(i);
    ExpectMatches(Count(kValue, RecordSet::Ranges({{10, 20}, {2500, 2999}})).Overall(), NaiveOf(ranged));

    // Records the table cannot give are counted apart and said.
    ColumnStatistics beyond = Count(kValue, RecordSet::Ranges({{2990, 3009}}));
    EXPECT_EQ(beyond.Overall().records, 10);
    EXPECT_EQ(beyond.Unreadable(), 10);
    EXPECT_EQ(ReportStatistics(beyond, *cells_).overall.rows[4],
              (std::vector<std::string>{"Unreadable records", "10"}));

    // Parts of a run on threads of their own merge into the same figures.
    std::atomic<bool> stop = false;
    StatisticsRun run(table_, ActiveCodePage(), kValue, RecordSet::Ranges({{10, 20}, {2500, 2999}}), 4);
    ASSERT_TRUE(run.Opened());
    ASSERT_TRUE(run.Run(stop));
    EXPECT_EQ(run.Fraction(), 1.0);
    ExpectMatches(run.Statistics().Overall(), NaiveOf(ranged));
    ASSERT_EQ(run.Statistics().Tags().size(), 3u);
    EXPECT_EQ(run.Statistics().Tags()[0].summary.records + run.Statistics().Tags()[1].summary.records +
                  run.Statistics().Tags()[2].summary.records,
              static_cast<int64_t>(ranged.size()));
}

TEST_F(Statistics, TextsCountAndOrderByTheirBytesAndAnEmptyColumnCountsNothing)
{
    ColumnStatistics notes = Count(kNote, RecordSet::All(kRecords));
    EXPECT_FALSE(notes.Numeric());
    EXPECT_EQ(notes.Overall().Counted(), 2700);
    EXPECT_EQ(notes.Overall().empty, 300);
    EXPECT_EQ(notes.Overall().least, "ax");
    EXPECT_EQ(notes.Overall().greatest, "gx");
    StatisticsReport report = ReportStatistics(notes, *cells_);
    for (const auto& row : report.overall.rows) EXPECT_NE(row[0], "Mean");
    EXPECT_EQ(report.tags.headings.size(), 6u);  // tag, count, least, greatest, first and last time

    // Parts merge into the least and greatest texts of the earliest records holding them.
    std::atomic<bool> stop = false;
    StatisticsRun run(table_, ActiveCodePage(), kNote, RecordSet::All(kRecords), 4);
    ASSERT_TRUE(run.Run(stop));
    EXPECT_EQ(run.Statistics().Overall().leastRecord, notes.Overall().leastRecord);
    EXPECT_EQ(run.Statistics().Overall().greatestRecord, notes.Overall().greatestRecord);
    EXPECT_EQ(run.Statistics().Tags()[2].summary.leastRecord, notes.Tags()[2].summary.leastRecord);

    ColumnStatistics level = Count(kLevel, RecordSet::All(kRecords));
    EXPECT_EQ(level.Overall().Counted(), 0);
    EXPECT_EQ(level.Overall().empty, kRecords);
    EXPECT_FALSE(level.Overall().firstTime);
    for (const auto& row : ReportStatistics(level, *cells_).overall.rows) {
        if (row[0] == "Minimum" || row[0] == "Mean" || row[0] == "Standard deviation") {
            EXPECT_EQ(row[1], "") << row[0];
        }
    }
    EXPECT_EQ(Count(kValue, RecordSet::Listed({})).Overall().records, 0);
}

TEST_F(Statistics, DatesAndTimesAverageAsDatesAndTimes)
{
    auto figure = [this](int field, const std::string& name) {
        for (const auto& row : ReportStatistics(Count(field, RecordSet::All(kRecords)), *cells_).overall.rows)
            if (row[0] == name) return row[1];
        return std::string();
    };
    // The times are 0 to 2999 seconds after midnight; two thirds of the dates are the 15th, a third the 16th.
    EXPECT_EQ(figure(kTime, "Mean"), "00:25:00");
    EXPECT_EQ(figure(kTime, "Standard deviation"), "866.17 s");
    const std::string mean = figure(kDate, "Mean");
    EXPECT_EQ(mean.substr(mean.size() - 8), "08:00:00");
    EXPECT_EQ(figure(kDate, "Standard deviation"), "0.471483 days");
}

TEST(Moments, MeanAndDeviationStayExactForTenMillionValuesFarFromZero)
{
    // Sums of squares lose every digit here; Welford's update keeps them.
    constexpr int64_t kCount = 10'000'000;
    Moments first, second;
    for (int64_t i = 0; i < kCount; ++i) (i < kCount / 2 ? first : second).Add(1e9 + double(i % 2), i);
    first.Merge(second);
    EXPECT_EQ(first.count, kCount);
    EXPECT_NEAR(first.mean, 1e9 + 0.5, 1e-6);
    EXPECT_NEAR(*first.StandardDeviation(), 0.5 * std::sqrt(double(kCount) / (kCount - 1)), 1e-9);
    EXPECT_EQ(first.minRecord, 0);
    EXPECT_EQ(first.maxRecord, 1);
}

TEST_F(Statistics, AStoppedRunGivesNoFigures)
{
    std::atomic<bool> stop = true;
    StatisticsRun run(table_, ActiveCodePage(), kValue, RecordSet::All(kRecords), 2);
    EXPECT_FALSE(run.Run(stop));
    EXPECT_LT(run.Fraction(), 1.0);
}

}  // namespace
}  // namespace logora::ui
