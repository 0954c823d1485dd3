#include "logora/engine/outputs/OutputFormats.h"

#include <algorithm>

#include "common/text/AsciiCase.h"
#include "logora/engine/formats/PathExtension.h"
#include "logora/engine/rows/RowWriter.h"

#ifdef LOGORA_WITH_WORKBOOK
#include "logora/engine/workbook/WorkbookWriter.h"
#endif
#ifdef LOGORA_WITH_DATABASE
#include "logora/engine/database/DatabaseWriter.h"
#endif

namespace logora {

namespace {

#ifdef LOGORA_WITH_WORKBOOK
constexpr bool kWorkbooks = true;
#else
constexpr bool kWorkbooks = false;
#endif
#ifdef LOGORA_WITH_DATABASE
constexpr bool kDatabases = true;
#else
constexpr bool kDatabases = false;
#endif

}  // namespace

const std::vector<OutputFormat>& OutputFormats()
{
    static const std::vector<OutputFormat> formats = {
        {OutputKind::Csv, "csv", {".csv"}, true},
        {OutputKind::Dbf, "dbf", {".dbf"}, true},
        {OutputKind::Workbook, "xlsx", {".xlsx"}, kWorkbooks},
        {OutputKind::Database, "sqlite", {".sqlite", ".sqlite3", ".db"}, kDatabases},
    };
    return formats;
}

const OutputFormat* FindOutputFormat(const std::string& path)
{
    const std::string extension = ExtensionOf(path);
    if (extension.empty()) return &OutputFormats().front();
    for (const OutputFormat& format : OutputFormats()) {
        const bool named = std::any_of(
            format.extensions.begin(), format.extensions.end(),
            [&](std::string_view known) { return common::EqualsIgnoringAsciiCase(extension, known); });
        if (named) return &format;
    }
    return nullptr;
}

const OutputFormat* FindOutputFormatNamed(std::string_view name)
{
    for (const OutputFormat& format : OutputFormats())
        if (format.name == name) return &format;
    return nullptr;
}

std::unique_ptr<RowWriter> MakeRowWriter(OutputKind kind, const OutputOrigin& origin)
{
    (void)origin;
    switch (kind) {
#ifdef LOGORA_WITH_WORKBOOK
        case OutputKind::Workbook:
            return MakeWorkbookWriter();
#endif
#ifdef LOGORA_WITH_DATABASE
        case OutputKind::Database:
            return MakeDatabaseWriter(origin);
#endif
        default:
            return nullptr;
    }
}

std::unique_ptr<RowWriter> MakeTableIntoDatabase(const OutputOrigin& origin)
{
#ifdef LOGORA_WITH_DATABASE
    return MakeDatabaseWriterInto(origin);
#else
    (void)origin;
    return nullptr;
#endif
}

}  // namespace logora
