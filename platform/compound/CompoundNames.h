#pragma once
// Element names of compound files. The format orders the elements of a
// storage by name length first, then by the upper-cased UTF-16 code units,
// and looks names up without regard to case.

#include <string>
#include <string_view>

namespace platform {

// The name as UTF-16 code units with each unit upper-cased; an invalid UTF-8
// name yields an empty result.
std::u16string CompoundNameKey(std::string_view utf8Name);

// Negative, zero or positive as `a` sorts before, equal to or after `b` in the
// order of a storage's elements.
int CompareCompoundNames(std::string_view a, std::string_view b);

}  // namespace platform
