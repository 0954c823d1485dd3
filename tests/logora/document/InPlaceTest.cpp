// A log's table read in place of its input (a Vell datalog, an .OBF
// datalog, a Zarn data file, an alarm log): every record, the counts and the saved files equal those of the
// temporary table a conversion writes, and a ring the runtime advanced since
// the open never shows the records it overwrote as those opened.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string_view>

#include "AlarmLogSample.h"
#include "SampleSet.h"
#include "SetupSample.h"
#include "SetupSelection.h"
#include "TestContext.h"
#include "VellSamples.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/run/ConsoleProgress.h"
#include "logora/engine/run/StringTable.h"
#include "logora/engine/settings/AppSettings.h"
#include "logora/engine/timezone/TimeZoneTable.h"
#include "tests/logora/alarm/CancelAfter.h"
#include "tests/logora/zarn/TestFiles.h"
#include "tools/obf-gen/ObfSample.h"
#include "tools/zarn-gen/ZarnGen.h"

namespace logora::test {
namespace {

using namespace vellgen;
using testing::WriteBytes;

// What a document shows and saves of its input.
struct Shown
{
    bool opened = false;
    bool inPlace = false;
    int64_t records = 0;
    std::optional<RecordsRead> recordsRead;
    bool incomplete = false;
    std::vector<std::string> tagList;
    std::vector<std::vector<uint8_t>> recordBytes;
    std::vector<std::string> cells;
    std::string listCsv, tableCsv, dbf;
    std::vector<std::string> messages;
    bool operator==(const Shown&) const = default;
};

std::string FileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A document's trend samples, every column of every sample; values as bits,
// so that the NaN of a pen without a value compares too.
struct Plotted
{
    std::map<std::string, int32_t> tagMap;
    std::vector<bool> valid;
    std::vector<double> dateTimes;
    std::vector<int32_t> milliseconds;
    std::vector<std::vector<uint64_t>> values;
    bool operator==(const Plotted&) const = default;
};

// A ring of `slots` whose pattern records 0 .. written - 1 went in turn, the
// newest overwriting the oldest once all slots were used.
std::vector<uint8_t> Ring(int32_t slots, int32_t written)
{
    const int32_t used = std::min(slots, written);
    std::vector<LogRecord> records(static_cast<size_t>(used));
    for (int32_t sequence = std::max(0, written - slots); sequence < written; ++sequence)
        records[static_cast<size_t>(sequence % slots)] = PatternRecord(uint64_t(sequence), 3, 1783000000);
    return BuildDatalog(records, written > slots ? written % slots : 0, (written - 1) % slots);
}

class InPlaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("TMPDIR", temporary_.Path().c_str(), 1);
        context_.run.SetMessageBoxSink(
            [this](std::string_view, std::string_view text) { messages_.emplace_back(text); });
    }
    void TearDown() override { unsetenv("TMPDIR"); }

    std::string path(const std::string& name) const { return folder_.File(name); }
    void writeLog(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        WriteBytes(path(name), bytes);
    }

    Shown Open(const std::string& name, bool inPlace)
    {
        messages_.clear();
        Shown shown;
        CDatReaderDoc document(context_);
        document.SetReadInPlace(inPlace);
        shown.opened = document.OnOpenDocument(path(name));
        shown.inPlace = document.IsReadInPlace();
        if (inPlace) {
            EXPECT_TRUE(std::filesystem::is_empty(temporary_.Path())) << "no temporary table";
        }
        shown.records = document.GetRecordCount();
        shown.recordsRead = document.GetRecordsRead();
        shown.incomplete = document.IsConversionIncomplete();
        shown.tagList = document.GetTagList();
        for (int64_t record = 0; record < shown.records; ++record) {
            const uint8_t* bytes = nullptr;
            EXPECT_TRUE(document.GetTable().ReadRecord(record, &bytes)) << record;
            shown.recordBytes.emplace_back(bytes, bytes + document.GetTable().GetRecordLength());
            for (int field = 0; field < document.GetFieldCount(); ++field) {
                std::string text;
                document.GetValue(record, field, text);
                shown.cells.push_back(text);
            }
        }
        if (shown.opened) {
            const std::string saved = path("saved.out");
            document.SetExportForm(CDatReaderDoc::kListForm);
            document.ExportCSV(saved);
            shown.listCsv = FileText(saved);
            document.SetExportForm(CDatReaderDoc::kTableForm);
            document.ExportCSV(saved);
            shown.tableCsv = FileText(saved);
            document.SaveAsDBF(saved);
            shown.dbf = FileText(saved);
        }
        shown.messages = messages_;
        return shown;
    }

