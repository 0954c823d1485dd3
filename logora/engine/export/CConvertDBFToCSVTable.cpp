// The table form of the CSV export: one line per group of consecutive records
// with equal key texts (date, time and milliseconds), one field per tag.

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "logora/engine/export/CConvertDBFToCSV.h"
#include "logora/engine/export/ColumnPlan.h"
#include "logora/engine/export/CsvOutput.h"
#include "logora/engine/export/CsvQuoting.h"
#include "logora/engine/export/TableFormLine.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"
#include "logora/engine/text/CodePage.h"

namespace logora {

namespace {

bool IsKey(ColumnRole role)
{
    return role == ColumnRole::Date || role == ColumnRole::Time || role == ColumnRole::Millitm;
}

// Position of the first tag equal to `text` without regard to ASCII case, or
// the tag count when none is.
size_t FindTag(const std::vector<std::string>& tags, const char* text, size_t length)
{
    for (size_t k = 0; k < tags.size(); ++k)
        if (tags[k].size() == length && strncasecmp(tags[k].data(), text, length) == 0) return k;
    return tags.size();
}

// Puts `text` quoted when the quoting rule asks for it.
void PutField(CsvOutput& output, const CsvQuoting& quoting, const std::string& text)
{
    if (!quoting.Needs(text.data(), text.size())) {
        output.Put(text.data(), text.size());
        return;
    }
    std::unique_ptr<char[]> quoted(new char[2 * text.size() + 2]);
    output.Put(quoted.get(), quoting.Quote(quoted.get(), text.data(), text.size()));
}

}  // namespace

bool CConvertDBFToCSV::ExportTable(ControlProcess& progress)
{
    if (!ReadyToExport()) return false;
    ColumnPlan plan = PlanColumns(source_, floatLength_, decimalCount_);
    BeginExport(plan);
    CsvOutput output(output_);
    if (plan.Find(ColumnRole::Tag) < 0 || plan.Find(ColumnRole::Value) < 0) {
        ReportError(strings::TableFormColumnsMissing, sourcePath_);
        return Finish(Outcome::Failed, output);
    }

    CsvQuoting quoting(ActiveCodePage());
    output.Put(";", 1);
    for (const PlannedColumn& column : plan.columns) {
        if (!IsKey(column.role)) continue;
        output.Put(column.name, std::strlen(column.name));
        output.Put(",", 1);
    }
    for (const std::string& tag : tags_) {
        PutField(output, quoting, tag);
        output.Put(",", 1);
    }
    output.Put("\r\n", 2);
    return Finish(WriteTableRecords(plan, output, progress), output);
}

CConvertDBFToCSV::Outcome CConvertDBFToCSV::WriteTableRecords(const ColumnPlan& plan, CsvOutput& output,
                                                              ControlProcess& progress)
{
    CsvQuoting quoting(ActiveCodePage());
    size_t tagColumn = static_cast<size_t>(plan.Find(ColumnRole::Tag));
    size_t valueColumn = static_cast<size_t>(plan.Find(ColumnRole::Value));
    size_t maxKeyLength = 0;
    for (const PlannedColumn& column : plan.columns)
        if (IsKey(column.role)) maxKeyLength += column.maxTextLength + 1;
    size_t maxValueLength = plan.columns[valueColumn].maxTextLength;
    TableFormLine line(tags_.size(), maxKeyLength, 2 * maxValueLength + 2);
    std::unique_ptr<char[]> key(new char[maxKeyLength + 1]);
    std::unique_ptr<char[]> text(
        new char[std::max(plan.columns[tagColumn].maxTextLength, maxValueLength) + 1]);

    int64_t count = source_.GetRecordCount();
    for (int64_t index = 0; index < count; ++index) {
        const uint8_t* record = nullptr;
        if (!ReadRecordOrReport(index, &record)) return Outcome::Failed;
        size_t keyLength = 0;
        for (size_t column = 0; column < plan.columns.size(); ++column) {
            if (!IsKey(plan.columns[column].role)) continue;
            keyLength += FormatColumn(column, record, key.get() + keyLength);
            key[keyLength++] = ',';
        }
        std::string_view keyText(key.get(), keyLength);
        if (line.IsOpen() && !line.HasKey(keyText)) line.Write(output, true);
        if (!line.IsOpen()) line.Open(keyText);

        size_t tag = FindTag(tags_, text.get(), FormatColumn(tagColumn, record, text.get()));
        if (tag < tags_.size()) {
            size_t length = FormatColumn(valueColumn, record, text.get());
            if (plan.columns[valueColumn].mayNeedQuoting && quoting.Needs(text.get(), length)) {
                length = quoting.Quote(line.Field(tag), text.get(), length);
            } else {
                std::memcpy(line.Field(tag), text.get(), length);
            }
            line.SetFieldLength(tag, length);
        }
        progress.SetProgress(static_cast<uint32_t>(count), static_cast<uint32_t>(index + 1));
        if (progress.IsCancelled()) return Outcome::Cancelled;  // the open line is lost
    }
    if (line.IsOpen()) line.Write(output, false);
    return Outcome::Completed;
}

}  // namespace logora
