// Trend samples: records of one time stamp share a sample, keys are
// normalised tag names or tag numbers, pens keep their index, and the
// plottable flag follows the table's shape.
#include <gtest/gtest.h>

#include <cstdlib>

#include "TestContext.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/document/TrendSteps.h"
#include "logora/engine/run/ConsoleProgress.h"
#include "tests/logora/zarn/TestFiles.h"
#include "tools/zarn-gen/ZarnGen.h"

namespace logora {
namespace {

using testing::WriteBytes;
using zarngen::DbfFieldSpec;
using zarngen::DbfRecord;

struct Row
{
    const char* time;  // "hh:mm:ss"
    int milliseconds;
    int tag;
    double value;
    const char* tagText = nullptr;  // the tag field's own text instead of `tag`
};

class Trend : public ::testing::Test
{
protected:
    void SetUp() override { setenv("TMPDIR", temp_.Path().c_str(), 1); }
    void TearDown() override { unsetenv("TMPDIR"); }

    // A Zarn data file of `rows` and, when `tagNames` is not empty, its tag file.
    std::string WriteZarn(const std::vector<Row>& rows, const std::vector<std::string>& tagNames)
    {
        const auto fields = zarngen::ZarnDataFields(false);
        auto bytes = zarngen::DbfHeaderBytes(fields, uint32_t(rows.size()));
        DbfRecord record(fields);
        for (const Row& row : rows) {
            record.SetText(0, "20240115");
            record.SetText(1, row.time);
            record.SetNumber(2, row.milliseconds);
            if (row.tagText)
                record.SetText(3, row.tagText);
            else
                record.SetNumber(3, row.tag);
            record.SetRawDouble(4, row.value);
            bytes.insert(bytes.end(), record.Bytes().begin(), record.Bytes().end());
        }
        WriteBytes(folder_.File("Line(1).DAT"), bytes);
        if (!tagNames.empty())
            WriteBytes(folder_.File("Line(Tagname).DAT"), zarngen::ZarnTagFileBytes(tagNames));
        return folder_.File("Line(1).DAT");
    }

    CDatReaderDoc& Load(const std::string& path)
    {
        EXPECT_TRUE(document_.ConvertAndLoad(path));
        ConsoleProgress progress;
        document_.LoadTrendData(progress);
        return document_;
    }

