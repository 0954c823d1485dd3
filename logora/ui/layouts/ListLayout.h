#pragma once
// What the viewer keeps of a file's list window between runs: the columns
// shown, their widths and order, the sort, the filter row's texts and the window's
// place in the workspace.

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

struct ListLayout
{
    std::vector<ColumnLayout> columns;  // one per field of the table
    // The shown fields from left to right once a heading was dragged out of
    // file order; empty: file order.
    std::vector<int> order;
    int sortField = -1;  // -1: file order
    bool sortAscending = true;
    std::vector<FilterLayout> filters;  // fields ascending, texts not empty
    WindowLayout window;
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
