// Tag files: validation, names into the code page, short files.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "VellTestSupport.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/text/CodePage.h"
#include "logora/engine/text/Utf8.h"
#include "logora/engine/vell/CConvertLogToDBF.h"
#include "logora/engine/vell/TagNameText.h"

namespace logora::test {
namespace {

using namespace vellgen;

constexpr uint32_t kTime = 1783000000;

class TagFileTest : public VellTest
{
protected:
    // A datalog with one record per tag number given.
    void writeLogWithTags(const std::string& name, const std::vector<uint16_t>& tags)
    {
        std::vector<LogRecord> slots;
        for (uint16_t tag : tags) slots.push_back(Int32Record(kTime, 0, tag, tag));
        writeLog(name, BuildDatalog(slots, 0, static_cast<int32_t>(slots.size()) - 1));
    }
};

TEST_F(TagFileTest, NamesInTheWindowsCodePage)
{
    writeLogWithTags("X.LOG", {1, 2, 1});
    writeLog("X.tag", BuildTagFile({u"Temperatur Kessel \u00C4", u"Druck"}));
    ConvertedTable table = convert("X.LOG");
    ASSERT_TRUE(table.converted) << table.error;
    EXPECT_EQ(table.fieldNames[4], "Tag:C255");
    EXPECT_EQ(table.recordLength, 285u);
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[0].tag, "Temperatur Kessel \xC4");
    EXPECT_EQ(table.rows[1].tag, "Druck");
    EXPECT_EQ(table.tagList, (std::vector<std::string>{"Temperatur Kessel \xC4", "Druck"}));
}

TEST_F(TagFileTest, TagFileFoundWhateverItsLetterCase)
{
    for (const char* tagName : {"Y.TAG", "Y.Tag"}) {
        writeLogWithTags("Y.LOG", {1});
        writeLog(tagName, BuildTagFile({u"Level"}));
        ConvertedTable table = convert("Y.LOG");
        ASSERT_EQ(table.rows.size(), 1u) << tagName;
        EXPECT_EQ(table.rows[0].tag, "Level") << tagName;
    }

    // The exact spelling wins over other letter cases.
    writeLog("Y.tag", BuildTagFile({u"Exact"}));
    ConvertedTable table = convert("Y.LOG");
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0].tag, "Exact");
}

