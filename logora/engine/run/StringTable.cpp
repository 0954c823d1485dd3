#include "logora/engine/run/StringTable.h"

#include <algorithm>

namespace logora {

namespace {

struct NumberedText
{
    uint32_t id;
    std::string_view text;
};

// Kept in ascending order of number; LoadString searches it by halves.
constexpr NumberedText kTexts[] = {
    {128, "Plantiva View File Viewer"},
    {129, "\nPlantiva View File Viewer"},
    {10000, "Total record number:"},
    {10001, "Selected record:"},
    {10002, "List View"},
    {10003, "Trend Plot"},
    {10006,
     "The number of digits after the decimal point value is too large. \nIt can be no more than the "
     "number of digits value, minus one."},
    {10007, "Open File..."},
    {10008, "Save As dBase File..."},
    {10009, "Reading file: %s"},
    {10010, "Converting file: %s"},
    {10011,
     "Could not create the Graphon ActiveX control.\nMake sure the control is installed and registered."},
    {10014, "Save File As CSV File"},
    {10015, "Converting Alarm file to dBase file!"},
    {10016, "Converting Log file to dBase file"},
    {10017, "The table %s can not be opened!"},
    {10018, "The file %s can not be created!"},
    {10019, "The file %s can not be written completely; it was not saved!"},
    {10020, "The table %s has no Tag and Value columns for the table form!"},
    {10021, "The table %s ends before its last record!"},
    {10025, "Saving %s was cancelled; nothing was saved!"},
    {10030,
     "Nothing was written to %s: only the extensions .csv, .dbf, .xlsx, .sqlite, .sqlite3 and .db, or "
     "none, name an output."},
    {30802, "This Vell Alarm file can not be opened!"},
    {30803, "The Vell alarm setup file is not selected!"},
    {30804, "The alarm setup file and log file can not match!"},
    {32774, "Open an existing document\nOpen"},
    {32775, "Save file as DBF or CSV file\nSave As"},
    {32776, "Set decimal options for float value \nOptions"},
    {32777, "View the trend plot of data in file\nPlot"},
    {32779, "Select Column \n Select Column"},
    {32800, "Convert log file error"},
    {57601, "Open an existing document\nOpen"},
    {57602, "Close the active document\nClose"},
    {57607, "Print the active document\nPrint"},
    {57609, "Display full pages\nPrint Preview"},
    {57616, "Open this document"},
    {57617, "Open this document"},
    {57618, "Open this document"},
    {57619, "Open this document"},
    {57648, "Open another window for the active document\nNew Window"},
    {57649, "Arrange icons at the bottom of the window\nArrange Icons"},
    {57650, "Arrange windows so they overlap\nCascade Windows"},
    {57651, "Arrange windows as non-overlapping tiles\nTile Windows"},
    {57664, "Display program information, version number and copyright\nAbout"},
    {57665, "Quit the application; prompts to save documents\nExit"},
    {57680, "Switch to the next window pane\nNext Pane"},
    {57681, "Switch back to the previous window pane\nPrevious Pane"},
    {59392, "Show or hide the toolbar\nToggle ToolBar"},
    {59393, "Show or hide the status bar\nToggle StatusBar"},
    {61446, "String"},
    {61447, "Number"},
    {61448, "This Blendcraft file not be opened!"},
    {61449, "#"},
    {61450, "Ingredient"},
    {61451, "Type"},
    {61452, "Min"},
    {61453, "Max"},
    {61454, "Converting Blendcraft file to dBase file!"},
    {61455, "The Blendcraft file %s has more data sets and tag sets than one table can hold!"},
};

constexpr bool InAscendingOrder()
{
    for (size_t i = 1; i < std::size(kTexts); ++i)
        if (kTexts[i - 1].id >= kTexts[i].id) return false;
    return true;
}
static_assert(InAscendingOrder(), "string table entries must be in ascending order of number");

}  // namespace

std::string_view LoadString(uint32_t id)
{
    const NumberedText* found =
        std::lower_bound(std::begin(kTexts), std::end(kTexts), id,
                         [](const NumberedText& entry, uint32_t key) { return entry.id < key; });
    return found != std::end(kTexts) && found->id == id ? found->text : std::string_view();
}

std::string FormatString(uint32_t id, std::string_view argument)
{
    std::string text(LoadString(id));
    size_t placeholder = text.find("%s");
    if (placeholder != std::string::npos) text.replace(placeholder, 2, argument);
    return text;
}

}  // namespace logora
