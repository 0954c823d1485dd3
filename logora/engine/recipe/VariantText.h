#pragma once
// Recipe values as text, the way the platform's variant conversion writes
// them: integers in decimal, reals with up to 15 (double) or 7 (single)
// significant digits and no trailing zeros, booleans as "True" and "False".
// Types that do not convert to text give an empty text.

#include <string>
#include <string_view>

#include "logora/engine/recipe/RecipeVariant.h"

namespace logora {

std::u16string VariantToText(const RecipeVariant& value, std::u16string_view decimalSeparator);

}  // namespace logora
