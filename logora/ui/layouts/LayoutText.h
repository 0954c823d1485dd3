#pragma once
// The text form of the kept layouts, oldest first: a first line naming the
// form, then per layout a "file" line, its lines and "end". Paths and
// filter texts escape backslash, line feed and carriage return.

#include <string>
#include <string_view>
#include <vector>

#include "logora/ui/layouts/ListLayout.h"

namespace logora::ui {

std::string LayoutsText(const std::vector<KeptLayout>& layouts);

// The layouts of `text`. A text of another form gives none; a layout with a
// line that is damaged or out of bounds is left out, the others kept.
std::vector<KeptLayout> ParseLayouts(std::string_view text);

// Whether `layout` fits a table of `fieldCount` fields: one column each, at
// least one shown, sort, filters and order on its fields.
bool LayoutFitsTable(const ListLayout& layout, int fieldCount);

}  // namespace logora::ui
