#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "AlarmLogSample.h"
#include "CancelAfter.h"
#include "SetupSample.h"
#include "TempDir.h"
#include "TestContext.h"
#include "logora/engine/alarm/CConvertAlmToDBF.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/convert/Conversion.h"
#include "logora/engine/export/CDataFormatHelper.h"
#include "logora/engine/run/ControlProcess.h"
#include "logora/engine/run/RunState.h"
#include "tests/support/ConvertWithProgress.h"

namespace {

using alarmgen::SampleAlarm;
using logora::CConvertAlmToDBF;
using logora::CDBF;
using logora::ConversionError;

SampleAlarm Alarm(int32_t trigger, int32_t value, int32_t event, int64_t on = 1709280000, int64_t ack = 0)
{
    SampleAlarm alarm;
    alarm.triggerIndex = trigger;
    alarm.triggerValue = value;
    alarm.eventIndex = event;
    alarm.allTriggerMessage = event % 2 == 1;
    alarm.active = event % 3 == 0;
    alarm.timeOn = on;
    alarm.timeAcknowledged = ack;
    return alarm;
}

alarmgen::SampleSetup MachineSetup()
{
    alarmgen::SampleSetup setup;
    setup.version = 6;
    setup.tagNames = {"Boiler.Temp", "Pump.Running"};
    setup.messages = {{0, "1", "Too hot"}, {1, "2", "Pump stopped"}, {1, "5", ""}};
    return setup;
}

std::string LocalText(int64_t seconds)
{
    char text[logora::CDataFormatHelper::DateTextRoom(100)];
    return std::string(text, logora::CDataFormatHelper::FormatUnixDateTime(seconds, text, 100)).substr(0, 20);
}

// Runs the whole conversion as the document does and opens the result.
class AlarmConversion : public testing::Test
{
protected:
    void SetUp() override
    {
        context.run.EnterCommandLineMode(dir.file("logora"));
        std::filesystem::remove(ErrorLog());
    }

