#include "RecipeFile.h"

#include "common/bytes/ByteReader.h"
#include "logora/engine/recipe/RecipeVariant.h"

namespace recipegen {

namespace {

void AddSets(std::vector<platform::CompoundElement>& elements, const std::string& storage,
             const std::optional<std::vector<RecipeSet>>& sets)
{
    if (!sets) return;
    elements.push_back({storage + "/", {}});
    for (const RecipeSet& set : *sets) elements.push_back({storage + "/" + set.name, set.stream});
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

RecipeFile DamagedRecipe()
{
    const Bytes zeroInt = Int32Value(0);
    Bytes ingredients = OffsetTableStream({
        IngredientEntry(1, Int32Value(1), Int32Value(9), u"Intact"),
        IngredientEntry(1, Int32Value(2), Int32Value(8), u"Pointed away"),
        Concat({Bytes{1, 0, 0, 0}, zeroInt, zeroInt, RawStringEntry(5, {'O', 0, 'd', 0, 'd'})}),
        Concat({Bytes{1, 0, 0, 0}, zeroInt, zeroInt, RawStringEntry(4, {'N', 0, 'o', 0})}),
    });
    logora::storeLE(ingredients.data() + 4, uint32_t{0x7FFF0000});  // entry 1 beyond the stream

    Bytes values = OffsetTableStream({
        DoubleValue(1.5), RawValue(logora::vt::Dispatch, Bytes(16, 0xAB)),  // a persisted object
        RawValue(logora::vt::String, RawStringEntry(0x40000000, {})),
        Bytes{0x05, 0x00, 0x00},  // a double cut short by the stream's end
    });
    Bytes tags = OffsetTableStream({StringEntry(u"OK_TAG"), StringEntry(u"X"), StringEntry(u"Y")});
    tags.resize(tags.size() - 2);  // the last tag loses its terminator
    return {ingredients, std::vector<RecipeSet>{{"Damaged values", values}},
            std::vector<RecipeSet>{{"Cut tags", tags}}};
}

}  // namespace

Bytes TagSetStream(const std::vector<std::u16string>& tags)
{
    std::vector<Bytes> entries;
    for (const std::u16string& tag : tags) entries.push_back(StringEntry(tag));
    return OffsetTableStream(entries);
}

std::vector<platform::CompoundElement> RecipeElements(const RecipeFile& recipe)
{
    std::vector<platform::CompoundElement> elements;
    if (recipe.ingredients) elements.push_back({"Ingredients", *recipe.ingredients});
    AddSets(elements, "DataSets", recipe.dataSets);
    AddSets(elements, "TagSets", recipe.tagSets);
    return elements;
}

bool WriteRecipeFile(const std::string& path, const RecipeFile& recipe)
{
    return platform::WriteCompoundFile(path, RecipeElements(recipe));
}

RecipeFile LemonadeRecipe()
{
    RecipeFile recipe;
    recipe.ingredients = OffsetTableStream({
        IngredientEntry(1, DoubleValue(12.5), DoubleValue(250), u"Water"),
        IngredientEntry(1, Int32Value(0), Int32Value(40), u"Sugar syrup"),
        IngredientEntry(0, EmptyValue(), StringValue(u"any"), u"Lemon flavour"),
        IngredientEntry(1, FloatValue(0.25f), FloatValue(1.5f), u"Colour"),
        IngredientEntry(1, DateValue(46000.5), UInt16Value(30), u"Shelf life days"),
    });
    recipe.dataSets = std::vector<RecipeSet>{
        {"Summer Batch 2026",
         OffsetTableStream({DoubleValue(180.25), Int32Value(32), StringValue(u"Sicilian"), FloatValue(0.75f),
                            UInt16Value(21)})},
        {"Winter", OffsetTableStream({Int16Value(-120), UInt8Value(18), StringValue(u"Amalfi"),
                                      DoubleValue(1.0 / 3.0), UInt32Value(4000000000u)})},
        {"Trial", OffsetTableStream(
                      {BoolValue(true), BoolValue(false), EmptyValue(), Int8Value(-5), DateValue(46001.25)})},
    };
    recipe.tagSets = std::vector<RecipeSet>{
        {"Line North PLC", TagSetStream({u"N_WATER", u"N_SYRUP", u"N_FLAVOUR", u"N_COLOUR", u"N_SHELF"})},
        {"Line B", TagSetStream({u"B.Water", u"B.Syrup", u"", u"B.Colour", u"B.Shelf"})},
    };
    return recipe;
}

bool WriteSampleSet(const std::string& folder)
{
    RecipeFile withoutTagSets = LemonadeRecipe();
    withoutTagSets.tagSets.reset();
    RecipeFile withoutIngredients = LemonadeRecipe();
    withoutIngredients.ingredients = Bytes{};
    return WriteRecipeFile(folder + "/recipe.rpp", LemonadeRecipe()) &&
           WriteRecipeFile(folder + "/no-tagsets.rpp", withoutTagSets) &&
           WriteRecipeFile(folder + "/no-ingredients.rpp", withoutIngredients) &&
           WriteRecipeFile(folder + "/damaged.rpp", DamagedRecipe());
}

}  // namespace recipegen
