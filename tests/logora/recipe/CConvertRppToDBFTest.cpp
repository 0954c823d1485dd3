// The recipe conversion: columns, records, texts of every kind, damaged
// entries, missing parts, cancel and the failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "CompoundBytesBuilder.h"
#include "RecipeTestFiles.h"
#include "TestContext.h"
#include "common/bytes/ByteReader.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/recipe/CConvertRppToDBF.h"
#include "logora/engine/run/ConsoleProgress.h"
#include "tests/logora/alarm/CancelAfter.h"
#include "tests/support/ConvertWithProgress.h"

namespace logora {
namespace {

using namespace recipegen;

class Conversion : public RecipeFiles
{
protected:
    void SetUp() override
    {
        context.run.SetMessageBoxSink(
            [this](std::string_view, std::string_view text) { messages.emplace_back(text); });
    }

    // False when `step` failed; the failure is reported as the document does.
    bool Succeeds(const std::function<void()>& step)
    {
        try {
            step();
            return true;
        } catch (const ConversionError& error) {
            error.ReportTo(context.run);
            return false;
        }
    }
    bool Convert(const std::string& input, ControlProcess* progress = nullptr)
    {
        CConvertRppToDBF converter(context);
        return Succeeds([&] {
            testsupport::ConvertWithProgress(converter, input, TablePath(), progress ? *progress : quiet);
        });
    }
    std::string TablePath() const { return dir.file("out.dbf"); }

    void OpenTable()
    {
        table = std::make_unique<CDBF>();
        ASSERT_TRUE(table->OpenRead(TablePath()));
        table->ReadFieldDescriptors();
    }
    std::vector<std::string> FieldNames() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < table->GetFieldCount(); ++i) names.emplace_back(table->GetField(i).Name());
        return names;
    }
    std::vector<std::string> Row(int64_t record)
    {
        std::vector<std::string> texts;
        EXPECT_TRUE(table->GoToRecord(record)) << record;
        for (int i = 0; i < table->GetFieldCount(); ++i) texts.push_back(table->GetFieldString(i));
        return texts;
    }

    test::TestContext context;
    ConsoleProgress quiet;
    std::unique_ptr<CDBF> table;
    std::vector<std::string> messages;
};

RecipeFile ThreeByTwoByOne()
{
    RecipeFile recipe;
    recipe.ingredients = OffsetTableStream({
        IngredientEntry(1, DoubleValue(12.5), DoubleValue(99.75), u"Flour"),
        IngredientEntry(0, EmptyValue(), EmptyValue(), u"Glaze"),
        IngredientEntry(1, DateValue(45000), Int32Value(7), u"Yeast"),
    });
    recipe.dataSets = std::vector<RecipeSet>{
        {"Bread", OffsetTableStream({DoubleValue(50), StringValue(u"shiny"), Int32Value(2)})},
        {"Rolls", OffsetTableStream({FloatValue(42.5f), StringValue(u""), BoolValue(true)})},
    };
    recipe.tagSets = std::vector<RecipeSet>{{"Mixer", TagSetStream({u"M.Flour", u"M.Glaze", u"M.Yeast"})}};
    return recipe;
}

TEST_F(Conversion, ThreeIngredientsTwoDataSetsOneTagSet)
{
    ASSERT_TRUE(Convert(Write(ThreeByTwoByOne())));
    OpenTable();
    EXPECT_EQ(FieldNames(),
              (std::vector<std::string>{"#", "Ingredient", "Type", "Min", "Max", "Bread", "Rolls", "Mixer"}));
    const std::pair<char, int> layout[] = {{'N', 5},  {'C', 255}, {'C', 20},  {'C', 10},
                                           {'C', 10}, {'C', 255}, {'C', 255}, {'C', 255}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(table->GetField(i).type, layout[i].first) << i;
        EXPECT_EQ(table->GetField(i).length, layout[i].second) << i;
        EXPECT_EQ(table->GetField(i).decimals, 0) << i;
    }
    ASSERT_EQ(table->GetRecordCount(), 3);
    EXPECT_EQ(Row(0), (std::vector<std::string>{"    1", "Flour", "Number", "12.5", "99.75", "50", "42.5",
                                                "M.Flour"}));
    EXPECT_EQ(Row(1), (std::vector<std::string>{"    2", "Glaze", "String", "", "", "shiny", "", "M.Glaze"}));
    // A date minimum has no text.
    EXPECT_EQ(Row(2),
              (std::vector<std::string>{"    3", "Yeast", "Number", "", "7", "2", "True", "M.Yeast"}));
    // No end-of-file byte after the last record.
    EXPECT_EQ(std::filesystem::file_size(TablePath()),
              table->GetHeaderLength() + 3u * table->GetRecordLength());
    EXPECT_TRUE(messages.empty());
}