    testing::TempFolder folder_;
    testing::TempFolder temp_;
    test::TestContext context_;
    CDatReaderDoc document_{context_};
};

TEST_F(Trend, SameSecondAndMillisecondsShareASample)
{
    auto& document = Load(WriteZarn(
        {{"08:00:00", 0, 0, 1.0}, {"08:00:00", 0, 1, 2.0}, {"08:00:00", 500, 0, 3.0}}, {"Pump1", "Valve2"}));
    const auto& samples = document.GetSamples();
    ASSERT_EQ(samples.size(), 2u);
    EXPECT_EQ(samples[0].values, (std::vector<double>{1.0, 2.0}));
    EXPECT_EQ(samples[0].milliseconds, 0);
    EXPECT_TRUE(samples[0].dateTimeValid);
    EXPECT_DOUBLE_EQ(samples[0].dateTime, 45306 + 8 / 24.0);
    EXPECT_EQ(samples[1].values, (std::vector<double>{3.0}));
    EXPECT_EQ(samples[1].milliseconds, 500);
}

TEST_F(Trend, NamesDifferingInCaseAndTrailingBlanksAreOneKey)
{
    auto& document = Load(WriteZarn({{"08:00:00", 0, 0, 1.0}, {"08:00:01", 0, 1, 2.0}}, {"pump  ", "PUMP"}));
    EXPECT_EQ(document.GetTagMap(), (std::map<std::string, int32_t>{{"PUMP", 0}}));
    ASSERT_EQ(document.GetSamples().size(), 2u);
    EXPECT_EQ(document.GetSamples()[1].values, (std::vector<double>{2.0}));
}

TEST_F(Trend, PensKeepTheirIndexWhateverTheRecordOrder)
{
    auto& document = Load(WriteZarn({{"08:00:00", 0, 0, 1.0},
                                     {"08:00:00", 0, 1, 2.0},
                                     {"08:00:01", 0, 1, 20.0},
                                     {"08:00:01", 0, 0, 10.0}},
                                    {"A", "B"}));
    const auto& samples = document.GetSamples();
    ASSERT_EQ(samples.size(), 2u);
    EXPECT_EQ(samples[1].values, (std::vector<double>{10.0, 20.0}));
}

TEST_F(Trend, MissingPenValuesAreZero)
{
    auto& document = Load(WriteZarn({{"08:00:00", 0, 0, 1.0}, {"08:00:01", 0, 2, 3.0}}, {}));
    EXPECT_EQ(document.GetTagMap(), (std::map<std::string, int32_t>{{"0", 0}, {"2", 1}}));
    EXPECT_EQ(document.GetSamples()[1].values, (std::vector<double>{0.0, 3.0}));
    // Pens left out keep their samples, which then read 0.0 for the kept ones.
    ConsoleProgress progress;
    document.LoadTrendData(progress, 1);
    ASSERT_EQ(document.GetSamples().size(), 2u);
    EXPECT_EQ(document.GetSamples()[1].values, (std::vector<double>{0.0}));
}

// Records are compared by their bytes before they are parsed: other bytes
// that read as the same time or tag number join that sample or pen, and a
// record whose tag is no number in between changes nothing.
TEST_F(Trend, OtherSpellingsOfATimeOrTagReadAsTheSame)
{
    auto& document = Load(WriteZarn({{"08:00:00", 0, 1, 1.0},
                                     {" 8:00:00", 0, 0, 2.0, "00002"},
                                     {"08:00:00", 0, 0, 9.0, "  x  "},
                                     {"08:00:00", 0, 0, 3.0, "2    "},
                                     {"08:00:01", 0, 2, 4.0},
                                     {"08:00:01", 0, 0, 5.0, "00001"}},
                                    {}));
    EXPECT_EQ(document.GetTagMap(), (std::map<std::string, int32_t>{{"1", 0}, {"2", 1}}));
    const auto& samples = document.GetSamples();
    ASSERT_EQ(samples.size(), 2u);
    EXPECT_EQ(samples[0].values, (std::vector<double>{1.0, 3.0}));
    EXPECT_EQ(samples[1].values, (std::vector<double>{5.0, 4.0}));
}

TEST_F(Trend, InvalidTimesShareASampleWhenEqual)
{
    // The third record's second is read once, with the record before.
    auto& document = Load(WriteZarn(
        {{"25:00:00", 0, 0, 1.0}, {"26:00:00", 0, 1, 2.0}, {"26:00:00", 5, 1, 3.0}, {"08:00:00", 5, 1, 4.0}},
        {"A", "B"}));
    ASSERT_EQ(document.GetSamples().size(), 3u);
    EXPECT_FALSE(document.GetSamples()[0].dateTimeValid);
    EXPECT_FALSE(document.GetSamples()[1].dateTimeValid);
    EXPECT_EQ(document.GetSamples()[1].milliseconds, 5);
    EXPECT_TRUE(document.GetSamples()[2].dateTimeValid);
}

TEST_F(Trend, TagMapSurvivesReload)
{
    auto& document = Load(WriteZarn({{"08:00:00", 0, 1, 1.0}, {"08:00:01", 0, 0, 2.0}}, {"A", "B"}));
    ConsoleProgress progress;
    document.LoadTrendData(progress);
    EXPECT_EQ(document.GetTagMap(), (std::map<std::string, int32_t>{{"A", 1}, {"B", 0}}));
    EXPECT_EQ(document.GetSamples().size(), 2u);
}

TEST_F(Trend, ListedRecordsOnlyKeepThePensOfEveryRecord)
{
    auto& document = Load(WriteZarn({{"08:00:00", 0, 0, 1.0},
                                     {"08:00:01", 0, 1, 2.0},
                                     {"08:00:02", 0, 1, 3.0},
                                     {"08:00:03", 0, 0, 4.0},
                                     {"08:00:04", 0, 1, 5.0}},
                                    {"A", "B"}));
    ConsoleProgress progress;
    document.LoadTrendRecords(progress, {1, 2, 4, 9});  // 9 lies past the table
    const auto& samples = document.GetSamples();
    ASSERT_EQ(samples.size(), 3u);
    EXPECT_DOUBLE_EQ(samples[0].dateTime, 45306 + (8 * 3600 + 1) / 86400.0);
    EXPECT_EQ(samples[1].values, (std::vector<double>{0.0, 3.0}));
    EXPECT_EQ(samples[2].values, (std::vector<double>{0.0, 5.0}));
    EXPECT_EQ(document.GetTagMap().size(), 2u);
}

// Whatever the steps (a record each, or across the reads of the table's
// windows and the gaps of a list), the samples are those of one load.
TEST_F(Trend, StepsOfAnySizeMakeTheSamplesOfOneLoad)
{
    zarngen::ZarnSampleSpec spec;
    spec.records = 6000;
    spec.tagCount = 3;
    std::string error;
    const std::string path = zarngen::WriteZarnDatalog(folder_.Path(), "Steps", spec, error);
    ASSERT_TRUE(document_.ConvertAndLoad(path)) << error;
    std::vector<uint32_t> listed;
    for (uint32_t r = 0; r < 6000; ++r)
        if (r % 7 != 0) listed.push_back(r);
    ConsoleProgress progress;
    document_.LoadTrendRecords(progress, listed);
    const TrendSamples& loaded = document_.GetSamples();

    TagPens pens;
    TrendSamples stepped;
    TrendSteps steps(document_.GetTable(), pens, stepped, SIZE_MAX, &listed);
    int calls = 1;
    while (!steps.Step(1)) ++calls;
    EXPECT_GT(calls, 3);
    EXPECT_EQ(steps.Done(), int64_t(listed.size()));
    ASSERT_EQ(stepped.size(), loaded.size());
    for (size_t i = 0; i < loaded.size(); ++i) {
        ASSERT_EQ(stepped[i].dateTime, loaded[i].dateTime) << i;
        ASSERT_EQ(stepped[i].values, loaded[i].values) << i;
    }
}

struct ShapeCase
{
    const char* name;
    std::vector<DbfFieldSpec> fields;
    bool plottable;
};

class Shape : public Trend, public ::testing::WithParamInterface<ShapeCase>
{
};

TEST_P(Shape, PlottableFlag)
{
    const auto& fields = GetParam().fields;
    WriteBytes(folder_.File("t.dbf"), zarngen::DbfHeaderBytes(fields, 0));
    ASSERT_TRUE(document_.ConvertAndLoad(folder_.File("t.dbf")));
    // Known from the load on, whether or not anyone asked for the shape.
    EXPECT_EQ(document_.IsPlottable(), GetParam().plottable);
    EXPECT_EQ(document_.IsTrendTable(), GetParam().plottable);
}

const DbfFieldSpec kDate{"Date", 'D', 8, 0}, kTime{"Time", 'C', 8, 0}, kMs{"Millitm", 'N', 3, 0},
    kValue{"Value", 'C', 8, 0};

INSTANTIATE_TEST_SUITE_P(
    Tables, Shape,
    ::testing::Values(
        ShapeCase{"ZarnNumbers", zarngen::ZarnDataFields(false), true},
        ShapeCase{"ZarnNames", {kDate, kTime, kMs, {"Tagname", 'C', 255, 0}, kValue}, true},
        ShapeCase{"Vell",
                  {kDate,
                   kTime,
                   kMs,
                   {"Marker", 'C', 1, 0},
                   {"TagIndex", 'C', 10, 0},
                   {"Status", 'N', 2, 0},
                   kValue},
                  true},
        ShapeCase{"FourFields", {kDate, kTime, kMs, {"TagIndex", 'N', 5, 0}}, false},
        ShapeCase{"Plain", {{"Name", 'C', 20, 0}, {"Count", 'N', 5, 0}, kDate, kTime, kMs}, false},
        ShapeCase{"ShortTime", {kDate, {"Time", 'C', 6, 0}, kMs, {"TagIndex", 'N', 5, 0}, kValue}, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace logora
