// Recipe values as text, and how many payload bytes each type number has.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "RecipeTestFiles.h"
#include "TempDir.h"
#include "logora/engine/recipe/RecipeVariant.h"
#include "logora/engine/recipe/VariantText.h"
#include "logora/engine/text/Utf8.h"
#include "platform/locale/DecimalSeparator.h"

namespace logora {
namespace {

using platform::UserDecimalSeparator;

template <typename T>
RecipeVariant Fixed(uint16_t type, T value)
{
    RecipeVariant variant;
    variant.type = type;
    std::memcpy(&variant.bits, &value, sizeof value);  // little-endian host, as the files
    return variant;
}

RecipeVariant Textual(uint16_t type, std::u16string text)
{
    RecipeVariant variant;
    variant.type = type;
    variant.text = std::move(text);
    return variant;
}

struct TextCase
{
    const char* label;
    RecipeVariant value;
    const char* text;
};

class VariantTexts : public testing::TestWithParam<TextCase>
{
};

TEST_P(VariantTexts, MatchTheVariantConversion)
{
    EXPECT_EQ(Utf16ToUtf8(VariantToText(GetParam().value, u".")), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    AllTypes, VariantTexts,
    testing::Values(
        TextCase{"empty", RecipeVariant{}, ""}, TextCase{"i1", Fixed(vt::I1, int8_t{-5}), "-5"},
        TextCase{"ui1", Fixed(vt::UI1, uint8_t{200}), "200"},
        TextCase{"i2", Fixed(vt::I2, int16_t{-120}), "-120"},
        TextCase{"ui2", Fixed(vt::UI2, uint16_t{65535}), "65535"},
        TextCase{"i4", Fixed(vt::I4, int32_t{INT_MIN}), "-2147483648"},
        TextCase{"int", Fixed(vt::Int, int32_t{-7}), "-7"},
        TextCase{"ui4", Fixed(vt::UI4, uint32_t{4000000000u}), "4000000000"},
        TextCase{"uint", Fixed(vt::UInt, uint32_t{4294967295u}), "4294967295"},
        TextCase{"r8 half", Fixed(vt::R8, 12.5), "12.5"}, TextCase{"r8 whole", Fixed(vt::R8, 250.0), "250"},
        TextCase{"r8 third", Fixed(vt::R8, 1.0 / 3.0), "0.333333333333333"},
        TextCase{"r8 15 digits", Fixed(vt::R8, 123456789012345678.0), "1.23456789012346E+17"},
        TextCase{"r8 large", Fixed(vt::R8, 1e20), "1E+20"},
        TextCase{"r8 small", Fixed(vt::R8, 0.0001), "0.0001"},
        TextCase{"r8 tiny", Fixed(vt::R8, -1e-5), "-1E-05"}, TextCase{"r4 tenth", Fixed(vt::R4, 0.1f), "0.1"},
        TextCase{"r4 third", Fixed(vt::R4, 1.0f / 3.0f), "0.3333333"},
        TextCase{"r4 quarter", Fixed(vt::R4, 0.25f), "0.25"},
        TextCase{"bool true", Fixed(vt::Bool, int16_t{-1}), "True"},
        TextCase{"bool other", Fixed(vt::Bool, int16_t{1}), "True"},
        TextCase{"bool false", Fixed(vt::Bool, int16_t{0}), "False"},
        TextCase{"string", Textual(vt::String, u"Gr\u00fcn"), "Gr\xC3\xBCn"},
        TextCase{"currency", Fixed(vt::Currency, int64_t{125000}), ""},
        TextCase{"date", Fixed(vt::Date, 46000.5), ""}, TextCase{"i8", Fixed(vt::I8, int64_t{5}), ""},
        TextCase{"ui8", Fixed(vt::UI8, uint64_t{5}), ""}, TextCase{"error", Fixed(vt::Error, int32_t{5}), ""},
        TextCase{"decimal from text", Textual(vt::Decimal, u"12.5"), ""},
        TextCase{"null from text", Textual(vt::Null, u"x"), ""}),
    ParamLabel<TextCase>);

TEST(VariantText, RealsTakeTheGivenDecimalSeparator)
{
    EXPECT_EQ(VariantToText(Fixed(vt::R8, 12.5), u","), u"12,5");
    EXPECT_EQ(VariantToText(Fixed(vt::R4, 0.25f), u","), u"0,25");
    EXPECT_EQ(VariantToText(Fixed(vt::I4, int32_t{1250}), u","), u"1250");
}

TEST(VariantLayout, PayloadSizesOfEveryListedType)
{
    struct Case
    {
        uint16_t type;
        VariantPayload payload;
        uint32_t size;
    };
    const Case cases[] = {
        {0, VariantPayload::Fixed, 0},   {16, VariantPayload::Fixed, 1},    {17, VariantPayload::Fixed, 1},
        {2, VariantPayload::Fixed, 2},   {11, VariantPayload::Fixed, 2},    {18, VariantPayload::Fixed, 2},
        {3, VariantPayload::Fixed, 4},   {4, VariantPayload::Fixed, 4},     {10, VariantPayload::Fixed, 4},
        {19, VariantPayload::Fixed, 4},  {22, VariantPayload::Fixed, 4},    {23, VariantPayload::Fixed, 4},
        {5, VariantPayload::Fixed, 8},   {6, VariantPayload::Fixed, 8},     {7, VariantPayload::Fixed, 8},
        {20, VariantPayload::Fixed, 8},  {21, VariantPayload::Fixed, 8},    {9, VariantPayload::Object, 0},
        {13, VariantPayload::Object, 0}, {8, VariantPayload::Text, 0},      {1, VariantPayload::Text, 0},
        {14, VariantPayload::Text, 0},   {0x2005, VariantPayload::Text, 0},
    };
    for (const Case& c : cases) {
        const VariantLayout layout = LayoutOf(c.type);
        EXPECT_EQ(layout.payload, c.payload) << "type " << c.type;
        EXPECT_EQ(layout.size, c.size) << "type " << c.type;
    }
}

// Sets LC_ALL for one test and restores the C locale of the test run.
class UserLocale : public testing::Test
{
protected:
    void TearDown() override
    {
        setenv("LC_ALL", "C", 1);
        unsetenv("LOCPATH");
    }
    testsupport::TempDir locales;
};

TEST_F(UserLocale, DecimalSeparatorComesFromTheEnvironment)
{
    EXPECT_EQ(UserDecimalSeparator(), u".");
    const std::string build =
        "localedef -i de_DE -f UTF-8 '" + locales.file("de_DE.UTF-8") + "' >/dev/null 2>&1";
    if (std::system(build.c_str()) != 0) GTEST_SKIP() << "localedef cannot build de_DE here";
    setenv("LOCPATH", locales.path().string().c_str(), 1);
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    EXPECT_EQ(UserDecimalSeparator(), u",");
}

}  // namespace
}  // namespace logora
