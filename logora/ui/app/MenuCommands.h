#pragma once
// The main window's commands that the record list's context menus offer,
// 0 between groups: the list's (beside its own Copy and Select All) and the
// column header's (beside the column's Statistics).

#include "logora/ui/app/Commands.h"

namespace logora::ui {

// clang-format off
inline constexpr int kListMenuCommands[] = {
    kSaveShown, 0,
    kFind, kFindNext, kFindPrevious, kGoTo, 0,
    kFilter, kFilterRow, kClearFilter, 0,
    kPlot, kPlotFiltered, kAddToPlot, kStatistics, 0,
    kFollow, 0,
    kSelectColumns, kResetLayout, kTimeZone};
// clang-format on

inline constexpr int kHeaderMenuCommands[] = {kFilterRow, kSelectColumns, kResetLayout};

}  // namespace logora::ui