TEST_F(Conversion, LongSetNamesAreCutToTenCharacters)
{
    ASSERT_TRUE(Convert(Write(LemonadeRecipe())));
    OpenTable();
    EXPECT_EQ(FieldNames(), (std::vector<std::string>{"#", "Ingredient", "Type", "Min", "Max", "Trial",
                                                      "Winter", "Summer Bat", "Line B", "Line North"}));
    ASSERT_EQ(table->GetRecordCount(), 5);
    EXPECT_EQ(Row(3), (std::vector<std::string>{"    4", "Colour", "Number", "0.25", "1.5", "-5",
                                                "0.333333333333333", "0.75", "B.Colour", "N_COLOUR"}));
    EXPECT_EQ(Row(4), (std::vector<std::string>{"    5", "Shelf life days", "Number", "", "30", "",
                                                "4000000000", "21", "B.Shelf", "N_SHELF"}));
}

TEST_F(Conversion, TextsTakeTheActiveCodePage)
{
    RecipeFile recipe;
    recipe.ingredients =
        OffsetTableStream({IngredientEntry(1, EmptyValue(), EmptyValue(), u"Gr\u00fcntee \u20ac")});
    recipe.dataSets =
        std::vector<RecipeSet>{{"Gr\xC3\xBCn", OffsetTableStream({StringValue(u"\u00e9t\u00e9 \u4e00")})}};
    ASSERT_TRUE(Convert(Write(recipe)));
    OpenTable();
    EXPECT_EQ(FieldNames().back(), "Gr\xFCn");
    EXPECT_EQ(Row(0)[1], "Gr\xFCntee \x80");
    EXPECT_EQ(Row(0)[5], "\xE9t\xE9 ?");
}

TEST_F(Conversion, UnreadableEntriesLeaveTheirColumnsEmpty)
{
    RecipeFile recipe;
    Bytes ingredients = OffsetTableStream({
        IngredientEntry(1, Int32Value(1), Int32Value(9), u"Intact"),
        IngredientEntry(1, Int32Value(2), Int32Value(8), u"Pointed away"),
        IngredientEntry(1, Int32Value(3), Int32Value(7), u"Third"),
    });
    storeLE(ingredients.data() + 4, uint32_t{0x7FFF0000});
    recipe.ingredients = ingredients;
    Bytes values = OffsetTableStream({DoubleValue(1.5), RawValue(9, Bytes(16, 0)), DoubleValue(3.5)});
    recipe.dataSets = std::vector<RecipeSet>{{"Set", values}};
    ASSERT_TRUE(Convert(Write(recipe)));
    OpenTable();
    ASSERT_EQ(table->GetRecordCount(), 3);
    EXPECT_EQ(Row(0), (std::vector<std::string>{"    1", "Intact", "Number", "1", "9", "1.5"}));
    // Nothing of the record before shows through.
    EXPECT_EQ(Row(1), (std::vector<std::string>{"    2", "", "", "", "", ""}));
    EXPECT_EQ(Row(2), (std::vector<std::string>{"    3", "Third", "Number", "3", "7", "3.5"}));
}

TEST_F(Conversion, DamagedSampleConvertsWhatCanBeRead)
{
    ASSERT_EQ(recipegen::WriteSampleSet(dir.path().string()), true);
    ASSERT_TRUE(Convert(dir.file("damaged.rpp")));
    OpenTable();
    ASSERT_EQ(table->GetRecordCount(), 4);
    EXPECT_EQ(Row(0), (std::vector<std::string>{"    1", "Intact", "Number", "1", "9", "1.5", "OK_TAG"}));
    for (int64_t r = 1; r < 4; ++r) EXPECT_EQ(Row(r)[1], "") << r;
    EXPECT_EQ(Row(1)[6], "X");
    EXPECT_EQ(Row(2)[6], "");
}

TEST_F(Conversion, MissingPartsGiveNoRecordsOrNoColumns)
{
    ASSERT_EQ(recipegen::WriteSampleSet(dir.path().string()), true);
    ASSERT_TRUE(Convert(dir.file("no-tagsets.rpp")));
    OpenTable();
    EXPECT_EQ(table->GetFieldCount(), 8);
    EXPECT_EQ(table->GetRecordCount(), 5);

    ASSERT_TRUE(Convert(dir.file("no-ingredients.rpp")));
    OpenTable();
    EXPECT_EQ(table->GetFieldCount(), 10);
    EXPECT_EQ(table->GetRecordCount(), 0);
    EXPECT_EQ(std::filesystem::file_size(TablePath()), table->GetHeaderLength());
}

