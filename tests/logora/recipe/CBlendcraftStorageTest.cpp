// Reading recipe files: counts, set names in storage order, entries of every
// kind, damaged entries, and the reuse of the open set stream.
#include <gtest/gtest.h>

#include "RecipeTestFiles.h"
#include "common/bytes/ByteReader.h"
#include "logora/engine/recipe/CBlendcraftStorage.h"
#include "logora/engine/recipe/VariantText.h"

namespace logora {
namespace {

using namespace recipegen;

class Storage : public RecipeFiles
{
protected:
    void Open(const std::string& path) { ASSERT_TRUE(storage.Open(path)); }

    CBlendcraftStorage storage;
};

std::vector<std::string> DataSetNames(const CBlendcraftStorage& storage)
{
    std::vector<std::string> names;
    for (int i = 0; i < storage.GetDataSetCount(); ++i) names.push_back(storage.GetDataSetName(i));
    return names;
}

TEST_F(Storage, LemonadeRecipeOpensWithItsSetsInStorageOrder)
{
    Open(Write(LemonadeRecipe()));
    EXPECT_EQ(storage.GetIngredientCount(), 5u);
    EXPECT_EQ(DataSetNames(storage), (std::vector<std::string>{"Trial", "Winter", "Summer Batch 2026"}));
    ASSERT_EQ(storage.GetTagSetCount(), 2);
    EXPECT_EQ(storage.GetTagSetName(0), "Line B");
    EXPECT_EQ(storage.GetTagSetName(1), "Line North PLC");
    EXPECT_EQ(storage.GetTagSetName(2), "");
    EXPECT_EQ(storage.GetDataSetName(-1), "");
}

TEST_F(Storage, SetsAreListedShortestNameFirstNotAlphabetically)
{
    RecipeFile recipe;
    recipe.dataSets = std::vector<RecipeSet>{{"Zeta", {}}, {"Alpha7", {}}, {"beta", {}}, {"Beta2", {}}};
    Open(Write(recipe));
    EXPECT_EQ(DataSetNames(storage), (std::vector<std::string>{"beta", "Zeta", "Beta2", "Alpha7"}));
}

TEST_F(Storage, MissingPartsLeaveTheirCountsAtZero)
{
    Open(Write(RecipeFile{}));
    EXPECT_EQ(storage.GetIngredientCount(), 0u);
    EXPECT_EQ(storage.GetDataSetCount(), 0);
    EXPECT_EQ(storage.GetTagSetCount(), 0);
    EXPECT_FALSE(storage.ReadIngredient(0));
    EXPECT_FALSE(storage.ReadDataSetValue("Trial", 0));
    EXPECT_FALSE(storage.ReadTagSetName("Line B", 0));
}

TEST_F(Storage, ReopeningReleasesTheFormerFile)
{
    Open(Write(LemonadeRecipe(), "first.rpp"));
    Open(Write(RecipeFile{}, "second.rpp"));
    EXPECT_EQ(storage.GetIngredientCount(), 0u);
    EXPECT_EQ(storage.GetDataSetCount(), 0);
    EXPECT_FALSE(storage.ReadDataSetValue("Trial", 0));
}

TEST_F(Storage, OnlyCompoundFilesOpen)
{
    const std::string plain = dir.file("plain.rpp");
    testsupport::WriteBytes(plain, std::vector<uint8_t>(600, 'x'));
    EXPECT_FALSE(storage.Open(plain));
    EXPECT_FALSE(storage.Open(dir.file("missing.rpp")));
    EXPECT_EQ(storage.GetIngredientCount(), 0u);
}

struct CountCase
{
    const char* label;
    Bytes stream;
    uint32_t count;
};

class IngredientCounts : public Storage, public testing::WithParamInterface<CountCase>
{
};

TEST_P(IngredientCounts, ComeFromTheFirstOffset)
{
    Open(WriteIngredients(GetParam().stream));
    EXPECT_EQ(storage.GetIngredientCount(), GetParam().count);
}

Bytes Padded(std::initializer_list<uint8_t> head, size_t size)
{
    Bytes bytes(head);
    bytes.resize(size);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Streams, IngredientCounts,
    testing::Values(CountCase{"first value 12", Padded({12}, 12), 3}, CountCase{"size 0", {}, 0},
                    CountCase{"shorter than one offset", {12, 0}, 0},
                    CountCase{"first value not a multiple of 4", Padded({13}, 40), 3},
                    // A table claiming more slots than the stream holds is
                    // bounded by the slots that lie inside the stream.
                    CountCase{"first value beyond the stream", Padded({0xFC, 0xFF, 0xFF, 0x7F}, 16), 4},
                    CountCase{"first value 0", Padded({0}, 16), 0}),
    ParamLabel<CountCase>);

TEST_F(Storage, IngredientsOfBothKinds)
{
    Open(Write(LemonadeRecipe()));
    ASSERT_TRUE(storage.ReadIngredient(0));
    const RecipeIngredient& water = storage.GetIngredient();
    EXPECT_TRUE(water.IsNumber());
    EXPECT_EQ(water.name, u"Water");
    EXPECT_EQ(VariantToText(water.minimum, u"."), u"12.5");
    EXPECT_EQ(VariantToText(water.maximum, u"."), u"250");

    ASSERT_TRUE(storage.ReadIngredient(2));
    const RecipeIngredient& flavour = storage.GetIngredient();
    EXPECT_FALSE(flavour.IsNumber());
    EXPECT_EQ(flavour.minimum.type, vt::Empty);
    EXPECT_EQ(flavour.maximum.type, vt::String);
    EXPECT_EQ(flavour.maximum.text, u"any");
    EXPECT_EQ(flavour.name, u"Lemon flavour");

    EXPECT_FALSE(storage.ReadIngredient(5));
    EXPECT_EQ(storage.GetIngredient().name, u"Lemon flavour");  // the last one read stays
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

const Bytes kNumberKind = {1, 0, 0, 0};

TEST_F(Storage, NamesEndAtTheirFirstNul)
{
    Open(WriteIngredients(OffsetTableStream({
        Join({kNumberKind, EmptyValue(), EmptyValue(),
              RawStringEntry(10, {'A', 0, 'B', 0, 0, 0, 'C', 0, 0, 0})}),
        Join({kNumberKind, EmptyValue(), EmptyValue(), RawStringEntry(2, {0, 0})}),
        Join({kNumberKind, EmptyValue(), EmptyValue(), RawStringEntry(0, {})}),
    })));
    const std::u16string expected[] = {u"AB", u"", u""};
    for (uint32_t i = 0; i < 3; ++i) {
        ASSERT_TRUE(storage.ReadIngredient(i)) << i;
        EXPECT_EQ(storage.GetIngredient().name, expected[i]) << i;
    }
}

// Entry 1 of each stream is damaged; entries 0 and 2 around it stay readable.
struct DamageCase
{
    const char* label;
    Bytes entry;              // the damaged entry 1
    uint32_t slotOverride;    // position written into slot 1 instead, when not 0
    bool truncateAfterEntry;  // the stream ends right after entry 1 (entry 2 then unread)
};

class DamagedIngredients : public Storage, public testing::WithParamInterface<DamageCase>
{
};

TEST_P(DamagedIngredients, AreUnreadableWithoutReadingPastTheirStream)
{
    const DamageCase& damage = GetParam();
    const Bytes good = IngredientEntry(1, Int32Value(1), Int32Value(2), u"Good");
    Bytes stream = damage.truncateAfterEntry ? OffsetTableStream({good, damage.entry})
                                             : OffsetTableStream({good, damage.entry, good});
    if (damage.slotOverride != 0) storeLE(stream.data() + 4, damage.slotOverride);
    Open(WriteIngredients(stream));
    EXPECT_TRUE(storage.ReadIngredient(0));
    EXPECT_FALSE(storage.ReadIngredient(1));
    if (!damage.truncateAfterEntry) {
        EXPECT_TRUE(storage.ReadIngredient(2));
    }
}

const Bytes kGoodName = RawStringEntry(4, {'N', 0, 0, 0});

INSTANTIATE_TEST_SUITE_P(
    Entries, DamagedIngredients,
    testing::Values(
        DamageCase{"offset beyond the stream", IngredientEntry(1, EmptyValue(), EmptyValue(), u"x"), 0x10000,
                   false},
        DamageCase{"odd name count",
                   Join({kNumberKind, EmptyValue(), EmptyValue(), RawStringEntry(5, {'O', 0, 'd', 0, 0})}), 0,
                   false},
        DamageCase{"name count 1", Join({kNumberKind, EmptyValue(), EmptyValue(), RawStringEntry(1, {0})}), 0,
                   false},
        DamageCase{"name count above 1 MiB",
                   Join({kNumberKind, EmptyValue(), EmptyValue(), RawStringEntry(1048578, {0, 0})}), 0,
                   false},
        DamageCase{"name count beyond the stream",
                   Join({kNumberKind, EmptyValue(), EmptyValue(), RawStringEntry(400, {'N', 0, 0, 0})}), 0,
                   true},
        DamageCase{"name without terminator",
                   Join({kNumberKind, EmptyValue(), EmptyValue(), RawStringEntry(4, {'N', 0, 'o', 0})}), 0,
                   false},
        DamageCase{"minimum a dispatch object",
                   Join({kNumberKind, RawValue(9, Bytes(16, 1)), EmptyValue(), kGoodName}), 0, false},
        DamageCase{"minimum an unknown object",
                   Join({kNumberKind, RawValue(13, Bytes(16, 1)), EmptyValue(), kGoodName}), 0, false},
        DamageCase{"string minimum without terminator",
                   Join({kNumberKind, RawValue(8, RawStringEntry(2, {'x', 0})), EmptyValue(), kGoodName}), 0,
                   false},
        DamageCase{"maximum cut by the stream end", Join({kNumberKind, EmptyValue(), Bytes{5, 0, 1, 2, 3}}),
                   0, true},
        DamageCase{"kind cut by the stream end", Bytes{1, 0}, 0, true}),
    ParamLabel<DamageCase>);

TEST_F(Storage, OffsetAtTheStreamEndIsUnreadable)
{
    // Slot 1 holds exactly the stream's size.
    Bytes stream = OffsetTableStream({IngredientEntry(1, EmptyValue(), EmptyValue(), u"A"), Bytes{}});
    storeLE(stream.data() + 4, static_cast<uint32_t>(stream.size()));
    Open(WriteIngredients(stream));
    EXPECT_TRUE(storage.ReadIngredient(0));
    EXPECT_FALSE(storage.ReadIngredient(1));
}

TEST_F(Storage, DataSetValuesAndTagNames)
{
    Open(Write(LemonadeRecipe()));
    ASSERT_TRUE(storage.ReadDataSetValue("Summer Batch 2026", 0));
    EXPECT_EQ(VariantToText(storage.GetDataSetValue(), u"."), u"180.25");
    ASSERT_TRUE(storage.ReadDataSetValue("Winter", 4));
    EXPECT_EQ(VariantToText(storage.GetDataSetValue(), u"."), u"4000000000");
    ASSERT_TRUE(storage.ReadTagSetName("Line North PLC", 1));
    EXPECT_EQ(storage.GetTagName(), u"N_SYRUP");
    EXPECT_FALSE(storage.ReadTagSetName("Line North PLC", 100));
    EXPECT_FALSE(storage.ReadDataSetValue("No such set", 0));
}

TEST_F(Storage, OpenSetStreamIsReusedByNameWithOtherCaseAndBlanks)
{
    Open(Write(LemonadeRecipe()));
    // No stream carries the blanks, so this name opens nothing by itself...
    EXPECT_FALSE(storage.ReadDataSetValue("  summer BATCH 2026\t", 0));
    // ...but it reuses the stream opened by its plain name.
    ASSERT_TRUE(storage.ReadDataSetValue("Summer Batch 2026", 0));
    ASSERT_TRUE(storage.ReadDataSetValue("  summer BATCH 2026\t", 1));
    EXPECT_EQ(VariantToText(storage.GetDataSetValue(), u"."), u"32");

    // A tag set lookup keeps the data set stream open.
    ASSERT_TRUE(storage.ReadTagSetName("Line B", 0));
    ASSERT_TRUE(storage.ReadTagSetName(" LINE b ", 3));
    EXPECT_EQ(storage.GetTagName(), u"B.Colour");
    ASSERT_TRUE(storage.ReadDataSetValue(" summer batch 2026 ", 2));
    EXPECT_EQ(VariantToText(storage.GetDataSetValue(), u"."), u"Sicilian");

    // Reading another set in between keeps it open.
    ASSERT_TRUE(storage.ReadDataSetValue("winter", 0));
    ASSERT_TRUE(storage.ReadDataSetValue(" summer batch 2026 ", 0));
    EXPECT_EQ(VariantToText(storage.GetDataSetValue(), u"."), u"180.25");
}

TEST_F(Storage, SetsWhoseNamesDifferOnlyInBlanksKeepTheirOwnValues)
{
    RecipeFile recipe;
    recipe.dataSets = std::vector<RecipeSet>{{"Batch", OffsetTableStream({Int32Value(1)})},
                                             {" Batch", OffsetTableStream({Int32Value(2)})}};
    Open(Write(recipe));
    ASSERT_EQ(storage.GetDataSetCount(), 2);
    for (int round = 0; round < 2; ++round) {
        for (int set = 0; set < 2; ++set) {
            const std::string name = storage.GetDataSetName(set);
            ASSERT_TRUE(storage.ReadDataSetValue(name, 0)) << name;
            EXPECT_EQ(VariantToText(storage.GetDataSetValue(), u"."), name == "Batch" ? u"1" : u"2") << name;
        }
    }
}

TEST_F(Storage, DamagedSetEntriesAreUnreadable)
{
    RecipeFile recipe;
    Bytes values = OffsetTableStream({DoubleValue(1.5), RawValue(9, Bytes(8, 0)), Bytes{5, 0, 1}});
    Bytes tags = OffsetTableStream({StringEntry(u"T1"), RawStringEntry(3, {'a', 0, 0}), StringEntry(u"T3")});
    tags.resize(tags.size() - 1);
    recipe.dataSets = std::vector<RecipeSet>{{"Values", values}};
    recipe.tagSets = std::vector<RecipeSet>{{"Tags", tags}};
    Open(Write(recipe));
    EXPECT_TRUE(storage.ReadDataSetValue("Values", 0));
    EXPECT_FALSE(storage.ReadDataSetValue("Values", 1));
    EXPECT_FALSE(storage.ReadDataSetValue("Values", 2));
    EXPECT_TRUE(storage.ReadTagSetName("Tags", 0));
    EXPECT_FALSE(storage.ReadTagSetName("Tags", 1));
    EXPECT_FALSE(storage.ReadTagSetName("Tags", 2));
    EXPECT_EQ(storage.GetTagName(), u"T1");
}

}  // namespace
}  // namespace logora
