// The document's ".LOG" branch: the time zone question, tag names flag, tag
// list and the reports of faulty datalogs.
#include <string_view>

#include "VellTestSupport.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/document/DocumentDialogs.h"
#include "logora/engine/settings/AppSettings.h"
#include "logora/engine/timezone/TimeZoneTable.h"

namespace logora::test {
namespace {

using namespace vellgen;

// Answers the time zone question as told and remembers the preset.
class ScriptedDialogs : public DocumentDialogs
{
public:
    bool ChooseTimeZone(int& index) override
    {
        preset = index;
        if (pressOk) index = answer;
        return pressOk;
    }
    void SelectAlarmSetup(const std::string&, std::string&, int&) override {}

    bool pressOk = false;
    int answer = -1;
    int preset = -2;
};

class DocumentLogBranchTest : public VellTest
{
protected:
    void SetUp() override
    {
        VellTest::SetUp();
        context_.context.dialogs = &dialogs_;
        context_.run.SetMessageBoxSink(
            [this](std::string_view, std::string_view text) { messages_.emplace_back(text); });
    }

    void writeRecords(const std::string& name, const std::vector<uint16_t>& tags, int32_t announced = -1)
    {
        std::vector<LogRecord> slots;
        for (uint16_t tag : tags) slots.push_back(Int32Record(1783000000, 0, tag, tag));
        DatalogHeader header;
        header.count = announced < 0 ? static_cast<int32_t>(slots.size()) : announced;
        header.newest = static_cast<int32_t>(slots.size()) - 1;
        writeLog(name, BuildDatalog(header, slots));
    }

    ScriptedDialogs dialogs_;
    std::vector<std::string> messages_;
};

TEST_F(DocumentLogBranchTest, TagFileGivesNamesAndTheFlag)
{
    writeRecords("Plant.LOG", {1, 2, 2});
    writeLog("Plant.tag", BuildTagFile({u"Pump1", u"Pump2"}));
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.ConvertAndLoad(path("Plant.LOG")));
    EXPECT_TRUE(document.HasTagNames());
    EXPECT_EQ(document.GetTagList(), (std::vector<std::string>{"Pump1", "Pump2"}));
    EXPECT_EQ(document.GetRecordCount(), 3);
    EXPECT_FALSE(document.IsConversionIncomplete());
    EXPECT_TRUE(messages_.empty());
    document.OnCloseDocument();
}

TEST_F(DocumentLogBranchTest, LowerCaseExtensionWithoutTagFile)
{
    writeRecords("plant.log", {1, 3});
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.ConvertAndLoad(path("plant.log")));
    EXPECT_FALSE(document.HasTagNames());
    EXPECT_EQ(document.GetTagList(), (std::vector<std::string>{"0", "1", "2"}));
    document.OnCloseDocument();
}

TEST_F(DocumentLogBranchTest, TimeZoneQuestionStoresOnlyWhenConfirmed)
{
    writeRecords("tz.log", {1});
    context_.settings.WriteProfileInt(settings::kOptions, settings::kDestTimeZone, 3);
    dialogs_.pressOk = false;  // closed with its close box
    {
        CDatReaderDoc document(context_);
        EXPECT_TRUE(document.ConvertAndLoad(path("tz.log")));
        document.OnCloseDocument();
    }
    EXPECT_EQ(dialogs_.preset, 3);
    EXPECT_EQ(context_.settings.DestTimeZone(), 3);

    dialogs_.pressOk = true;
    dialogs_.answer = 7;
    {
        CDatReaderDoc document(context_);
        EXPECT_TRUE(document.ConvertAndLoad(path("tz.log")));
        document.OnCloseDocument();
    }
    EXPECT_EQ(context_.settings.DestTimeZone(), 7);
}