// In a child process with an alarm set, so that a hanging open fails the test.
// The child runs the test afresh in a folder of its own, which it removes: it
// ends before the fixture could.
void OpenLogBesideAPipe(const std::string& log, const std::string& pipe)
{
    ::alarm(10);
    int status = 1;
    {
        TestContext context;
        CConvertLogToDBF converter(context);
        try {
            converter.Open(log);
        } catch (const ConversionError& error) {
            status = error.detail == pipe + ": is a named pipe (FIFO), not a regular file" ? 0 : 1;
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(log).parent_path(), ignored);
    std::_Exit(status);
}

TEST_F(TagFileTest, TagFileThatIsANamedPipeFailsTheOpen)
{
    writeLogWithTags("p.log", {1});
    ASSERT_EQ(::mkfifo(path("p.tag").c_str(), 0600), 0);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(OpenLogBesideAPipe(path("p.log"), path("p.tag")), testing::ExitedWithCode(0), "");
}

TEST_F(TagFileTest, ShortTagFileKeepsTheNamesReadSoFar)
{
    std::vector<uint8_t> bytes = BuildTagFile({u"One", u"Two", u"Three"}, {.announcedCount = 5});
    writeLogWithTags("short.log", {1, 3, 2});
    writeLog("short.tag", bytes);
    ConvertedTable table = convert("short.log");
    EXPECT_TRUE(table.converted);
    EXPECT_EQ(table.tagList, (std::vector<std::string>{"One", "Two", "Three"}));

    // Cut in the middle of the third name: two names.
    bytes.resize(bytes.size() - 3);
    writeLog("short.tag", bytes);
    writeLogWithTags("short.log", {1, 2, 3, 1});
    table = convert("short.log");
    EXPECT_FALSE(table.converted);
    EXPECT_NE(table.error.find("tag number 3"), std::string::npos) << table.error;
    EXPECT_EQ(table.rows.size(), 2u);  // the records before the faulty one
}

TEST_F(TagFileTest, TagNumberBeyondTheNamesOrZeroIsAnError)
{
    for (uint16_t bad : {uint16_t{0}, uint16_t{3}}) {
        writeLogWithTags("bad.log", {1, bad});
        writeLog("bad.tag", BuildTagFile({u"A", u"B"}));
        ConvertedTable table = convert("bad.log");
        EXPECT_FALSE(table.converted);
        EXPECT_NE(table.error.find("bad.log"), std::string::npos) << table.error;
        EXPECT_EQ(table.rows.size(), 1u);
    }
}

TEST_F(TagFileTest, WrongHeadersFail)
{
    writeLogWithTags("h.log", {1});
    for (const TagFileOptions& options :
         {TagFileOptions{.format = 88}, TagFileOptions{.signature = "Plivanterra datalogger tag file!"},
          TagFileOptions{.signature = "Plivanterra datalogger tag file.X"}}) {
        writeLog("h.tag", BuildTagFile({u"A"}, options));
        EXPECT_FALSE(convert("h.log").converted);
    }
    writeLog("h.tag", std::vector<uint8_t>(37, 0));
    EXPECT_FALSE(convert("h.log").converted);
}

TEST_F(TagFileTest, WrongDatalogHeadersFail)
{
    std::vector<LogRecord> slots = {Int32Record(kTime, 0, 1, 0)};
    DatalogHeader wrongFormat{1, 0, 0, 13};
    DatalogHeader wrongText{1, 0, 0, 14, "Plivanterra datalogger data file!"};
    for (const DatalogHeader& header : {wrongFormat, wrongText}) {
        writeLog("w.log", BuildDatalog(header, slots));
        EXPECT_FALSE(convert("w.log").converted);
    }
    std::vector<uint8_t> shortFile = BuildDatalog(slots, 0, 0);
    shortFile.resize(51);
    writeLog("w.log", shortFile);
    EXPECT_FALSE(convert("w.log").converted);
    EXPECT_FALSE(convert("missing.log").converted);
}

TEST_F(TagFileTest, LongUtf8NamesAreCutBetweenCharacters)
{
    context_.context.codePage = kCodePageUtf8;
    writeLogWithTags("u.log", {1, 2});
    // 300 two-byte characters, and "x" followed by 300 of them.
    writeLog("u.tag", BuildTagFile({std::u16string(300, u'\u00E9'), u"x" + std::u16string(300, u'\u00E9')}));
    ConvertedTable table = convert("u.log");
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0].tag.size(), 254u);
    EXPECT_EQ(table.rows[1].tag.size(), 255u);
    EXPECT_EQ(table.tagList[0], table.rows[0].tag);
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(table.rows[0].tag)), table.rows[0].tag);
}

struct FitCase
{
    int codePage;
    std::u16string name;
    size_t limit;
    size_t expectedSize;
};

TEST(TagNameTextTest, FitsWithoutSplittingCharacters)
{
    const FitCase cases[] = {
        {1252, std::u16string(300, u'a'), 255, 255},
        {65001, u"ab\u20AC", 4, 2},      // the euro sign takes three bytes
        {65001, u"ab\U0001F600", 5, 2},  // four-byte character
        {65001, u"ab\U0001F600", 6, 6},
        {1252, u"", 255, 0},
    };
    for (const FitCase& c : cases) {
        std::string utf16;
        for (char16_t ch : c.name) {
            utf16.push_back(static_cast<char>(ch & 0xFF));
            utf16.push_back(static_cast<char>(ch >> 8));
        }
        EXPECT_EQ(vell::TagNameFromUtf16(utf16, c.limit, c.codePage).size(), c.expectedSize);
    }
    // A NUL character ends the name; an odd last byte is ignored.
    EXPECT_EQ(vell::TagNameFromUtf16(std::string("A\0B\0\0\0C\0", 8), 255, 1252), "AB");
    EXPECT_EQ(vell::TagNameFromUtf16(std::string("A\0B", 3), 255, 1252), "A");
}

TEST(TagNameTextTest, DoubleByteCodePage)
{
    if (!IsCodePageSupported(932)) GTEST_SKIP() << "code page 932 not available";
    // "x" then 200 two-byte characters: 255 bytes would end inside one.
    std::string name = FromUtf16(u"x" + std::u16string(200, u'\u6E29'), 932);
    ASSERT_EQ(name.size(), 401u);
    std::string fitted = vell::FitToCharacters(name, 255, 932);
    EXPECT_EQ(fitted.size(), 255u);
    std::string even = vell::FitToCharacters(name.substr(1), 255, 932);
    EXPECT_EQ(even.size(), 254u);
}

}  // namespace
}  // namespace logora::test
