#pragma once
// The viewer's commands: identifier, menu text and prompt (status-bar text,
// then the tool tip after "\n").

#include <string_view>

namespace logora::ui {

enum CommandId : int {
    kOpen = 32774,
    kSaveAs = 32775,
    kOptions = 32776,
    kPlot = 32777,
    kSelectColumns = 32779,
    kCommandLineHelp = 32797,
    kStandardOpen = 57601,
    kClose = 57602,
    kPrint = 57607,
    kPrintPreview = 57609,
    kRecentFile1 = 57616,
    kAbout = 57664,
    kExit = 57665,
    kNewWindow = 57648,
    kArrangeIcons = 57649,
    kCascade = 57650,
    kTile = 57651,
    kToolbar = 59392,
    kStatusBar = 59393,
    kNextPane = 57680,
    kPreviousPane = 57681,
    // Beyond the original commands.
    kFind = 32800,
    kFindNext = 32801,
    kFindPrevious = 32802,
    kGoTo = 32803,
    kFilter = 32804,
    kClearFilter = 32805,
    kCopy = 32806,
    kSelectAll = 32807,
    kExportChart = 32808,
    kNextWindow = 32809,
    kPreviousWindow = 32810,
    kCloseWindow = 32811,
    kWindowList = 32812,  // and the entries after it
    kFilterRow = 32830,
    kAddToPlot = 32831,
    kPlotFiltered = 32832,
    kStatistics = 32840,
    kResetLayout = 32850,
    kTimeZone = 32851,
    kFollow = 32860,
    kSaveShown = 32870,
};

struct CommandPrompt
{
    int id;
    std::string_view prompt;
};

inline constexpr CommandPrompt kCommandPrompts[] = {
    {kOpen, "Open an existing document\nOpen"},
    {kSaveAs, "Save file as DBF or CSV file\nSave As"},
    {kOptions, "Set decimal options for float value \nOptions"},
    {kPlot, "View the trend plot of data in file\nPlot"},
    {kSelectColumns, "Select Column \n Select Column"},
    {kStandardOpen, "Open an existing document\nOpen"},
    {kClose, "Close the active document\nClose"},
    {kPrint, "Print the active document\nPrint"},
    {kPrintPreview, "Display full pages\nPrint Preview"},
    {kExit, "Quit the application; prompts to save documents\nExit"},
    {kNewWindow, "Open another window for the active document\nNew Window"},
    {kArrangeIcons, "Arrange icons at the bottom of the window\nArrange Icons"},
    {kCascade, "Arrange windows so they overlap\nCascade Windows"},
    {kTile, "Arrange windows as non-overlapping tiles\nTile Windows"},
    {kToolbar, "Show or hide the toolbar\nToggle ToolBar"},
    {kStatusBar, "Show or hide the status bar\nToggle StatusBar"},
    {kAbout, "Display program information, version number and copyright\nAbout"},
    {kNextPane, "Switch to the next window pane\nNext Pane"},
    {kPreviousPane, "Switch back to the previous window pane\nPrevious Pane"},
    {kFind, "Find text in the record list\nFind"},
    {kFindNext, "Find the next match\nFind Next"},
    {kFindPrevious, "Find the previous match\nFind Previous"},
    {kGoTo, "Go to a record number or a date and time\nGo To"},
    {kFilter, "Show only the records that match a filter\nFilter"},
    {kClearFilter, "Show every record again\nClear Filter"},
    {kFilterRow, "Show or hide a row of filter edits under the column headings\nFilter Row"},
    {kStatistics,
     "Show the statistics of a column: over all, the filtered or the selected records\nStatistics"},
    {kResetLayout, "Forget the columns, sort, filter and place kept for this file\nReset Layout"},
    {kTimeZone, "Convert the datalog again into another destination time zone\nTime Zone"},
    {kFollow, "Take in the records that the writer of the file adds, as they come\nFollow"},
    {kSaveShown, "Save the shown columns of all, the filtered or the selected records\nSave Shown"},
    {kCopy, "Copy the selected records as tab-separated text\nCopy"},
    {kSelectAll, "Select every record\nSelect All"},
    {kExportChart, "Save the visible chart as a PNG or SVG picture\nExport Chart"},
    {kAddToPlot, "Add the trend of another open datalog to this document's plot\nAdd to Plot"},
    {kPlotFiltered, "Plot only the records the filter shows\nPlot Filtered Records"},
    {kNextWindow, "Activate the next window\nNext Window"},
    {kPreviousWindow, "Activate the previous window\nPrevious Window"},
    {kCloseWindow, "Close the active window\nClose Window"},
    {kWindowList, "Activate this window"},
};

// Entries of the Window menu's list of open windows, numbered from kWindowList.
inline constexpr int kMaxWindowListEntries = 9;

// The prompt of a command; recent-file entries share one; empty for none.
std::string_view CommandPromptFor(int id);

}  // namespace logora::ui
