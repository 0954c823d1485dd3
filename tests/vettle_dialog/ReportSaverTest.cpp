// "Save Result..." below the widgets: target names, the replace question,
// the bytes written, and failures that must leave existing files alone.
#include "vettle/dialog/ReportSaver.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "CaseName.h"

namespace vettle {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Utf16Le(std::u16string_view text)
{
    std::string bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

struct TargetCase
{
    const char* chosen;
    const char* target;  // nullptr: ignored
};

class ReportTargetPathTest : public ::testing::TestWithParam<TargetCase>
{
};

TEST_P(ReportTargetPathTest, AppendsTxtAndRefusesInvalidNames)
{
    const std::optional<std::string> target = ReportTargetPath(GetParam().chosen);
    if (GetParam().target == nullptr) {
        EXPECT_FALSE(target) << *target;
    } else {
        EXPECT_EQ(target, std::optional<std::string>(GetParam().target));
    }
}

INSTANTIATE_TEST_SUITE_P(Names, ReportTargetPathTest,
                         ::testing::Values(TargetCase{"/r/report.txt", "/r/report.txt"},
                                           TargetCase{"/r/report.TxT", "/r/report.TxT"},
                                           TargetCase{"/r/report", "/r/report.txt"},
                                           TargetCase{"/r/report.csv", "/r/report.csv.txt"},
                                           TargetCase{"/r.d/report", "/r.d/report.txt"},
                                           TargetCase{"/r/.txt", nullptr}, TargetCase{"/r/a.b.txt", nullptr},
                                           TargetCase{"/r/we#rd.txt", nullptr}, TargetCase{"/r/", nullptr}),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param.chosen); });

TEST(ReportFileBytes, AreMarkHeadingReportAndLineEndInUtf16Le)
{
    const std::string bytes =
        ReportFileBytes("/data/M\xC3\xBChle.csv", "Passed. No data adulteration detected.");
    EXPECT_EQ(bytes, "\xFF\xFE" + Utf16Le(u"Detection report of file /data/M\u00FChle.csv:\r\n"
                                          u"Passed. No data adulteration detected.\r\n"));
}

class SaveResultTest : public ::testing::Test
{
protected:
    SaveResultTest()
    {
        std::string pattern = (fs::temp_directory_path() / "vettle-save-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
    }
    ~SaveResultTest() override { fs::remove_all(folder_); }

    SaveOutcome Save(std::optional<std::string> chosen, bool replace = true)
    {
        SaveResultPrompts prompts;
        prompts.chooseFile = [chosen] { return chosen; };
        prompts.confirmReplace = [this, replace](const std::string& question) {
            questions_.push_back(question);
            return replace;
        };
        prompts.showError = [this](const std::string& message) { errors_.push_back(message); };
        return SaveResult("/data/log.csv", "Adulteration detected at line 3.\r\n", prompts);
    }

    fs::path folder_;
    std::vector<std::string> questions_;
    std::vector<std::string> errors_;
};

TEST_F(SaveResultTest, WritesANewFileWithoutAsking)
{
    EXPECT_EQ(Save((folder_ / "report").string()), SaveOutcome::Saved);
    EXPECT_EQ(ReadBytes(folder_ / "report.txt"),
              ReportFileBytes("/data/log.csv", "Adulteration detected at line 3.\r\n"));
    EXPECT_TRUE(questions_.empty());
    EXPECT_TRUE(errors_.empty());
}

TEST_F(SaveResultTest, AsksBeforeReplacingTheFileThatWouldBeReplaced)
{
    std::ofstream(folder_ / "old.csv.txt") << "keep";
    EXPECT_EQ(Save((folder_ / "old.csv").string(), false), SaveOutcome::Declined);
    EXPECT_EQ(questions_,
              std::vector<std::string>{"old.csv.txt already exists.\nDo you want to replace it?"});
    EXPECT_EQ(ReadBytes(folder_ / "old.csv.txt"), "keep");

    EXPECT_EQ(Save((folder_ / "old.csv").string(), true), SaveOutcome::Saved);
    EXPECT_EQ(ReadBytes(folder_ / "old.csv.txt").substr(0, 2), "\xFF\xFE");
}

TEST_F(SaveResultTest, CancelAndInvalidNamesWriteNothingAndSayNothing)
{
    EXPECT_EQ(Save(std::nullopt), SaveOutcome::Cancelled);
    EXPECT_EQ(Save((folder_ / "a.b.txt").string()), SaveOutcome::InvalidName);
    EXPECT_TRUE(fs::is_empty(folder_));
    EXPECT_TRUE(errors_.empty());
}

TEST_F(SaveResultTest, UnwritableFolderIsReportedWithThePath)
{
    const std::string target = (folder_ / "missing" / "report.txt").string();
    EXPECT_EQ(Save(target), SaveOutcome::NotWritten);
    EXPECT_EQ(errors_, std::vector<std::string>{"Report file " + target + " could not be opened."});
}

}  // namespace
}  // namespace vettle