    Plotted Plot(const std::string& name, bool inPlace, size_t pensKept)
    {
        CDatReaderDoc document(context_);
        document.SetReadInPlace(inPlace);
        EXPECT_TRUE(document.OnOpenDocument(path(name))) << name;
        EXPECT_EQ(document.IsReadInPlace(), inPlace) << name;
        ConsoleProgress progress;
        document.LoadTrendData(progress, pensKept);
        TrendSamples& samples = document.GetSamples();
        Plotted plotted{document.GetTagMap(), {}, {}, {}, {}};
        for (size_t i = 0; i < samples.size(); ++i) plotted.valid.push_back(samples[i].dateTimeValid);
        plotted.dateTimes = samples.TakeDateTimes();
        plotted.milliseconds = samples.TakeMilliseconds();
        for (const std::vector<double>& column : samples.TakeValues()) {
            plotted.values.emplace_back();
            for (const double value : column) plotted.values.back().push_back(std::bit_cast<uint64_t>(value));
        }
        return plotted;
    }

    // The samples of `name` read in place, straight from its records, are
    // those of its temporary table, with every pen kept and with two.
    void ExpectSamplesAlike(const std::string& name)
    {
        for (const size_t pensKept : {SIZE_MAX, size_t{2}}) {
            const Plotted converted = Plot(name, false, pensKept);
            EXPECT_FALSE(converted.dateTimes.empty()) << name;
            EXPECT_EQ(Plot(name, true, pensKept), converted) << name << ", pens kept " << pensKept;
        }
    }

    // Opens `name` both ways: the same but for where the table is.
    void ExpectAlike(const std::string& name)
    {
        const Shown converted = Open(name, false);
        Shown inPlace = Open(name, true);
        EXPECT_FALSE(converted.inPlace);
        EXPECT_TRUE(inPlace.inPlace) << name;
        inPlace.inPlace = false;
        EXPECT_EQ(inPlace.messages, converted.messages) << name;
        EXPECT_EQ(inPlace.cells, converted.cells) << name;
        EXPECT_TRUE(inPlace == converted) << name;
    }

    testing::TempFolder folder_;
    testing::TempFolder temporary_;
    TestContext context_;
    std::vector<std::string> messages_;
};

TEST_F(InPlaceTest, AVellDatalogsRecordsCountsAndSavedFilesAreThoseOfTheTemporaryTable)
{
    // Many read windows of records of either length, a wrapped ring among them.
    ASSERT_TRUE(WritePatternDatalog(path("Wrapped.log"), 3000, 1234, 5, 1783000000));
    writeLog("Wrapped.tag", BuildTagFile(SampleTagNames(5)));
    ExpectAlike("Wrapped.log");
    ASSERT_TRUE(WritePatternDatalog(path("Plain.log"), 2500, 0, 4, 1783000000));
    ExpectAlike("Plain.log");

    // The ring announces more records than the file holds: incomplete.
    std::vector<LogRecord> slots;
    for (uint64_t sequence = 0; sequence < 300; ++sequence)
        slots.push_back(PatternRecord(sequence, 3, 1783000000));
    writeLog("Short.log", BuildDatalog({400, 0, 299}, slots));
    ExpectAlike("Short.log");

    // A tag number beyond the tag file's names stops at that record.
    slots[250] = Int32Record(1783000000, 0, 9, 1);
    writeLog("Unnamed.log", BuildDatalog(slots, 0, 299));
    writeLog("Unnamed.tag", BuildTagFile(SampleTagNames(3)));
    ExpectAlike("Unnamed.log");

    // Two tags whose names print alike keep their own columns of the table form.
    writeLog("Alike.log", BuildDatalog(slots, 0, 249));
    writeLog("Alike.tag", BuildTagFile({u"Same", u"Same", u"Other"}));
    ExpectAlike("Alike.log");
    writeLog("Empty.log", BuildDatalog(std::vector<LogRecord>{}, 0, -1));
    ExpectAlike("Empty.log");
}

