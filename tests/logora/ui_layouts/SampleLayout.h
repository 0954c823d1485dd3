#pragma once
// A layout that uses every line of the text form.

#include "logora/ui/layouts/ListLayout.h"

namespace logora::ui {

inline ListLayout SampleLayout()
{
    ListLayout layout;
    layout.columns = {{true, 120}, {false, 0}, {true, 64}};
    layout.sortField = 2;
    layout.sortAscending = false;
    layout.filters = {{0, ">= 5"}, {2, "a\\b\nc"}};
    layout.window = {-8, 30, 640, 480, true};
    layout.plot = {.kept = true,
                   .hiddenPens = {"Boiler Temp", "a\\b"},
                   .ownScales = true,
                   .zoomed = true,
                   .timeFrom = 46000.123456789012,
                   .timeTo = 46001.5,
                   .valueFrom = -1e-300,
                   .valueTo = 1e300};
    return layout;
}

}  // namespace logora::ui