    std::string ErrorLog() const { return context.run.GetErrorLogPath(); }
    std::vector<std::string> ErrorLines() const
    {
        std::ifstream in(ErrorLog(), std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    bool Convert(int version, const std::vector<uint8_t>& log, bool withSetup,
                 const std::string& name = "log.alm")
    {
        alarmgen::WriteBytesToFile(dir.file(name), log);
        if (withSetup) alarmgen::WriteSetupFile(dir.file("setup.mal"), MachineSetup());
        CConvertAlmToDBF converter(context, version,
                                   withSetup ? dir.file("setup.mal") : dir.file("none.mal"));
        try {
            converter.Open(dir.file(name));
            logora::ConvertToTableFile(converter, dir.file("out.dbf"), context.run.MappingErrors());
        } catch (const ConversionError& error) {
            error.ReportTo(context.run);
            return false;
        }
        return true;
    }

    void OpenTable()
    {
        table = std::make_unique<CDBF>();
        ASSERT_TRUE(table->OpenRead(dir.file("out.dbf")));
        table->ReadFieldDescriptors();
    }
    std::string Field(int64_t record, const char* name)
    {
        EXPECT_TRUE(table->GoToRecord(record));
        return table->GetFieldString(std::string_view(name));
    }

    testsupport::TempDir dir;
    logora::test::TestContext context;
    std::unique_ptr<CDBF> table;
};

struct VersionCase
{
    int version;
    size_t recordSize;
};

class AlarmLogVersions : public AlarmConversion, public testing::WithParamInterface<VersionCase>
{
};

TEST_P(AlarmLogVersions, EveryGeneratorLayoutReadsBack)
{
    const VersionCase c = GetParam();
    const std::vector<SampleAlarm> alarms = {Alarm(0, 1, 7, 1709280000, 1709280030), Alarm(1, 2, 9, 1, 0)};
    const std::vector<uint8_t> log = alarmgen::BuildAlarmLog(c.version, alarms, 3, c.recordSize - 1);
    ASSERT_EQ(log.size(), 12 + 3 * c.recordSize - 1);
    ASSERT_TRUE(Convert(c.version, log, true));
    OpenTable();
    ASSERT_EQ(table->GetRecordCount(), 2);
    EXPECT_EQ(Field(0, "TrigIdx"), "         0");
    EXPECT_EQ(Field(0, "TrigTag"), "Boiler.Temp");
    EXPECT_EQ(Field(0, "ID"), "         1");
    EXPECT_EQ(Field(0, "Message"), "Too hot");
    EXPECT_EQ(Field(0, "EVIndex"), "         7");
    EXPECT_EQ(Field(0, "AllTrigMsg"), "         1");
    EXPECT_EQ(Field(0, "Active"), "         0");
    EXPECT_EQ(Field(0, "TimeOn"), LocalText(1709280000));
    EXPECT_EQ(Field(0, "TimeAck"), LocalText(1709280030));
    EXPECT_EQ(Field(1, "TrigTag"), "Pump.Running");
    EXPECT_EQ(Field(1, "Message"), "Pump stopped");
    EXPECT_EQ(Field(1, "Active"), "         1");
    EXPECT_EQ(Field(1, "TimeOn"), LocalText(1));
    EXPECT_EQ(Field(1, "TimeAck"), "0");
    EXPECT_TRUE(ErrorLines().empty());
}

INSTANTIATE_TEST_SUITE_P(Generators, AlarmLogVersions,
                         testing::Values(VersionCase{1, 24}, VersionCase{2, 24}, VersionCase{3, 32},
                                         VersionCase{5, 30}, VersionCase{6, 30}, VersionCase{0, 32},
                                         VersionCase{4, 32}),
                         [](const testing::TestParamInfo<VersionCase>& info) {
                             return "Version" + std::to_string(info.param.version);
                         });

TEST_F(AlarmConversion, StrayBytesAfterTheLastRecordAreIgnored)
{
    std::vector<SampleAlarm> alarms;
    for (int i = 0; i < 5; ++i) alarms.push_back(Alarm(0, 1, i));
    ASSERT_TRUE(Convert(2, alarmgen::BuildAlarmLog(2, alarms, 3, 7), false));
    OpenTable();
    EXPECT_EQ(table->GetRecordCount(), 5);
    EXPECT_EQ(table->GetFieldCount(), 7);  // no setup: no TrigTag, no Message
    EXPECT_EQ(table->FindField("TrigTag"), -1);
    EXPECT_EQ(Field(4, "EVIndex"), "         4");
}

TEST_F(AlarmConversion, UnknownTriggersGiveNotFoundAndOneMismatchMessage)
{
    const std::vector<SampleAlarm> alarms = {Alarm(2, 1, 1), Alarm(-1, 1, 2), Alarm(0, 4, 3), Alarm(1, 5, 4),
                                             Alarm(0, 1, 5)};
    ASSERT_TRUE(Convert(6, alarmgen::BuildAlarmLog(6, alarms), true));
    OpenTable();
    EXPECT_EQ(Field(0, "TrigTag"), "not found");  // index equal to the trigger count
    EXPECT_EQ(Field(1, "TrigTag"), "not found");  // negative index
    EXPECT_EQ(Field(2, "TrigTag"), "Boiler.Temp");
    EXPECT_EQ(Field(2, "Message"), "not found");  // no message for the value
    EXPECT_EQ(Field(3, "Message"), "not found");  // an empty message text
    EXPECT_EQ(Field(4, "Message"), "Too hot");
    EXPECT_EQ(ErrorLines(), std::vector<std::string>{"The alarm setup file and log file can not match!\r"});
}

TEST_F(AlarmConversion, WrongFormatNumberIsReportedAndFails)
{
    EXPECT_FALSE(Convert(6, alarmgen::BuildAlarmLog(6, {Alarm(0, 1, 1)}, 2), true));
    EXPECT_EQ(ErrorLines(),
              (std::vector<std::string>{"This Vell Alarm file can not be opened!\r",
                                        dir.file("log.alm") + ": format number 2 at byte 0, expected 3\r",
                                        "Convert log file error\r"}));
}

TEST_F(AlarmConversion, LogCutShortWhileConvertedFailsNamingTheRecord)
{
    const std::string log = dir.file("log.alm");
    alarmgen::WriteBytesToFile(log,
                               alarmgen::BuildAlarmLog(6, std::vector<SampleAlarm>(5000, Alarm(0, 1, 1))));
    CConvertAlmToDBF converter(context, 6);
    converter.Open(log);
    std::filesystem::resize_file(log, 70000);  // inside the second window
    try {
        logora::ConvertToTableFile(converter, dir.file("out.dbf"), context.run.MappingErrors());
        ADD_FAILURE() << "converted a log cut short";
    } catch (const ConversionError& error) {
        EXPECT_EQ(error.record, 2184u);
        error.ReportTo(context.run);
    }
    const std::vector<std::string> lines = ErrorLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].starts_with(log + ": record 2184 cannot be read (")) << lines[0];
    EXPECT_EQ(lines[1], "Convert log file error\r");
}

TEST_F(AlarmConversion, MissingLogFailsToOpen)
{
    CConvertAlmToDBF converter(context, 6);
    EXPECT_THROW(converter.Open(dir.file("missing.alm")), ConversionError);
}

TEST_F(AlarmConversion, EmbeddedTextsWinAndEmptyOnesFallBack)
{
    const std::string embedded = dir.file("embedded.alm");
    alarmgen::WriteBytesToFile(embedded, alarmgen::BuildEmbeddedFile({{7, u"Embedded 7 \u00b0C"}, {8, u""}}));
    chmod(embedded.c_str(), 0444);
    const std::vector<uint8_t> before = testsupport::ReadBytes(embedded);
    const auto stamp = std::filesystem::last_write_time(embedded);

    ASSERT_TRUE(
        Convert(6, alarmgen::BuildAlarmLog(6, {Alarm(0, 1, 7), Alarm(1, 2, 8), Alarm(1, 2, 9)}), true));
    OpenTable();
    EXPECT_EQ(Field(0, "Message"),
              "Embedded 7 \xB0"
              "C");
    EXPECT_EQ(Field(1, "Message"), "Pump stopped");  // empty embedded text
    EXPECT_EQ(Field(2, "Message"), "Pump stopped");  // no embedded entry
    EXPECT_EQ(testsupport::ReadBytes(embedded), before);
    EXPECT_EQ(std::filesystem::last_write_time(embedded), stamp);
}

TEST(CEmbeddedAlarmReader, LoadingStopsAtLongTextsShortReadsAndWrongFormats)
{
    using alarmgen::BuildEmbeddedFile;
    logora::CEmbeddedAlarmReader reader(1252);
    reader.LoadBytes(BuildEmbeddedFile({{1, u"one"}, {1, u"uno"}, {2, u"x", 1024}, {3, u"three"}}));
    EXPECT_EQ(reader.GetCount(), 1u);
    EXPECT_EQ(reader.Lookup(1), "uno");  // a later entry replaces an earlier one
    EXPECT_EQ(reader.Lookup(3), "");

    std::vector<uint8_t> cut = BuildEmbeddedFile({{1, u"one"}, {2, u"two"}});
    cut.pop_back();
    reader.LoadBytes(cut);
    EXPECT_EQ(reader.Lookup(1), "one");
    EXPECT_EQ(reader.Lookup(2), "");

    reader.LoadBytes(BuildEmbeddedFile({{1, u"one"}}, 3));
    EXPECT_EQ(reader.GetCount(), 0u);
    reader.LoadBytes(BuildEmbeddedFile({{1, u"neg", -5}}));
    EXPECT_EQ(reader.GetCount(), 0u);

    testsupport::TempDir dir;
    EXPECT_FALSE(reader.Load(""));
    EXPECT_FALSE(reader.Load(dir.file("embedded.alm")));
    testsupport::WriteBytes(dir.file("embedded.alm"), {9, 9});
    EXPECT_TRUE(reader.Load(dir.file("embedded.alm")));  // present, whatever its content
    EXPECT_EQ(reader.GetCount(), 0u);
}

TEST(CEmbeddedAlarmReader, EmbeddedFileSitsBesideTheLog)
{
    EXPECT_EQ(logora::CEmbeddedAlarmReader::EmbeddedPathFor("history.alm"), "embedded.alm");
    EXPECT_EQ(logora::CEmbeddedAlarmReader::EmbeddedPathFor("/data/line 1/history.alm"),
              "/data/line 1/embedded.alm");
    EXPECT_EQ(logora::CEmbeddedAlarmReader::EmbeddedPathFor("C:\\logs\\history.alm"),
              "C:\\logs\\embedded.alm");
}

using testsupport::CancelAfter;

TEST_F(AlarmConversion, CancelKeepsTheRecordsConvertedSoFar)
{
    std::vector<SampleAlarm> alarms;
    for (int i = 0; i < 10; ++i) alarms.push_back(Alarm(0, 1, i));
    alarmgen::WriteBytesToFile(dir.file("log.alm"), alarmgen::BuildAlarmLog(6, alarms));
    {
        CConvertAlmToDBF converter(context, 6);
        CancelAfter progress(3);
        EXPECT_NO_THROW(
            testsupport::ConvertWithProgress(converter, dir.file("log.alm"), dir.file("out.dbf"), progress));
    }
    OpenTable();
    EXPECT_EQ(table->GetRecordsHeld(), 3);
    EXPECT_EQ(table->GetRecordCount(), 10);
    EXPECT_EQ(Field(2, "EVIndex"), "         2");
}

}  // namespace
