// Conversions between decimal texts and fixed-point unsigned 32-bit values.
#include "ordil/include/ordil.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "CaseName.h"

namespace {

// A text and decimals, with the expected conversion result or convertibility.
struct NumberTextCase
{
    std::u16string text;
    int32_t decimals;
    uint32_t expected;
};

void PrintTo(const NumberTextCase& c, std::ostream* os)
{
    *os << '"' << std::string(c.text.begin(), c.text.end()) << "\" with " << c.decimals;
}

class FloatStringToULong : public testing::TestWithParam<NumberTextCase>
{
};

TEST_P(FloatStringToULong, Converts)
{
    EXPECT_EQ(UtlFloatStringToULong(GetParam().text.c_str(), GetParam().decimals), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FloatStringToULong,
    testing::Values(
        NumberTextCase{u"1.5e3", 0, 1500}, NumberTextCase{u"1.5", -1, 15}, NumberTextCase{u"15", 2, 1500},
        NumberTextCase{u"12.345", 2, 1234}, NumberTextCase{u"12.3", 2, 1230}, NumberTextCase{u"15", -1, 15},
        NumberTextCase{u"-7.25", 2, 725}, NumberTextCase{u"2.5e-1", 2, 25}, NumberTextCase{u"2.5e-1", -1, 25},
        NumberTextCase{u"1.234E2", 1, 1234}, NumberTextCase{u"1.5e0", -1, 15},
        NumberTextCase{u"12 EUR", 0, 12}, NumberTextCase{u"12 EUR", 2, 1200},
        NumberTextCase{u"42949672.95", 2, 4294967295u}, NumberTextCase{u"42949672.96", 2, 0},
        // Plain forms that do not fit their room are not converted.
        NumberTextCase{u"1e30", 0, 0}, NumberTextCase{u"1e-20", 0, 0},
        NumberTextCase{u"1e999999999999", 0, 0},
        NumberTextCase{u"1.234567890123456789012345678901234e2", 0, 0}, NumberTextCase{u"1e17", 0, 0},
        NumberTextCase{u"1e15", 0, 2764472320u}, NumberTextCase{u"", 2, 0}, NumberTextCase{u"yes", 0, 0}),
    [](const auto& info) { return testsupport::IndexedName(info, info.param.text); });

TEST(FloatStringToULong, MissingTextGivesZero)
{
    EXPECT_EQ(UtlFloatStringToULong(nullptr, 2), 0u);
}

class IsConvertibleFloatString : public testing::TestWithParam<NumberTextCase>
{
};

TEST_P(IsConvertibleFloatString, Decides)
{
    EXPECT_EQ(uint32_t(UtlIsConvertibleFloatString(GetParam().text.c_str(), GetParam().decimals)),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IsConvertibleFloatString,
    testing::Values(NumberTextCase{u"42949672.95", 2, 1}, NumberTextCase{u"42949672.96", 2, 0},
                    NumberTextCase{u"42949672.959", 2, 1}, NumberTextCase{u"1", 11, 0},
                    NumberTextCase{u"0", 11, 0}, NumberTextCase{u"4294967295", 0, 1},
                    NumberTextCase{u"4294967296", 0, 0}, NumberTextCase{u"4294967295", -1, 1},
                    NumberTextCase{u"0.4294967295", 10, 1}, NumberTextCase{u"0.4294967296", 10, 0},
                    NumberTextCase{u"0.4", 10, 1}, NumberTextCase{u"0.5", 10, 0}, NumberTextCase{u"1", 10, 0},
                    NumberTextCase{u"42949", 5, 1}, NumberTextCase{u"42950", 5, 0},
                    NumberTextCase{u"4.294967295e9", 0, 1}, NumberTextCase{u"4.294967296e9", 0, 0},
                    NumberTextCase{u"1.5e3", -1, 1},
                    // Leading zeros, blanks and the sign are no digits of the value.
                    NumberTextCase{u"04294967296", 0, 0}, NumberTextCase{u"+4294967296", 0, 0},
                    NumberTextCase{u"  4294967296", 0, 0}, NumberTextCase{u"-0000000001.5", 1, 1},
                    NumberTextCase{u"0.00000000001", -1, 1}, NumberTextCase{u"1e30", 0, 0},
                    NumberTextCase{u"1e-20", 0, 0}, NumberTextCase{u"1.5.", 0, 0}, NumberTextCase{u"", 0, 0}),
    [](const auto& info) { return testsupport::IndexedName(info, info.param.text); });

TEST(IsConvertibleFloatString, MissingTextIsNotConvertible)
{
    EXPECT_EQ(UtlIsConvertibleFloatString(nullptr, 0), 0);
}

struct ToStringCase
{
    uint32_t value;
    int32_t decimals;
    std::u16string text;
};

class ULongToFloatString : public testing::TestWithParam<ToStringCase>
{
};

TEST_P(ULongToFloatString, Formats)
{
    const char16_t* text = UtlULongToFloatString(GetParam().value, GetParam().decimals);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::u16string(text), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, ULongToFloatString,
                         testing::Values(ToStringCase{5, 2, u"0.05"}, ToStringCase{0, 0, u"0.0"},
                                         ToStringCase{123, 0, u"123.0"}, ToStringCase{12345, 2, u"123.45"},
                                         ToStringCase{100, 2, u"1.00"}, ToStringCase{42, 2, u"0.42"},
                                         ToStringCase{4294967295u, 10, u"0.4294967295"},
                                         ToStringCase{4294967295u, 0, u"4294967295.0"},
                                         ToStringCase{7, 15, u"0.000000000000007"},
                                         ToStringCase{4294967295u, 32, u"0.00000000000000000000004294967295"},
                                         ToStringCase{0, 32, u"0.00000000000000000000000000000000"}),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param.text); });

TEST(ULongToFloatString, DecimalsOutsideTheRangeGiveNoText)
{
    EXPECT_EQ(UtlULongToFloatString(5, 33), nullptr);
    EXPECT_EQ(UtlULongToFloatString(5, -1), nullptr);
}

TEST(ULongToFloatString, EachThreadHasItsOwnText)
{
    const char16_t* mine = UtlULongToFloatString(1, 1);
    std::u16string theirs;
    std::thread([&] { theirs = UtlULongToFloatString(987654, 3); }).join();
    EXPECT_EQ(std::u16string(mine), u"0.1");
    EXPECT_EQ(theirs, u"987.654");
}

TEST(FixedPoint, FormattedValuesConvertBack)
{
    for (uint32_t value : {0u, 1u, 9u, 10u, 123456u, 4294967295u}) {
        for (int32_t decimals = 0; decimals <= 10; ++decimals) {
            std::u16string text = UtlULongToFloatString(value, decimals);
            EXPECT_EQ(UtlIsConvertibleFloatString(text.c_str(), decimals), 1);
            EXPECT_EQ(UtlFloatStringToULong(text.c_str(), decimals), value);
        }
    }
}

}  // namespace