TEST_F(Conversion, MissingFileOrEmptyPathIsReported)
{
    CConvertRppToDBF missing(context);
    EXPECT_FALSE(Succeeds([&] { missing.Open(dir.file("missing.rpp")); }));
    CConvertRppToDBF empty(context);
    EXPECT_FALSE(Succeeds([&] { empty.Open(""); }));
    EXPECT_EQ(messages,
              (std::vector<std::string>{
                  "This Blendcraft file not be opened!\n" + dir.file("missing.rpp") + ": no such file",
                  "This Blendcraft file not be opened!\nno recipe file was named"}));
}

TEST_F(Conversion, FileThatIsNoCompoundFileIsReportedWithItsFault)
{
    const std::string plain = dir.file("plain.rpp");
    testsupport::WriteBytes(plain, std::vector<uint8_t>(1024, 0x41));
    CConvertRppToDBF converter(context);
    EXPECT_FALSE(Succeeds([&] { converter.Open(plain); }));
    const std::string empty = dir.file("empty.rpp");
    testsupport::WriteBytes(empty, {});
    EXPECT_FALSE(Succeeds([&] { converter.Open(empty); }));
    EXPECT_EQ(messages, (std::vector<std::string>{
                            "This Blendcraft file not be opened!\n" + plain +
                                ": no compound file signature (D0 CF 11 E0 A1 B1 1A E1) at byte 0",
                            "This Blendcraft file not be opened!\n" + empty +
                                ": the file is empty; a recipe file is a compound file"}));
}

// A stream beyond the end of the file opened, read as empty and gave a
// table of no records.
TEST_F(Conversion, DamagedCompoundFileIsRefusedSayingWhatIsDamaged)
{
    std::vector<uint8_t> bytes = testsupport::BuildCompoundBytes(
        {{u"Root Entry", 5, 1, testsupport::kNoEntry, testsupport::kNoEntry, 1, {}},
         {u"Ingredients", 2, 1, testsupport::kNoEntry, testsupport::kNoEntry, testsupport::kNoEntry,
          std::vector<uint8_t>(4096)}});
    testsupport::SetStreamSize(bytes, 1, 0x7FFFFFF0);
    const std::string path = dir.file("damaged.rpp");
    testsupport::WriteBytes(path, bytes);
    EXPECT_FALSE(Convert(path));
    EXPECT_EQ(messages, std::vector<std::string>{"This Blendcraft file not be opened!\n" + path +
                                                 ": a damaged compound file: stream \"Ingredients\" states "
                                                 "2147483632 bytes, more than the file's 5632"});
}

TEST_F(Conversion, CancelKeepsTheIngredientsConverted)
{
    testsupport::CancelAfter cancel(2);
    ASSERT_TRUE(Convert(Write(LemonadeRecipe()), &cancel));
    OpenTable();
    EXPECT_EQ(table->GetRecordsHeld(), 2);
    EXPECT_GT(table->GetRecordCount(), 2);
    EXPECT_EQ(Row(1)[1], "Sugar syrup");
}

TEST_F(Conversion, ProgressNamesTheFile)
{
    ASSERT_TRUE(Convert(Write(LemonadeRecipe(), "lemonade.rpp")));
    EXPECT_EQ(quiet.Message(), "Converting file: lemonade.rpp");
    EXPECT_EQ(quiet.Percent(), 100);
}

TEST_F(Conversion, MoreSetsThanOneRecordHoldsAreRefused)
{
    auto recipeWith = [](int sets) {
        RecipeFile recipe;
        recipe.ingredients = OffsetTableStream({IngredientEntry(1, EmptyValue(), EmptyValue(), u"A")});
        recipe.dataSets.emplace();
        for (int i = 0; i < sets; ++i) recipe.dataSets->push_back({"S" + std::to_string(i), {}});
        return recipe;
    };
    ASSERT_TRUE(Convert(Write(recipeWith(CConvertRppToDBF::kMaxSetColumns), "widest.rpp")));
    OpenTable();
    EXPECT_EQ(table->GetFieldCount(), 5 + CConvertRppToDBF::kMaxSetColumns);
    EXPECT_EQ(table->GetRecordLength(), 301u + 255u * CConvertRppToDBF::kMaxSetColumns);
    EXPECT_TRUE(messages.empty());

    EXPECT_FALSE(Convert(Write(recipeWith(CConvertRppToDBF::kMaxSetColumns + 1), "too-wide.rpp")));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("too-wide.rpp"), std::string::npos);
}

}  // namespace
}  // namespace logora
