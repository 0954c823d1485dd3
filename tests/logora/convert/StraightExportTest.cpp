// A batch run's export straight from the converter must give the bytes,
// reports and outcomes of converting into a table and exporting that.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string_view>

#include "AlarmLogSample.h"
#include "LocaleBuild.h"
#include "ObfSample.h"
#include "RecipeFile.h"
#include "RowsAsText.h"
#include "SetupSample.h"
#include "SetupSelection.h"
#include "VellTestSupport.h"
#include "logora/engine/context/AppOptions.h"
#include "logora/engine/dbf/ColumnRoles.h"
#include "logora/engine/dbf/DBFStructures.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/export/ShortDate.h"
#include "logora/engine/formats/InputFormats.h"
#include "logora/engine/settings/AppSettings.h"
#include "tests/logora/timezone/TzEnvironment.h"
#include "tools/dbf-gen/DatalogTable.h"
#include "tools/zarn-gen/ZarnGen.h"

namespace logora::test {
namespace {

using namespace vellgen;
using Straight = CDatReaderDoc::StraightExport;
using testsupport::SetupSelection;

constexpr uint32_t kSpringChange = 1774745990;  // 2026-03-29 00:59:50 UTC

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class StraightExportTest : public VellTest
{
protected:
    void SetUp() override
    {
        VellTest::SetUp();
        context_.run.SetMessageBoxSink(
            [this](std::string_view, std::string_view text) { messages_.emplace_back(text); });
    }

    // The usual way: the table first, then its export.
    std::string usualExport(const std::string& log, int form)
    {
        CDatReaderDoc document(context_);
        document.SetExportForm(form);
        EXPECT_TRUE(document.ConvertAndLoad(path(log)));
        EXPECT_TRUE(document.ExportCSV(path("usual.csv")));
        document.OnCloseDocument();
        return readFile(path("usual.csv"));
    }

    Straight straightExport(const std::string& log, int form, const std::string& output = "straight.csv")
    {
        CDatReaderDoc document(context_);
        document.SetExportForm(form);
        return document.ExportStraightToCsv(path(log), path(output));
    }

    // The table's export on one thread, the straight one on one and on
    // several, which build the lines of logs that offer their input there.
    void expectSameBytes(const std::string& log, int form)
    {
        context_.options.exportThreads = 1;
        const std::string usual = usualExport(log, form);
        for (unsigned threads : {1u, 3u}) {
            context_.options.exportThreads = threads;
            ASSERT_EQ(straightExport(log, form), Straight::Written);
            EXPECT_EQ(readFile(path("straight.csv")), usual) << log << " in form " << form << ", " << threads;
        }
    }

    std::vector<std::string> messages_;
};

TEST_F(StraightExportTest, SameBytesAsTheTableInBothForms)
{
    // Wrapped ring, every value type and flag, non-ASCII and over-long names,
    // in enough records for several blocks of an export's threads.
    ASSERT_TRUE(WritePatternDatalog(path("named.log"), 5000, 1111, 6, kSpringChange));
    writeLog("named.tag", BuildTagFile(SampleTagNames(6)));
    ASSERT_TRUE(WritePatternDatalog(path("numbers.log"), 120, 0, 7, kSpringChange));
    // Texts the CSV must quote, and a tag no name is given for in the table form.
    writeLog("quoted.tag", BuildTagFile({u"Flow, \"main\"", u"Line\nfeed", u"FLOW, \"MAIN\""}));
    writeLog(
        "quoted.log",
        BuildDatalog({Int32Record(kSpringChange, 5, 1, -7), Int32Record(kSpringChange, 5, 2, 8),
                      Int32Record(kSpringChange, 5, 3, 9), SingleRecord(kSpringChange + 1, 0, 2, 2.5f),
                      // Milliseconds outside a second's.
                      Int32Record(kSpringChange + 1, -5, 1, 1), Int32Record(kSpringChange + 1, 12345, 1, 2)},
                     0, 5));

    for (const char* log : {"named.log", "numbers.log", "quoted.log"})
        expectSameBytes(log, CDatReaderDoc::kListForm);
    for (const char* log : {"named.log", "quoted.log"}) expectSameBytes(log, CDatReaderDoc::kTableForm);

    // The float format comes from the settings, as for the loaded table.
    context_.options.floatLength = 30;
    context_.options.decimalCount = 2;
    expectSameBytes("named.log", CDatReaderDoc::kListForm);
    expectSameBytes("named.log", CDatReaderDoc::kTableForm);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(StraightExportTest, FoldersWithNonAsciiNamesGiveTheBytesOfAnAsciiOne)
{
    // The tag file is opened apart from its datalog: on Windows a path in the
    // ANSI code page would miss it there and change the table's layout.
    const std::vector<uint8_t> log =
        BuildDatalog({Int32Record(kSpringChange, 0, 1, 4), Int32Record(kSpringChange, 7, 2, 5)}, 0, 1);
    const std::vector<uint8_t> tags = BuildTagFile({u"Vorlauf", u"R\u00FCcklauf"});
    const std::vector<std::string> folders{"Kessel", "Kessel S\u00FCd", "\u041A\u043E\u0442\u0451\u043B"};
    for (const std::string& folder : folders) {
        ASSERT_TRUE(std::filesystem::create_directory(folder_ / testsupport::Utf8Path(folder)));
        writeLog(folder + "/Plant.LOG", log);
        writeLog(folder + "/Plant.tag", tags);
    }
    for (int form : {CDatReaderDoc::kListForm, CDatReaderDoc::kTableForm}) {
        const std::string ascii = usualExport(folders[0] + "/Plant.LOG", form);
        for (size_t i = 1; i < folders.size(); ++i) {
            EXPECT_EQ(usualExport(folders[i] + "/Plant.LOG", form), ascii)
                << folders[i] << " in form " << form;
            ASSERT_EQ(straightExport(folders[i] + "/Plant.LOG", form), Straight::Written) << folders[i];
            EXPECT_EQ(readFile(path("straight.csv")), ascii) << folders[i] << " in form " << form;
        }
    }
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.ConvertAndLoad(path(folders[2] + "/Plant.LOG")));
    EXPECT_TRUE(document.HasTagNames());
    document.OnCloseDocument();
    EXPECT_TRUE(messages_.empty());
}

TEST_F(StraightExportTest, AlarmLogGivesTheBytesAndMessagesOfTheTable)
{
    alarmgen::SampleSetup setup;
    setup.tagNames = {"Boiler.Temp", "Pump, \"main\""};
    setup.messages = {{0, "1", "Too hot"}, {1, "2", "Pump stopped"}};
    ASSERT_TRUE(alarmgen::WriteSetupFile(path("plant.mal"), setup));
    // Known and unknown triggers and values, times of 0 and beyond, in
    // enough records for many blocks of an export's threads.
    std::vector<alarmgen::SampleAlarm> alarms;
    for (int32_t i = 0; i < 3000; ++i) {
        alarms.push_back({0, 1, 7, true, false, kSpringChange + i, 0});
        alarms.push_back({1, 2, 8, false, true, kSpringChange + 61, i});
        alarms.push_back({5, 3, 9, false, false, 0, kSpringChange});
    }
    writeLog("history.alm", alarmgen::BuildAlarmLog(2, alarms));
    SetupSelection selection(path("plant.mal"));
    context_.context.dialogs = &selection;
    expectSameBytes("history.alm", CDatReaderDoc::kListForm);
    context_.context.dialogs = nullptr;
    EXPECT_NE(readFile(path("straight.csv")).find("Pump stopped"), std::string::npos);
    // Once for the table, once for each straight export.
    const std::string mismatch = "The alarm setup file and log file can not match!";
    EXPECT_EQ(messages_, (std::vector<std::string>{mismatch, mismatch, mismatch}));
}

TEST_F(StraightExportTest, AlarmLinesMadeFromTheRecordsAreTheLinesOfTheTable)
{
    // Texts to quote, empty ones, ones longer than their field (quoted only
    // for what the field keeps of them) and ones cut at a NUL.
    const std::string longText(300, 'L');
    alarmgen::SampleSetup setup;
    setup.version = 6;
    setup.tagNames = {"Boiler.Temp", "Pump, \"main\"",          "Line\nfeed", "",
                      longText,      std::string("Cut\0off", 7)};
    setup.messages = {{0, "1", "Too hot"},
                      {1, "1", "Say \"stop\""},
                      {2, "1", ""},
                      {3, "1", longText + ", beyond the field"},
                      {4, "1", "a, b" + longText},
                      {5, "1", std::string("Cut\0, off", 10)}};
    ASSERT_TRUE(alarmgen::WriteSetupFile(path("plant.mal"), setup));
    // Embedded texts win; an empty one falls back to the setup's.
    writeLog("embedded.alm",
             alarmgen::BuildEmbeddedFile({{2, u"Embedded, \"two\""}, {3, u""}, {4, u"Plain"}}));
    // Times a few seconds apart across minutes, hours, days and the spring
    // change; back in time; none; in year 10000, which the clock does not
    // break down; every trigger known or not, every value with a message or none.
    std::vector<alarmgen::SampleAlarm> alarms;
    const int64_t midnight = 1774742400;  // 2026-03-29 00:00 UTC
    for (int32_t i = 0; i < 4000; ++i) {
        const int64_t on = (i % 500 == 7 ? midnight - 86400 : midnight - 3700) + 7 * int64_t(i);
        const int64_t ack = i % 3 == 0 ? 0 : on + 59 * (i % 5);
        alarms.push_back({i % 8 - 1, i % 3, i % 7, i % 2 == 0, i % 5 == 0, on, ack});
    }
    // Both ways across a change of offset within a minute (the last zone
    // below changes at 01:00:15).
    for (const int64_t step : {-6, 6, -9, 20, -3, 40, -50})
        alarms.push_back({0, 1, 1, true, true, midnight + 3615 + step, midnight + 3615 - step});
    // Across the leap second at the end of 2016, which right/UTC shows.
    for (int64_t on = 1483228790; on < 1483228840; ++on) alarms.push_back({0, 1, 1, true, true, on, on});
    alarms.push_back({0, 1, 1, true, true, 253402300800, 253402300799});
    alarms.push_back({0, 1, 1, true, true, -1, 1});
    writeLog("history.alm", alarmgen::BuildAlarmLog(6, alarms));
    SetupSelection selection(path("plant.mal"), 6);
    context_.context.dialogs = &selection;
    for (const char* zone : {"Europe/Berlin", "right/UTC", "XXX0YYY-1,M3.5.0/1:00:15,M10.5.0/1:00:15"}) {
        ScopedTz tz(zone);
        expectSameBytes("history.alm", CDatReaderDoc::kListForm);
    }
    context_.context.dialogs = nullptr;
    const std::string csv = readFile(path("straight.csv"));
    for (const char* text :
         {",\"Pump, \"\"main\"\"\",", ",\"Line\nfeed\",", ",Cut,", ",\"Embedded, \"\"two\"\"\",",
          ",\"Say \"\"stop\"\"\",", ",not found,", ",0,", "\r\n"})
        EXPECT_NE(csv.find(text), std::string::npos) << text;
    EXPECT_EQ(messages_.size(), 9u);
}

// The user's short date of a locale where it is longer than ten bytes and
// not ASCII: the time texts are made whole for every record and cut as the
// table's fields cut them.
TEST_F(StraightExportTest, AlarmTimeTextsOfALongShortDateAreThoseOfTheTable)
{
    const std::string locales = path("locales");
    std::filesystem::create_directories(locales);
    if (!BuildLocale(locales, "ja_JP")) GTEST_SKIP() << "localedef cannot build ja_JP here";
    alarmgen::SampleSetup setup;
    setup.version = 6;
    setup.tagNames = {"Boiler.Temp", "Pump, \"main\""};
    setup.messages = {{0, "1", "Too hot"}, {1, "1", "Say \"stop\""}};
    ASSERT_TRUE(alarmgen::WriteSetupFile(path("plant.mal"), setup));
    std::vector<alarmgen::SampleAlarm> alarms;
    const int64_t midnight = 1774742400;  // 2026-03-29 00:00 UTC
    for (int32_t i = 0; i < 600; ++i) {
        const int64_t on = midnight - 300 + 7 * int64_t(i);
        alarms.push_back({i % 2, 1, i % 3, i % 2 == 0, i % 5 == 0, on, i % 3 == 0 ? 0 : on + 61});
    }
    writeLog("history.alm", alarmgen::BuildAlarmLog(6, alarms));
    SetupSelection selection(path("plant.mal"), 6);
    context_.context.dialogs = &selection;
    struct UnderLocale
    {
        explicit UnderLocale(const std::string& folder)
        {
            setenv("LOCPATH", folder.c_str(), 1);
            setenv("LC_ALL", "ja_JP.UTF-8", 1);
            ReloadUserLocale();
        }
        ~UnderLocale()
        {
            unsetenv("LOCPATH");
            setenv("LC_ALL", "C", 1);
            ReloadUserLocale();
        }
    };
    {
        UnderLocale japanese(locales);
        ScopedTz tz("Europe/Berlin");
        expectSameBytes("history.alm", CDatReaderDoc::kListForm);
    }
    context_.context.dialogs = nullptr;
    EXPECT_NE(readFile(path("straight.csv")).find("\xE5\xB9\xB4"), std::string::npos) << "the year's sign";
}

// A sample of every format of the table of input formats, the alarm log's
// setup file chosen at its question.
class EveryFormatTest : public StraightExportTest
{
protected:
    void SetUp() override
    {
        StraightExportTest::SetUp();
        alarmgen::SampleSetup setup;
        setup.tagNames = {"Boiler.Temp", "Pump"};
        setup.messages = {{0, "1", "Too hot"}, {1, "2", "Pump stopped"}};
        ASSERT_TRUE(alarmgen::WriteSetupFile(path("plant.mal"), setup));
        context_.context.dialogs = &selection_;

        std::string error;
        const std::string zarn = zarngen::WriteZarnDatalog(folder_.string(), "Plant", {3000, 5, true}, error);
        ASSERT_FALSE(zarn.empty()) << error;
        ASSERT_TRUE(WritePatternDatalog(path("plant.log"), 3000, 700, 5, kSpringChange));
        writeLog("plant.tag", BuildTagFile(SampleTagNames(5)));
        ASSERT_TRUE(dbfgen::WriteDatalogTable(path("plant.dbf"), 3000, dbfgen::ValueColumn::RawDouble));
        ASSERT_TRUE(obfgen::WriteObfFile(path("plant.obf"), {12, true, obfgen::PlantRecords(3000), -1}));
        std::vector<alarmgen::SampleAlarm> alarms;
        for (int32_t i = 0; i < 3000; ++i)
            alarms.push_back({i % 3, 1 + i % 2, i, i % 2 == 0, false, kSpringChange + i, 0});
        writeLog("plant.alm", alarmgen::BuildAlarmLog(2, alarms));
        ASSERT_TRUE(recipegen::WriteSampleSet(folder_.string()));
        samples_ = {
            {".DAT", std::filesystem::path(zarn).filename().string()},
            {".LOG", "plant.log"},
            {".DBF", "plant.dbf"},
            {".OBF", "plant.obf"},
            {".ALM", "plant.alm"},
            {".RPP", "recipe.rpp"},
        };
    }
    void TearDown() override { context_.context.dialogs = nullptr; }