TEST_F(InPlaceTest, AVellDatalogsSamplesReadStraightFromItsRecordsAreThoseOfItsTable)
{
    // Several read windows of a wrapped ring.
    ASSERT_TRUE(WritePatternDatalog(path("Wrapped.log"), 10000, 4321, 5, 1783000000));
    writeLog("Wrapped.tag", BuildTagFile(SampleTagNames(5)));
    ExpectSamplesAlike("Wrapped.log");

    // Several records a time stamp, milliseconds the Millitm column cuts,
    // names alike, and a tag number beyond the tag file's names, which ends
    // the table there.
    std::vector<LogRecord> slots;
    for (int32_t i = 0; i < 600; ++i) {
        const int32_t milliseconds[] = {0, 0, 250, 1234, -5, 999};
        slots.push_back(
            Int32Record(1783000000 + uint32_t(i / 6), milliseconds[i % 6], uint16_t(i % 4 + 1), i));
    }
    slots[500] = Int32Record(1783000100, 0, 9, 1);
    writeLog("Stamps.log", BuildDatalog(slots, 0, 599));
    writeLog("Stamps.tag", BuildTagFile({u"Same", u"Other", u"same ", u"Fourth"}));
    ExpectSamplesAlike("Stamps.log");
    // Without a tag file: tag numbers of any size, 0 among them.
    slots[500].tagNumber = 0;
    slots[501].tagNumber = 65535;
    writeLog("Numbers.log", BuildDatalog(slots, 100, 99));
    ExpectSamplesAlike("Numbers.log");

    // The hour a clock is set back: 00:30 and 01:30 UTC are both 02:30 in
    // Berlin on 27 October 2024, and join one sample. The zone has its tz
    // database name here and its registry key's name on Windows.
    int berlin = -1;
    for (const auto& zone : LoadTimeZoneTable())
        for (const char* name : {"Europe/Berlin", "W. Europe Standard Time"})
            if (zone->DisplayName.find(name) != std::string::npos) berlin = int(zone->Index);
    ASSERT_GE(berlin, 0);
    context_.settings.WriteProfileInt(settings::kOptions, settings::kDestTimeZone, berlin);
    slots.clear();
    for (uint32_t second = 1729987200; second < 1729996200; second += 450)
        for (uint16_t tag = 1; tag <= 2; ++tag)
            slots.push_back(Int16Record(second, 0, tag, int16_t(second % 1000)));
    slots.push_back(Int32Record(1729989000, 0, 1, 7));
    slots.push_back(Int32Record(1729992600, 0, 2, 8));
    writeLog("SetBack.log", BuildDatalog(slots, 0, int32_t(slots.size()) - 1));
    ExpectSamplesAlike("SetBack.log");
}

TEST_F(InPlaceTest, AnObfDatalogsRecordsCountsAndSavedFilesAreThoseOfTheTemporaryTable)
{
    // Both layouts, over many read windows; one announcing more than it holds.
    obfgen::ObfSample sample;
    sample.records = obfgen::PlantRecords(5000);
    obfgen::WriteObfFile(path("Aligned.OBF"), sample);
    ExpectAlike("Aligned.OBF");
    sample.firstColumnLength = 9;
    sample.statedRecordCount = 5200;
    obfgen::WriteObfFile(path("Packed.OBF"), sample);
    ExpectAlike("Packed.OBF");
}

TEST_F(InPlaceTest, AZarnDataFileMergedWithItsTagNamesIsThatOfTheTemporaryTable)
{
    WriteBytes(path("Plant.DAT"), zarngen::ZarnDataFileBytes({5000, 6, false}));
    WriteBytes(path("Plant(Tagname).DAT"), zarngen::ZarnTagFileBytes(zarngen::ZarnTagNames(6)));
    ExpectAlike("Plant.DAT");
    // Tag numbers beyond the tag file's names stop the merge there.
    WriteBytes(path("Short.DAT"), zarngen::ZarnDataFileBytes({3000, 6, false}));
    WriteBytes(path("Short(Tagname).DAT"), zarngen::ZarnTagFileBytes(zarngen::ZarnTagNames(4)));
    ExpectAlike("Short.DAT");
}

TEST_F(InPlaceTest, AnAlarmLogsRecordsCountsSavedFilesAndMessagesAreThoseOfTheTemporaryTable)
{
    ASSERT_TRUE(alarmgen::WriteSetupFile(path("Machine.mal"), alarmgen::MachineSetup(6)));
    const std::vector<alarmgen::SampleAlarm> history = alarmgen::MachineHistory(3000);
    const auto mismatchSaid = [&](const std::string& name) {
        const std::vector<std::string> said = Open(name, true).messages;
        return std::ranges::count(said, std::string(LoadString(strings::AlarmSetupMismatch)));
    };
    std::vector<alarmgen::SampleAlarm> matched;
    for (const auto& alarm : history)
        if (alarm.triggerIndex != history[6].triggerIndex) matched.push_back(alarm);
    // Every layout (24, 32 and 30 bytes), over many read windows; one log
    // ends in part of a record.
    for (const int version : {2, 3, 6}) {
        testsupport::SetupSelection selection(path("Machine.mal"), version);
        context_.context.dialogs = &selection;
        const std::string name = "Matched" + std::to_string(version) + ".alm";
        writeLog(name, alarmgen::BuildAlarmLog(version, matched, 3, version == 2 ? 7 : 0));
        ExpectAlike(name);
        EXPECT_EQ(mismatchSaid(name), 0) << name;
    }
    testsupport::SetupSelection selection(path("Machine.mal"), 6);
    context_.context.dialogs = &selection;
    // A cancel keeps the alarms looked up before it, as it keeps those converted.
    context_.context.progress = [](const std::string&, const std::string&) {
        return std::make_unique<testsupport::CancelAfter>(640);
    };
    ExpectAlike("Matched6.alm");
    EXPECT_EQ(Open("Matched6.alm", true).recordsRead, (RecordsRead{640, int64_t(matched.size())}));
    context_.context.progress = {};
    // The setup lacks a trigger: said at the open either way.
    writeLog("History.alm", alarmgen::BuildAlarmLog(6, history));
    ExpectAlike("History.alm");
    EXPECT_EQ(mismatchSaid("History.alm"), 1);
    // Texts of an embedded file beside the log win.
    ASSERT_TRUE(std::filesystem::create_directory(path("embedded")));
    writeLog("embedded/History.alm", alarmgen::BuildAlarmLog(6, matched));
    writeLog("embedded/embedded.alm", alarmgen::BuildEmbeddedFile(alarmgen::MachineEmbeddedTexts(3000)));
    ExpectAlike("embedded/History.alm");
    // Without a setup file the table has no text columns.
    testsupport::SetupSelection none("");
    context_.context.dialogs = &none;
    ExpectAlike("History.alm");
    context_.context.dialogs = nullptr;
}

