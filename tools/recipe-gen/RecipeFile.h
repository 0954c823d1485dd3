#pragma once
// Recipe files as compound files: the "Ingredients" stream and the storages
// "DataSets" and "TagSets" with one stream per set. Any part may be left out,
// and streams are given as bytes so damaged ones can be written too.

#include <optional>
#include <string>
#include <vector>

#include "RecipeBytes.h"
#include "platform/compound/CompoundWriter.h"

namespace recipegen {

struct RecipeSet
{
    std::string name;  // UTF-8
    Bytes stream;
};

struct RecipeFile
{
    std::optional<Bytes> ingredients;                // no "Ingredients" stream when unset
    std::optional<std::vector<RecipeSet>> dataSets;  // no "DataSets" storage when unset
    std::optional<std::vector<RecipeSet>> tagSets;   // no "TagSets" storage when unset
};

// A tag set stream holding one tag name per ingredient.
Bytes TagSetStream(const std::vector<std::u16string>& tags);

std::vector<platform::CompoundElement> RecipeElements(const RecipeFile& recipe);
bool WriteRecipeFile(const std::string& path, const RecipeFile& recipe);

// A lemonade recipe: five ingredients of both kinds with minimums and
// maximums of several types (one of them a date, which has no text), three
// data sets of mixed value types whose names sort differently by length and
// alphabetically (one longer than 10 characters), and two tag sets.
RecipeFile LemonadeRecipe();

// Writes into `folder`: "recipe.rpp" (the lemonade recipe), "no-tagsets.rpp"
// (without the "TagSets" storage), "no-ingredients.rpp" (an empty
// "Ingredients" stream) and "damaged.rpp" (entries pointing outside their
// streams, odd byte counts, missing terminators, a persisted object).
bool WriteSampleSet(const std::string& folder);

}  // namespace recipegen
