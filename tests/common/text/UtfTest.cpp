// The three readings of malformed UTF-8 and the two of an unpaired surrogate
// that the deliverables rely on.
#include "common/text/Utf.h"

#include <gtest/gtest.h>

namespace {

using common::Utf8Repair;

TEST(Utf, EachCallerChoosesWhatStandsForMalformedText)
{
    const std::string overlongThenText = "\xE0\x80\xAFok\xED\xA0\x80";
    EXPECT_EQ(common::Utf8ToUtf16(overlongThenText), std::nullopt);
    EXPECT_EQ(common::Utf8ToUtf16Replacing(overlongThenText, Utf8Repair::PerSequence), u"\uFFFDok\uFFFD");
    EXPECT_EQ(common::Utf8ToUtf16Replacing(overlongThenText, Utf8Repair::PerByte),
              u"\uFFFD\uFFFD\uFFFDok\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(common::Utf8ToUtf16("\xF4\x8F\xBF\xBF"), std::u16string(u"\U0010FFFF"));
    EXPECT_EQ(common::Utf8ToUtf16("\xF4\x90\x80\x80"), std::nullopt);  // beyond U+10FFFF

    const std::u16string loneHalves = {u'a', 0xDC00, 0xD83D, 0xDE00, 0xD800};
    EXPECT_EQ(common::Utf16ToUtf8(loneHalves), std::nullopt);
    EXPECT_EQ(common::Utf16ToUtf8Replacing(loneHalves, '?'), "a?\xF0\x9F\x98\x80?");
}

}  // namespace
