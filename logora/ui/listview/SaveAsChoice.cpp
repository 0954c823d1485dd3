#include "logora/ui/listview/SaveAsChoice.h"

#include "common/text/AsciiCase.h"
#include "logora/engine/formats/PathExtension.h"
#include "logora/engine/outputs/OutputFormats.h"

namespace logora::ui {

namespace {

bool IsDatalog(const std::string& documentPath)
{
    return common::EqualsIgnoringAsciiCase(ExtensionOf(documentPath), ".log");
}

// The filters of the typed outputs this build writes; a datalog's workbook
// comes in both CSV forms.
std::string TypedOutputFilters(bool datalog)
{
    std::string filters;
    for (const OutputFormat& format : OutputFormats()) {
        if (!format.available) continue;
        std::string patterns;
        for (std::string_view extension : format.extensions)
            patterns += (patterns.empty() ? "*" : " *") + std::string(extension);
        if (format.kind == OutputKind::Workbook && datalog) {
            filters += ";;Excel Workbook(List) (" + patterns + ");;Excel Workbook(Table) (" + patterns + ")";
        } else if (format.kind == OutputKind::Workbook) {
            filters += ";;Excel Workbook (" + patterns + ")";
        } else if (format.kind == OutputKind::Database) {
            filters += ";;SQLite Database (" + patterns + ")";
        }
    }
    return filters;
}

}  // namespace

std::string SaveFiltersFor(const std::string& documentPath)
{
    const bool datalog = IsDatalog(documentPath);
    return std::string(datalog ? kSaveFiltersForLog : kSaveFilters) + TypedOutputFilters(datalog);
}

std::string ShownSaveFilters()
{
    return "CSV Files (*.csv)" + TypedOutputFilters(false);
}

bool SavesAsCsv(const std::string& chosenPath)
{
    return common::EqualsIgnoringAsciiCase(ExtensionOf(chosenPath), ".csv");
}

std::string SuffixOfFilter(const std::string& filter)
{
    const size_t pattern = filter.find("(*.");
    if (pattern == std::string::npos) return {};
    const size_t start = pattern + 3;
    const size_t end = filter.find_first_of(" )", start);
    return filter.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool FilterAsksTableForm(const std::string& filter)
{
    return filter.find("(Table)") != std::string::npos;
}

std::string FolderWithSeparator(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace logora::ui
