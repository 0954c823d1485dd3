#include <gtest/gtest.h>

#include <filesystem>

#include "AlarmLogSample.h"
#include "ArchiveWriter.h"
#include "CompoundBytesBuilder.h"
#include "SetupSample.h"
#include "TempDir.h"
#include "logora/engine/alarm/CAlarmSetup.h"
#include "logora/engine/alarm/SideFileLimit.h"
#include "logora/engine/text/CodePage.h"
#include "platform/compound/CompoundWriter.h"

namespace {

using alarmgen::SampleSetup;
using logora::CAlarmSetup;

SampleSetup TwoTriggers(int32_t version)
{
    SampleSetup setup;
    setup.version = version;
    setup.tagNames = {"Boiler.Temp", "Pump.Running"};
    setup.messages = {{0, "1", "Too hot"}, {1, "2", "Pump stopped"}, {1, "", "dropped"}};
    return setup;
}

// Which items each setup-file version holds, as the archive defines them.
class SetupVersions : public testing::TestWithParam<int32_t>
{
};

TEST_P(SetupVersions, ReadsExactlyTheItemsOfTheVersion)
{
    const int32_t v = GetParam();
    const std::vector<uint8_t> archive = alarmgen::BuildSetupArchive(TwoTriggers(v));
    CAlarmSetup setup(1252);
    ASSERT_TRUE(setup.LoadArchive(archive));
    ASSERT_EQ(setup.GetTriggerCount(), 2);
    const logora::CTrigger& trigger = setup.GetTrigger(1);
    EXPECT_EQ(trigger.tagName, "Pump.Running");
    EXPECT_EQ(setup.TagName(1), "Pump.Running");
    EXPECT_EQ(trigger.numbers[0], alarmgen::TriggerNumber(1, 1));
    EXPECT_EQ(trigger.numbers[1], alarmgen::TriggerNumber(1, 2));
    EXPECT_EQ(trigger.texts[0], v >= 4 && v <= 12 ? alarmgen::TriggerText(1) : "");
    EXPECT_EQ(trigger.numbers[2], v != 1 ? alarmgen::TriggerNumber(1, 3) : 0);
    EXPECT_EQ(trigger.numbers[3], alarmgen::TriggerNumber(1, 4));
    EXPECT_EQ(trigger.texts[4], alarmgen::TriggerText(5));
    EXPECT_EQ(trigger.texts[5], v >= 5 ? alarmgen::TriggerText(6) : "");
    EXPECT_EQ(trigger.texts[7], v >= 10 ? alarmgen::TriggerText(8) : "");
    EXPECT_EQ(trigger.numbers[4], v >= 12 ? alarmgen::TriggerNumber(1, 5) : 0);

    ASSERT_EQ(setup.GetMessages().size(), 3u);
    const logora::CMsg& message = setup.GetMessages()[1];
    EXPECT_EQ(message.triggerIndex, 1);
    EXPECT_EQ(message.valueText, "2");
    const bool hasText = v < 5 || (v >= 6 && v <= 12);
    EXPECT_EQ(message.messageText, hasText ? "Pump stopped" : "");
    EXPECT_EQ(message.numbers[0], v >= 5 ? alarmgen::MessageNumber(1, 1) : 0);
    EXPECT_EQ(message.numbers[1], v > 2 ? alarmgen::MessageNumber(1, 2) : 0);
    EXPECT_EQ(message.flags, (std::array<uint8_t, 4>{1, 2, 3, uint8_t(v >= 7 ? 4 : 0)}));
    EXPECT_EQ(setup.GetMessages()[2].messageText, "");  // no value text, no message text

    // The trailer is read to its last item: one byte less is an archive error.
    CAlarmSetup truncated(1252);
    EXPECT_FALSE(truncated.LoadArchive(std::span(archive).first(archive.size() - 1)));
}

INSTANTIATE_TEST_SUITE_P(AllConditions, SetupVersions,
                         testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Version" + std::to_string(info.param);
                         });

