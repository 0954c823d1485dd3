// The JSON report's texts: escaping, replaced malformed UTF-8, the verdict
// words. The document itself is read back in the console tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "vettle/JsonReport.h"

namespace vettle::test {
namespace {

TEST(JsonString, EscapesQuotesBackslashesAndEveryControlCharacter)
{
    EXPECT_EQ(JsonString("a\"b\\c/"), "\"a\\\"b\\\\c/\"");
    EXPECT_EQ(JsonString("\r\n\t"), "\"\\r\\n\\t\"");
    EXPECT_EQ(JsonString(std::string("\0\x01\x1F\x7F", 4)), "\"\\u0000\\u0001\\u001f\\u007f\"");
    // U+0085 and U+009F are controls; U+00A0 and U+00FC are not.
    EXPECT_EQ(JsonString("\xC2\x85\xC2\x9F\xC2\xA0\xC3\xBC"), "\"\\u0085\\u009f\xC2\xA0\xC3\xBC\"");
}

TEST(JsonString, ReplacesWhatIsNotUtf8)
{
    constexpr const char* kReplacement = "\xEF\xBF\xBD";
    // A Latin-1 file name, a cut-short sequence, an encoded surrogate.
    EXPECT_EQ(JsonString("D\xFC.csv"), std::string("\"D") + kReplacement + ".csv\"");
    EXPECT_EQ(JsonString("\xE2\x82"), std::string("\"") + kReplacement + kReplacement + "\"");
    EXPECT_EQ(JsonString("\xED\xA0\x80").find('\xED'), std::string::npos);
    EXPECT_EQ(JsonString("\xF0\x9F\x98\x80"), "\"\xF0\x9F\x98\x80\"");
}

TEST(JsonReport, OneLowerCaseWordPerOutcome)
{
    std::set<std::string_view> words;
    for (DetectVerdict verdict :
         {DetectVerdict::Passed, DetectVerdict::Tampered, DetectVerdict::RowsAltered,
          DetectVerdict::ColumnsAltered, DetectVerdict::Unmarked, DetectVerdict::Corrupted,
          DetectVerdict::FileMissing, DetectVerdict::FileNotOpened, DetectVerdict::FileNotRead,
          DetectVerdict::Cancelled}) {
        const std::string_view word = VerdictWord(verdict);
        EXPECT_TRUE(!word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
            return std::islower(c);
        })) << word;
        EXPECT_TRUE(words.insert(word).second) << word;
    }
}

}  // namespace
}  // namespace vettle::test
