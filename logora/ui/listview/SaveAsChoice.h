#pragma once
// What Save As offers and writes: the filter list depends on the document's
// extension; the typed extension decides CSV against dBASE, the filter
// position the CSV form.

#include <string>

namespace logora::ui {

inline constexpr const char* kSaveFiltersForLog =
    "CSV Files(List) (*.csv);;CSV Files(Table) (*.csv);;dBase Files (*.dbf)";
inline constexpr const char* kSaveFilters = "CSV Files (*.csv);;dBase Files (*.dbf)";

// The filter list for a document opened from `documentPath`.
const char* SaveFiltersFor(const std::string& documentPath);

// True when the chosen name ends in ".csv" (letter case ignored).
bool SavesAsCsv(const std::string& chosenPath);

// "<folder>/" of a path, for the remembered folders.
std::string FolderWithSeparator(const std::string& path);

}  // namespace logora::ui