TEST(CAlarmSetup, PlainFileAndCompoundStreamLoadTheSame)
{
    testsupport::TempDir dir;
    const SampleSetup sample = TwoTriggers(6);
    ASSERT_TRUE(alarmgen::WriteSetupFile(dir.file("plain.mal"), sample));
    ASSERT_TRUE(alarmgen::WriteCompoundSetupFile(dir.file("compound.mal"), sample));
    ASSERT_TRUE(platform::WriteCompoundFile(dir.file("lower.mal"),
                                            {{"alarms", alarmgen::BuildSetupArchive(sample)}}));

    CAlarmSetup plain(1252), compound(1252), lower(1252);
    ASSERT_TRUE(plain.Load(dir.file("plain.mal")));
    ASSERT_TRUE(compound.Load(dir.file("compound.mal")));
    ASSERT_TRUE(lower.Load(dir.file("lower.mal")));
    for (const CAlarmSetup* setup : {&compound, &lower}) {
        ASSERT_EQ(setup->GetTriggerCount(), plain.GetTriggerCount());
        EXPECT_EQ(setup->GetTrigger(0).tagName, plain.GetTrigger(0).tagName);
        EXPECT_EQ(setup->GetTrigger(1).numbers, plain.GetTrigger(1).numbers);
        ASSERT_EQ(setup->GetMessages().size(), plain.GetMessages().size());
        EXPECT_EQ(setup->FindMessage(1, 2), "Pump stopped");
    }
}

TEST(CAlarmSetup, LoadFailsWithoutAnArchive)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(platform::WriteCompoundFile(dir.file("other.mal"), {{"Recipes", {1, 2, 3}}}));
    std::vector<uint8_t> archive = alarmgen::BuildSetupArchive(TwoTriggers(6));
    archive.resize(archive.size() / 2);
    testsupport::WriteBytes(dir.file("short.mal"), archive);

    CAlarmSetup setup(1252);
    EXPECT_FALSE(setup.Load(dir.file("other.mal")));  // compound file without "Alarms"
    EXPECT_FALSE(setup.Load(dir.file("short.mal")));
    EXPECT_FALSE(setup.Load(dir.file("missing.mal")));
    EXPECT_EQ(setup.GetRefusal(), "");
    EXPECT_FALSE(setup.Load(dir.path().string()));  // a folder
    EXPECT_EQ(setup.GetRefusal(), dir.path().string() + ": is a folder, not a regular file");
}

// A damaged compound file is no setup file that does not match: it fails.
TEST(CAlarmSetup, DamagedCompoundFileIsRefused)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("damaged.mal");
    testsupport::WriteBytes(path,
                            testsupport::BuildCompoundBytes(
                                {{u"Root Entry", 5, 1, testsupport::kNoEntry, testsupport::kNoEntry, 1, {}},
                                 {u"Alarms", 1, 1, testsupport::kNoEntry, testsupport::kNoEntry, 0, {}}}));
    CAlarmSetup setup(1252);
    EXPECT_FALSE(setup.Load(path));
    EXPECT_EQ(setup.GetRefusal(),
              path + ": a damaged compound file: directory entry 1 leads back to the root entry");
}

// A sparse file: the size is refused before anything is read.
TEST(CAlarmSetup, AFileLargerThanAnySetupIsRefusedUnread)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("huge.mal");
    testsupport::WriteBytes(path, alarmgen::BuildSetupArchive(TwoTriggers(6)));
    std::filesystem::resize_file(path, logora::kSideFileLimit + 1);

    CAlarmSetup setup(1252);
    EXPECT_FALSE(setup.Load(path));
    EXPECT_EQ(setup.GetRefusal(),
              path + ": 268435457 bytes, more than the limit of 268435456 bytes (256 MiB)");
}