TEST_F(DocumentLogBranchTest, ConvertedAgainInAnotherZoneMovesTheTimesByItsOffset)
{
    writeRecords("again.LOG", {1, 2});
    int tokyo = -1;
    for (const auto& zone : LoadTimeZoneTable())
        if (zone->DisplayName.find("Asia/Tokyo") != std::string::npos) tokyo = static_cast<int>(zone->Index);
    ASSERT_GE(tokyo, 0);
    dialogs_.pressOk = true;
    dialogs_.answer = -1;  // the computer's zone, UTC in tests
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.ConvertAndLoad(path("again.LOG")));
    int timeField = -1;
    for (int field = 0; field < document.GetFieldCount(); ++field)
        if (document.GetField(field).Name() == "Time") timeField = field;
    ASSERT_GE(timeField, 0);
    std::string before, after;
    document.GetValue(0, timeField, before);

    dialogs_.answer = tokyo;
    std::unique_ptr<CDatReaderDoc> again = document.ConvertedAgain();
    ASSERT_NE(again, nullptr);
    again->GetValue(0, timeField, after);
    ASSERT_EQ(before.size(), after.size());
    EXPECT_EQ((std::stoi(before.substr(0, 2)) + 9) % 24, std::stoi(after.substr(0, 2)))
        << before << " " << after;
    EXPECT_EQ(before.substr(2), after.substr(2));
    // The first stays whole beside it, for a second reader of its table too
    // (Save As, the statistics); opening the input a third time is refused.
    document.GetValue(0, timeField, after);
    EXPECT_EQ(after, before);
    CConvertDATToDBF second;
    ASSERT_TRUE(second.Open(document.GetTable().GetPath()));
    second.GetValue(0, timeField, after);
    EXPECT_EQ(after, before);
    CDatReaderDoc third(context_);
    EXPECT_FALSE(third.ConvertAndLoad(path("again.LOG")));
}

TEST_F(DocumentLogBranchTest, FaultyDatalogsReportAndLoadWhatWasConverted)
{
    // More records announced than the file holds.
    writeRecords("short.log", {1, 1, 1}, 10);
    CDatReaderDoc shortLog(context_);
    ASSERT_TRUE(shortLog.ConvertAndLoad(path("short.log")));
    EXPECT_TRUE(shortLog.IsConversionIncomplete());
    EXPECT_EQ(shortLog.GetRecordCount(), 3);
    EXPECT_EQ(shortLog.GetRecordsRead(), (RecordsRead{3, 10}));
    shortLog.OnCloseDocument();

    // A tag number beyond the tag file's names.
    writeRecords("tags.log", {1, 2, 9, 1});
    writeLog("tags.tag", BuildTagFile({u"A", u"B"}));
    CDatReaderDoc unknownTag(context_);
    ASSERT_TRUE(unknownTag.ConvertAndLoad(path("tags.log")));
    EXPECT_TRUE(unknownTag.IsConversionIncomplete());
    EXPECT_EQ(unknownTag.GetRecordCount(), 2);
    EXPECT_EQ(unknownTag.GetRecordsRead(), (RecordsRead{2, 4}));
    unknownTag.OnCloseDocument();

    EXPECT_EQ(
        messages_,
        (std::vector<std::string>{
            "Convert log file error\n" + path("short.log") +
                ": corrupt datalog: the header announces 10 records but the file holds only 3",
            "Convert log file error\n" + path("tags.log") + ": record 2 has tag number 9, but the tag file " +
                path("tags.tag") + " names 2 tags"}));
}

TEST_F(DocumentLogBranchTest, WrongHeaderFailsTheOpen)
{
    DatalogHeader header;
    header.format = 15;
    writeLog("bad.log", BuildDatalog(header, {}));
    CDatReaderDoc document(context_);
    EXPECT_FALSE(document.ConvertAndLoad(path("bad.log")));
    EXPECT_EQ(messages_, std::vector<std::string>{"Convert log file error\n" + path("bad.log") +
                                                  ": format number 15 at byte 34, expected 14"});
}

}  // namespace
}  // namespace logora::test