    // The sample of `format`, failing the test when there is none.
    std::string sampleOf(const InputFormat& format)
    {
        const auto sample = samples_.find(std::string(format.extension));
        EXPECT_NE(sample, samples_.end()) << "no sample of " << format.extension;
        return sample == samples_.end() ? std::string() : sample->second;
    }

    SetupSelection selection_{path("plant.mal")};
    std::map<std::string, std::string> samples_;
};

// Every format through every output: what streams gives the loaded table's
// export, byte for byte; the rest is left to the usual way.
TEST_F(EveryFormatTest, EveryOutputGivesTheBytesOfTheTable)
{
    for (const InputFormat& format : InputFormats()) {
        const std::string sample = sampleOf(format);
        ASSERT_FALSE(sample.empty());
        enum class Output { CsvList, CsvTable, Dbf };
        for (Output output : {Output::CsvList, Output::CsvTable, Output::Dbf}) {
            const bool tableForm = output == Output::CsvTable;
            const std::string name = output == Output::Dbf ? "out.dbf" : "out.csv";
            const bool streams = format.streams && (!tableForm || format.streamsTableForm);
            const std::string where = sample + (output == Output::Dbf ? " as dBASE"
                                                : tableForm           ? " in table form"
                                                                      : " in list form");

            CDatReaderDoc straight(context_);
            straight.SetExportForm(tableForm ? CDatReaderDoc::kTableForm : CDatReaderDoc::kListForm);
            context_.options.exportThreads = 3;
            const Straight outcome =
                output == Output::Dbf ? straight.ExportStraightToDbf(path(sample), path("straight-" + name))
                                      : straight.ExportStraightToCsv(path(sample), path("straight-" + name));
            ASSERT_EQ(outcome, streams ? Straight::Written : Straight::NotOffered) << where;
            if (!streams) continue;

            CDatReaderDoc usual(context_);
            usual.SetExportForm(tableForm ? CDatReaderDoc::kTableForm : CDatReaderDoc::kListForm);
            context_.options.exportThreads = 1;
            ASSERT_TRUE(usual.ConvertAndLoad(path(sample))) << where;
            ASSERT_TRUE(output == Output::Dbf ? usual.SaveAsDBF(path("usual-" + name))
                                              : usual.ExportCSV(path("usual-" + name)))
                << where;
            EXPECT_EQ(readFile(path("straight-" + name)), readFile(path("usual-" + name))) << where;
        }
    }
}

// The typed rows of every format, in both forms, written while converting
// and from the loaded table, hold the values of the CSV form.
TEST_F(EveryFormatTest, TypedRowsHoldTheValuesOfTheCsv)
{
    for (const InputFormat& format : InputFormats()) {
        const std::string sample = sampleOf(format);
        ASSERT_FALSE(sample.empty());
        for (int form : {CDatReaderDoc::kListForm, CDatReaderDoc::kTableForm}) {
            const bool tableForm = form == CDatReaderDoc::kTableForm;
            const std::string where = sample + (tableForm ? " in table form" : " in list form");
            CDatReaderDoc usual(context_);
            ASSERT_TRUE(usual.ConvertAndLoad(path(sample))) << where;
            std::vector<DBFField> fields;
            for (int i = 0; i < usual.GetFieldCount(); ++i) fields.push_back(usual.GetField(i));
            if (tableForm && !HasTableFormColumns(fields)) continue;
            usual.SetExportForm(form);
            ASSERT_TRUE(usual.ExportCSV(path("usual.csv"))) << where;
            RowsAsText loaded;
            usual.SetExportForm(form);
            ASSERT_TRUE(usual.SaveRows(path("rows"), loaded)) << where;
            ASSERT_TRUE(loaded.Finished()) << where;
            const bool datalog = format.extension == ".LOG" || format.extension == ".DAT";
            if (datalog) {
                EXPECT_TRUE(loaded.Layout().hasTimeStamp) << where;
            }
            // A writer may size its storage from the records announced.
            EXPECT_EQ(loaded.Layout().announcedRecords, usual.GetRecordCount()) << where;
            const TextRows csv =
                CsvAsRows(readFile(path("usual.csv")), loaded.Layout(), context_.context.codePage);
            ASSERT_EQ(loaded.Rows().size(), csv.size()) << where;
            for (size_t row = 0; row < csv.size(); ++row)
                ASSERT_EQ(loaded.Rows()[row], csv[row]) << where << ", row " << row;

            const bool streams = format.streams && (!tableForm || format.streamsTableForm);
            RowsAsText straight;
            CDatReaderDoc document(context_);
            document.SetExportForm(form);
            ASSERT_EQ(document.ExportStraightToRows(path(sample), path("rows"), straight),
                      streams ? Straight::Written : Straight::NotOffered)
                << where;
            if (streams) {
                EXPECT_EQ(straight.Rows(), loaded.Rows()) << where;
            }
        }
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(StraightExportTest, ObfDatalogsGiveTheBytesOfTheTable)
{
    std::vector<obfgen::ObfSampleRecord> records = obfgen::PlantRecords(20000);
    records[7].value = -1e300;
    records[8].time = 0;
    records[9].internal = INT32_MIN;
    records[10].milliseconds = 1500;  // beyond a second
    ASSERT_TRUE(obfgen::WriteObfFile(path("aligned.obf"), {12, true, records, -1}));
    ASSERT_TRUE(obfgen::WriteObfFile(path("packed.OBF"), {9, true, records, -1}));
    expectSameBytes("aligned.obf", CDatReaderDoc::kListForm);
    expectSameBytes("packed.OBF", CDatReaderDoc::kListForm);
    context_.options.floatLength = 30;
    context_.options.decimalCount = 2;
    expectSameBytes("aligned.obf", CDatReaderDoc::kListForm);
    // The table form is checked against the loaded table's columns.
    EXPECT_EQ(straightExport("aligned.obf", CDatReaderDoc::kTableForm), Straight::NotOffered);
    EXPECT_TRUE(messages_.empty());
    // A file cut short stops the conversion while the threads build records.
    ASSERT_TRUE(obfgen::WriteObfFile(path("short.obf"), {12, true, records, 30000}));
    EXPECT_EQ(straightExport("short.obf", CDatReaderDoc::kListForm, "short.csv"), Straight::InputFailed);
    EXPECT_FALSE(std::filesystem::exists(path("short.csv")));
}

TEST_F(StraightExportTest, ZarnDatalogsGiveTheBytesOfTheMergedTable)
{
    std::string error;
    const std::string data = zarngen::WriteZarnDatalog(folder_.string(), "Plant", {20000, 7, false}, error);
    ASSERT_FALSE(data.empty()) << error;
    const std::string name = std::filesystem::path(data).filename().string();
    expectSameBytes(name, CDatReaderDoc::kListForm);
    // A data file cut short stops the merge while the threads build records.
    const DBFHeader header = DBFHeader::Decode(reinterpret_cast<const uint8_t*>(readFile(data).data()));
    std::filesystem::resize_file(data,
                                 header.headerLength + 15000 * header.recordLength + header.recordLength / 2);
    EXPECT_EQ(straightExport(name, CDatReaderDoc::kListForm, "short.csv"), Straight::InputFailed);
    EXPECT_FALSE(std::filesystem::exists(path("short.csv")));
    // A tag number the tag file lacks, amid the records handed over a read
    // window at a time, is refused naming its record.
    std::string bytes = readFile(data);
    bytes.replace(header.headerLength + 12345 * header.recordLength + 20, 5, "   99");
    std::ofstream(data, std::ios::binary) << bytes;
    messages_.clear();
    EXPECT_EQ(straightExport(name, CDatReaderDoc::kListForm, "tag.csv"), Straight::InputFailed);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find(": record 12346 names tag \"   99\""), std::string::npos) << messages_[0];
}

TEST_F(StraightExportTest, RecipesGiveTheBytesAndMessagesOfTheTable)
{
    ASSERT_TRUE(recipegen::WriteSampleSet(folder_.string()));
    for (const char* recipe : {"recipe.rpp", "no-tagsets.rpp", "no-ingredients.rpp", "damaged.rpp"}) {
        messages_.clear();
        const std::string usual = usualExport(recipe, CDatReaderDoc::kListForm);
        const std::vector<std::string> usualMessages = messages_;
        messages_.clear();
        ASSERT_EQ(straightExport(recipe, CDatReaderDoc::kListForm), Straight::Written) << recipe;
        EXPECT_EQ(readFile(path("straight.csv")), usual) << recipe;
        EXPECT_EQ(messages_, usualMessages) << recipe;
    }
}

TEST_F(StraightExportTest, TableFormLinesOfTheHourSetBackStayWholeOnTheThreads)
{
    // Each pair an hour apart prints the same local time, so it makes one
    // line; enough pairs that the threads' blocks end inside some of them.
    ScopedTz tz("Europe/Berlin");
    constexpr uint32_t kSummerTwoOClock = 1792886400;  // 25 October 2026, 00:00 UTC
    std::vector<LogRecord> records;
    for (int32_t i = 0; i < 1500; ++i) {
        records.push_back(Int32Record(kSummerTwoOClock + uint32_t(i), 0, 1, i));
        records.push_back(Int32Record(kSummerTwoOClock + 3600 + uint32_t(i), 0, 2, -i));
    }
    writeLog("fold.log", BuildDatalog(records, 0, int32_t(records.size()) - 1));
    writeLog("fold.tag", BuildTagFile({u"Summer", u"Winter"}));
    expectSameBytes("fold.log", CDatReaderDoc::kTableForm);
    const std::string csv = readFile(path("straight.csv"));
    EXPECT_NE(csv.find("10/25/2026,02:00:00,  0,       0.00000000,       0.00000000,"), std::string::npos);
}

TEST_F(StraightExportTest, TagsWhoseNamesPrintAlikeKeepTheirColumns)
{
    // Neither name has a character of the 8-bit code page: both print "???".
    writeLog("alike.tag", BuildTagFile({u"\u0391\u0392\u0393", u"\u0414\u0415\u0416"}));
    writeLog("alike.log",
             BuildDatalog({Int32Record(kSpringChange, 0, 1, 1), Int32Record(kSpringChange, 0, 2, 2)}, 0, 1));
    expectSameBytes("alike.log", CDatReaderDoc::kTableForm);
    const std::string csv = readFile(path("straight.csv"));
    EXPECT_NE(csv.find(";Date,Time,Millitm,???,???,\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",  0,       1.00000000,       2.00000000,"), std::string::npos) << csv;
}

TEST_F(StraightExportTest, OtherWaysAreLeftToTheUsualExport)
{
    ASSERT_TRUE(WritePatternDatalog(path("numbers.log"), 20, 0, 3, kSpringChange));
    writeLog("plant.dat", {1, 2, 3});
    // The table form's columns are unknown without a tag file.
    EXPECT_EQ(straightExport("numbers.log", CDatReaderDoc::kTableForm), Straight::NotOffered);
    EXPECT_EQ(straightExport("plant.dat", CDatReaderDoc::kListForm), Straight::NotOffered);
    EXPECT_EQ(straightExport("numbers.log", CDatReaderDoc::kListForm, "no/such/folder/out.csv"),
              Straight::NotOffered);
    EXPECT_FALSE(std::filesystem::exists(path("straight.csv")));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(StraightExportTest, FaultyDatalogsWriteNothingAndKeepTheOldFile)
{
    std::ofstream(path("straight.csv")) << "old";
    // More records announced than the file holds.
    DatalogHeader header;
    header.count = 10;
    header.newest = 2;
    writeLog("short.log",
             BuildDatalog(header, {Int32Record(kSpringChange, 0, 1, 1), Int32Record(kSpringChange, 0, 1, 2),
                                   Int32Record(kSpringChange, 0, 1, 3)}));
    // A tag number beyond the tag file's names.
    writeLog("tags.log",
             BuildDatalog({Int32Record(kSpringChange, 0, 1, 1), Int32Record(kSpringChange, 0, 9, 2)}, 0, 1));
    writeLog("tags.tag", BuildTagFile({u"A", u"B"}));
    // A wrong format number.
    header = {};
    header.format = 15;
    writeLog("bad.log", BuildDatalog(header, {}));

    for (const char* log : {"short.log", "tags.log"}) {
        CDatReaderDoc document(context_);
        EXPECT_EQ(document.ExportStraightToCsv(path(log), path("straight.csv")), Straight::InputFailed)
            << log;
        EXPECT_TRUE(document.IsConversionIncomplete()) << log;
    }
    CDatReaderDoc document(context_);
    document.SetExportForm(CDatReaderDoc::kTableForm);
    EXPECT_EQ(document.ExportStraightToCsv(path("bad.log"), path("straight.csv")), Straight::NotOffered)
        << "no tag file: the usual way reports";
    document.SetExportForm(CDatReaderDoc::kListForm);
    EXPECT_EQ(document.ExportStraightToCsv(path("bad.log"), path("straight.csv")), Straight::InputFailed);
    EXPECT_FALSE(document.IsConversionIncomplete());
    // One that cannot be opened fails here, rather than be opened again.
    EXPECT_EQ(document.ExportStraightToCsv(path("missing.log"), path("straight.csv")), Straight::InputFailed);

    EXPECT_EQ(readFile(path("straight.csv")), "old");
    ASSERT_EQ(messages_.size(), 4u);
    for (const std::string& message : messages_)
        EXPECT_TRUE(message.starts_with("Convert log file error\n" + folder_.string())) << message;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
        EXPECT_EQ(entry.path().extension() == ".csv", entry.path().filename() == "straight.csv")
            << entry.path();
}

}  // namespace
}  // namespace logora::test