TEST(CAlarmSetup, DamagedCountsAndLengthsAreArchiveErrorsNotAllocations)
{
    struct Case
    {
        const char* label;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases;
    {
        alarmgen::ArchiveWriter out;
        out.Int(6);
        out.Count(4000000000u, true);  // four billion triggers in a few bytes
        std::vector<uint8_t> bytes = out.Bytes();
        bytes.resize(1024, 0);
        cases.push_back({"TriggerCount", bytes});
    }
    {
        alarmgen::ArchiveWriter out;
        out.Int(6);
        out.Count(0);
        out.Count(0xFFFFFFFFu);
        cases.push_back({"MessageCount", out.Bytes()});
    }
    {
        alarmgen::ArchiveWriter out;
        out.Int(6);
        out.Count(1);
        out.RawLength(0xFFFFFFF0u);  // tag name far longer than the file
        cases.push_back({"StringLength", out.Bytes()});
    }
    {
        alarmgen::ArchiveWriter out;
        out.Int(6);
        out.Count(1);
        out.WideString(u"");
        std::vector<uint8_t> bytes = out.Bytes();
        bytes.back() = 0xFF;  // wide length prefix cut short
        cases.push_back({"WideLength", bytes});
    }
    cases.push_back({"Empty", {}});
    for (const Case& c : cases) {
        CAlarmSetup setup(1252);
        EXPECT_FALSE(setup.LoadArchive(c.bytes)) << c.label;
    }
}

TEST(CAlarmSetup, EscapedCountsReadSeventyThousandMessages)
{
    SampleSetup sample = TwoTriggers(6);
    sample.escapedCounts = true;
    sample.messages.clear();
    for (int i = 0; i < 70000; ++i)
        sample.messages.push_back({i % 2, std::to_string(i), "m" + std::to_string(i)});
    CAlarmSetup setup(1252);
    ASSERT_TRUE(setup.LoadArchive(alarmgen::BuildSetupArchive(sample)));
    EXPECT_EQ(setup.GetTriggerCount(), 2);
    ASSERT_EQ(setup.GetMessages().size(), 70000u);
    EXPECT_EQ(setup.FindMessage(1, 69999), "m69999");
    EXPECT_EQ(setup.FindMessage(0, 69999), "");
}

TEST(CAlarmSetup, FindMessageTakesTheFirstMatchInFileOrderByAtoiValue)
{
    SampleSetup sample = TwoTriggers(6);
    sample.messages = {
        {0, "3", "first three"}, {0, "03", "second three"},     {1, "", "emptied"},
        {1, "0", "zero"},        {2, " +7x", "seven"},          {2, "-4", "minus four"},
        {2, "abc", "letters"},   {0, "99999999999", "clamped"},
    };
    CAlarmSetup setup(1252);
    ASSERT_TRUE(setup.LoadArchive(alarmgen::BuildSetupArchive(sample)));
    EXPECT_EQ(setup.FindMessage(0, 3), "first three");
    EXPECT_EQ(setup.FindMessage(1, 0), "");  // the empty value text counts as 0 and comes first
    EXPECT_EQ(setup.FindMessage(2, 7), "seven");
    EXPECT_EQ(setup.FindMessage(2, -4), "minus four");
    EXPECT_EQ(setup.FindMessage(2, 0), "letters");
    EXPECT_EQ(setup.FindMessage(0, 2147483647), "clamped");
    EXPECT_EQ(setup.FindMessage(3, 3), "");
    EXPECT_EQ(setup.FindMessage(0, 4), "");
}

TEST(CAlarmSetup, WideTextsAreConvertedToTheActiveCodePage)
{
    SampleSetup sample = TwoTriggers(6);
    sample.wideText = true;
    sample.tagNames[0] =
        "Temp \xC2\xB0"
        "C";                                          // UTF-8 in the sample, "°" is 0xB0 in 1252
    sample.messages[0].text = std::string(300, 'x');  // a wide text with a 16-bit length
    CAlarmSetup setup(1252);
    ASSERT_TRUE(setup.LoadArchive(alarmgen::BuildSetupArchive(sample)));
    EXPECT_EQ(setup.GetTrigger(0).tagName,
              "Temp \xB0"
              "C");
    EXPECT_EQ(setup.FindMessage(0, 1), std::string(300, 'x'));
}

TEST(AtoiValue, ReadsAsTheCLibraryDoes)
{
    const std::pair<const char*, int32_t> cases[] = {
        {"3", 3},
        {"03", 3},
        {"  \t-12", -12},
        {"+5", 5},
        {"7abc", 7},
        {"", 0},
        {"-", 0},
        {"x1", 0},
        {"- 1", 0},
        {"2147483648", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-99999999999", -2147483647 - 1},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(logora::AtoiValue(text), value) << '"' << text << '"';
}

}  // namespace
