#pragma once
// What the viewer keeps of a file's windows between runs: the list's columns
// shown and their widths, the sort, the filter row's texts and the window's
// place in the workspace; the plot's hidden pens, scales and zoom.

#include <string>
#include <vector>

namespace logora::ui {

struct ColumnLayout
{
    bool shown = true;
    int width = 0;  // pixels; 0 for a hidden column
    bool operator==(const ColumnLayout&) const = default;
};

struct FilterLayout
{
    int field = 0;
    std::string text;  // as typed into the filter row
    bool operator==(const FilterLayout&) const = default;
};

struct WindowLayout
{
    int x = 0;
    int y = 0;
    int width = 0;  // 0: no place kept
    int height = 0;
    bool maximized = false;
    bool operator==(const WindowLayout&) const = default;
};

// The plot of the file's own pens, as it was when its window closed.
struct PlotLayout
{
    bool kept = false;                    // false: the plot was never closed
    std::vector<std::string> hiddenPens;  // by name, as the legend shows them
    bool ownScales = false;
    // The time and value range in view, kept only when the user zoomed or
    // panned: a log that grew since opens fitted to its data again.
    bool zoomed = false;
    double timeFrom = 0, timeTo = 0, valueFrom = 0, valueTo = 0;
    bool operator==(const PlotLayout&) const = default;
};

struct ListLayout
{
    std::vector<ColumnLayout> columns;  // one per field of the table
    int sortField = -1;                 // -1: file order
    bool sortAscending = true;
    std::vector<FilterLayout> filters;  // fields ascending, texts not empty
    WindowLayout window;
    PlotLayout plot;
    bool operator==(const ListLayout&) const = default;
};

// A layout and the absolute path of the file it belongs to.
struct KeptLayout
{
    std::string path;
    ListLayout layout;
    bool operator==(const KeptLayout&) const = default;
};

}  // namespace logora::ui