TEST_F(InPlaceTest, AnInputRewrittenSinceTheOpenIsNotReadAsTheOneOpened)
{
    const auto rewrite = [&](const std::string& name, const std::string& because) {
        messages_.clear();
        CDatReaderDoc document(context_);
        ASSERT_TRUE(document.OnOpenDocument(path(name)));
        ASSERT_TRUE(document.IsReadInPlace());
        const uint8_t* bytes = nullptr;
        ASSERT_TRUE(document.GetTable().ReadRecord(3000, &bytes));
        // Another writer put other records of the same count there.
        obfgen::ObfSample other;
        other.records = obfgen::PlantRecords(5000);
        for (auto& record : other.records) record.value += 1;
        if (name.ends_with(".OBF"))
            obfgen::WriteObfFile(path(name), other);
        else
            WriteBytes(path(name), zarngen::ZarnDataFileBytes({5000, 5, false}));
        EXPECT_FALSE(document.GetTable().ReadRecord(0, &bytes)) << name;
        ASSERT_EQ(messages_.size(), 1u) << name;
        EXPECT_NE(messages_[0].find(because), std::string::npos) << messages_[0];
    };
    obfgen::ObfSample sample;
    sample.records = obfgen::PlantRecords(5000);
    obfgen::WriteObfFile(path("Plant.OBF"), sample);
    rewrite("Plant.OBF", "was replaced: the last record read in place is another now");
    WriteBytes(path("Plant.DAT"), zarngen::ZarnDataFileBytes({5000, 6, false}));
    WriteBytes(path("Plant(Tagname).DAT"), zarngen::ZarnTagFileBytes(zarngen::ZarnTagNames(6)));
    rewrite("Plant.DAT", "was replaced: the last record read in place is another now");
}

TEST_F(InPlaceTest, AVellRingAdvancedSinceTheOpenShowsOnlyTheRecordsStillThere)
{
    // Records beyond the first read window (1632 records) are read apart from those overwritten.
    writeLog("Trend.log", Ring(10000, 10000));
    const Shown opened = Open("Trend.log", true);
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.OnOpenDocument(path("Trend.log")));
    ASSERT_TRUE(document.IsReadInPlace());
    // The runtime overwrites the three oldest records.
    writeLog("Trend.log", Ring(10000, 10003));
    const uint8_t* bytes = nullptr;
    ASSERT_TRUE(document.GetTable().ReadRecord(9999, &bytes));
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + document.GetTable().GetRecordLength()),
              opened.recordBytes[9999]);
    messages_.clear();
    EXPECT_FALSE(document.GetTable().ReadRecord(0, &bytes)) << "overwritten";
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find("its ring wrapped over the records read in place"), std::string::npos)
        << messages_[0];
    ASSERT_TRUE(document.GetTable().ReadRecord(5000, &bytes));
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + document.GetTable().GetRecordLength()),
              opened.recordBytes[5000]);
    EXPECT_EQ(messages_.size(), 1u) << "reported once";
    // Nor does its plot, which reads the datalog's records themselves.
    ConsoleProgress progress;
    document.LoadTrendData(progress);
    EXPECT_TRUE(document.GetSamples().empty());
    EXPECT_EQ(messages_.size(), 1u);

    // A ring the runtime went all the way round shows none of them.
    writeLog("Trend.log", Ring(10000, 20001));
    EXPECT_FALSE(document.GetTable().ReadRecord(9999, &bytes));
}

}  // namespace
}  // namespace logora::test
