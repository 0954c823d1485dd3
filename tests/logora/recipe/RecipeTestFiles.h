#pragma once
// Recipe files for the tests, written into a scratch folder.

#include <gtest/gtest.h>

#include <string>

#include "CaseName.h"
#include "RecipeFile.h"
#include "TempDir.h"

namespace logora {

// Names table-driven cases after their `label`, as test names allow.
template <typename Case>
std::string ParamLabel(const testing::TestParamInfo<Case>& info)
{
    return testsupport::IdentifierFrom(info.param.label);
}

class RecipeFiles : public testing::Test
{
protected:
    std::string Write(const recipegen::RecipeFile& recipe, const std::string& name = "recipe.rpp")
    {
        const std::string path = dir.file(name);
        EXPECT_TRUE(recipegen::WriteRecipeFile(path, recipe)) << path;
        return path;
    }

    // A recipe with the given "Ingredients" stream and nothing else.
    std::string WriteIngredients(const recipegen::Bytes& stream)
    {
        recipegen::RecipeFile recipe;
        recipe.ingredients = stream;
        return Write(recipe);
    }

    testsupport::TempDir dir;
};

}  // namespace logora
