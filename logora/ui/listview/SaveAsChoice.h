#pragma once
// What Save As offers and writes: the filter list depends on the document's
// extension; the typed extension decides the output, the filter position the
// CSV form. The workbook and the database this build can write are offered
// after the CSV and dBASE filters.

#include <string>

namespace logora::ui {

inline constexpr const char* kSaveFiltersForLog =
    "CSV Files(List) (*.csv);;CSV Files(Table) (*.csv);;dBase Files (*.dbf)";
inline constexpr const char* kSaveFilters = "CSV Files (*.csv);;dBase Files (*.dbf)";

// The filter list for a document opened from `documentPath`.
std::string SaveFiltersFor(const std::string& documentPath);

// Save Shown's filters: CSV, then the typed outputs this build writes (in
// the list form, as the shown columns are a list).
std::string ShownSaveFilters();

// True when the chosen name ends in ".csv" (letter case ignored).
bool SavesAsCsv(const std::string& chosenPath);

// The extension of a filter's first pattern, without its dot: "xlsx" for
// "Excel Workbook (*.xlsx)"; empty when it has none.
std::string SuffixOfFilter(const std::string& filter);
// True for a filter of the table form ("...(Table) (*.xlsx)").
bool FilterAsksTableForm(const std::string& filter);

// "<folder>/" of a path, for the remembered folders.
std::string FolderWithSeparator(const std::string& path);

}  // namespace logora::ui
