// Case-blind equality, whose eight-byte steps must not skip a difference or
// a case difference in any position.
#include "common/text/AsciiCase.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

TEST(AsciiCase, EveryPositionOfATextCounts)
{
    const std::string text = "03/29/2026,00:59:50,Pump Station,";
    for (size_t at = 0; at < text.size(); ++at) {
        std::string other = text;
        other[at] = other[at] == 'x' ? 'y' : 'x';
        EXPECT_FALSE(common::EqualsIgnoringAsciiCase(text, other)) << at;
        std::string upper = text;
        upper[at] = static_cast<char>(std::toupper(static_cast<unsigned char>(upper[at])));
        EXPECT_TRUE(common::EqualsIgnoringAsciiCase(text, upper)) << at;
    }
    EXPECT_FALSE(common::EqualsIgnoringAsciiCase(text, text + ","));
    EXPECT_FALSE(common::EqualsIgnoringAsciiCase("[", "{"));  // 0x20 apart, no letters
}

}  // namespace
