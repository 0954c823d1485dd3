#include "logora/ui/listview/SaveAsChoice.h"

#include <strings.h>

namespace logora::ui {

namespace {

std::string Extension(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return path.substr(dot);
}

}  // namespace

const char* SaveFiltersFor(const std::string& documentPath)
{
    return strcasecmp(Extension(documentPath).c_str(), ".log") == 0 ? kSaveFiltersForLog : kSaveFilters;
}

bool SavesAsCsv(const std::string& chosenPath)
{
    return strcasecmp(Extension(chosenPath).c_str(), ".csv") == 0;
}

std::string FolderWithSeparator(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace logora::ui
