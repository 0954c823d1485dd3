#include "logora/engine/workbook/WorkbookWriter.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "common/text/Utf.h"
#include "logora/engine/text/Utf8.h"
#include "logora/engine/workbook/SerialDates.h"
#include "platform/paths/Paths.h"

namespace logora {

namespace {

constexpr const char* kSheetName = "Records";
// Whole numbers beyond the 15 digits a sheet shows go in as text, so that
// none is shown rounded.
constexpr double kLargestExactInteger = 999'999'999'999'999.0;
// Rows between two checks that the sheet's temporary file took them.
constexpr int64_t kRowsPerCheck = 65'536;

std::string SheetName(int number)
{
    return number == 1 ? kSheetName : std::string(kSheetName) + " " + std::to_string(number);
}

// The text as well-formed UTF-8, since a workbook with anything else cannot
// be opened: malformed sequences (such as a single-byte code page's texts
// taken for UTF-8) become U+FFFD.
void AssignWellFormed(std::string& output, std::string_view text)
{
    output.assign(text);
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
    if (!ascii && !common::Utf8ToUtf16(text)) output = Utf16ToUtf8(Utf8ToUtf16(text));
}

}  // namespace

WorkbookWriter::WorkbookWriter(int64_t rowsPerSheet)
    : rowsPerSheet_(std::clamp<int64_t>(rowsPerSheet, 1, kSheetRowLimit))
{}

WorkbookWriter::~WorkbookWriter()
{
    Drop();
}

bool WorkbookWriter::Prepare(const std::string& path)
{
    Drop();
    failure_.clear();
    target_ = path;
    rows_ = 0;
    if (!replacement_.Begin(path)) return Fail(replacement_.Failure());
    temporaryFolder_ = platform::FolderOf(replacement_.TemporaryPath());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    // The sheets' rows wait in temporary files until the workbook is put
    // together: beside the target, where the workbook's room is, not in /tmp.
    options.tmpdir = temporaryFolder_.data();
    options.use_zip64 = LXW_TRUE;
    workbook_ = workbook_new_opt(replacement_.TemporaryPath().c_str(), &options);
    if (workbook_ == nullptr) {
        replacement_.Discard();
        return Fail(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
    }
    dates_ = UserDateFormats();
    return true;
}

bool WorkbookWriter::BeginRows(const RowLayout& layout)
{
    if (workbook_ == nullptr || !failure_.empty()) return false;
    if (layout.columns.empty()) return Fail("no columns to write");
    if (layout.columns.size() > LXW_COL_MAX)
        return Fail(std::to_string(layout.columns.size()) + " columns, more than the " +
                    std::to_string(LXW_COL_MAX) + " a sheet holds");
    layout_ = layout;
    columnFormats_.clear();
    for (const RowColumn& column : layout_.columns) {
        const std::string numberFormat = NumberFormatOf(column, dates_);
        columnFormats_.push_back(numberFormat.empty() ? nullptr : FormatNamed(numberFormat));
    }
    return StartSheet();
}

bool WorkbookWriter::StartSheet()
{
    if (!EndSheet()) return false;
    sheet_ = workbook_add_worksheet(workbook_, SheetName(++sheets_).c_str());
    sheetRows_ = 0;
    if (sheet_ == nullptr) return Fail("cannot add the sheet " + SheetName(sheets_));
    for (uint16_t column = 0; column < layout_.columns.size(); ++column) {
        const RowColumn& info = layout_.columns[column];
        const std::string numberFormat = NumberFormatOf(info, dates_);
        worksheet_set_column(sheet_, column, column, ColumnWidth(info, numberFormat), nullptr);
        AssignWellFormed(text_, info.name);
        const lxw_error written = worksheet_write_string(sheet_, 0, column, text_.c_str(), nullptr);
        if (written != LXW_NO_ERROR) return Fail("heading " + info.name + ": " + lxw_strerror(written));
    }
    worksheet_freeze_panes(sheet_, 1, 0);
    return true;
}

// The autofilter spans the rows the sheet got, known only at its end.
bool WorkbookWriter::EndSheet()
{
    if (sheet_ == nullptr) return true;
    worksheet_autofilter(sheet_, 0, 0, lxw_row_t(sheetRows_), lxw_col_t(layout_.columns.size() - 1));
    return RowsStored();
}

bool WorkbookWriter::RowsStored()
{
    // The library does not check its writes to the temporary file of a
    // sheet's rows: a full disk would leave a workbook that lacks rows and
    // looks complete.
    FILE* rows = sheet_->optimize_tmpfile;
    if (rows == nullptr) return true;
    const bool flushed = std::fflush(rows) == 0;
    const int reason = errno;
    if (flushed && !std::ferror(rows)) return true;
    return Fail("cannot keep the rows of sheet " + SheetName(sheets_) + " in " + temporaryFolder_ +
                (flushed ? std::string() : std::string(": ") + std::strerror(reason)));
}

bool WorkbookWriter::PutRow(const RowCell* cells, const CivilTime*)
{
    // The time stamp is no column of its own: the sheet shows the CSV's
    // columns, whose date and time hold it already.
    if (sheet_ == nullptr || !failure_.empty()) return false;
    if (sheetRows_ == rowsPerSheet_ && !StartSheet()) return false;
    if (sheetRows_ > 0 && sheetRows_ % kRowsPerCheck == 0 && !RowsStored()) return false;
    ++sheetRows_;
    ++rows_;
    for (uint16_t column = 0; column < layout_.columns.size(); ++column) {
        if (!PutCell(column, cells[column])) return false;
    }
    return true;
}

bool WorkbookWriter::PutCell(uint16_t column, const RowCell& cell)
{
    // A cell whose text is no value of its kind keeps the text.
    if (cell.empty) return cell.text.empty() || PutText(column, cell.text);
    const CellKind kind = layout_.columns[column].kind;
    double value = 0;
    switch (kind) {
        case CellKind::Text:
            return PutText(column, cell.text);
        case CellKind::Number:
            if (!std::isfinite(cell.number)) return PutText(column, cell.text);
            value = cell.number;
            break;
        case CellKind::Integer:
            if (std::fabs(double(cell.integer)) > kLargestExactInteger) return PutText(column, cell.text);
            value = double(cell.integer);
            break;
        case CellKind::Date:
        case CellKind::Time:
        case CellKind::DateTime: {
            const std::optional<double> serial = SerialOf(cell.when, kind);
            if (!serial) return PutText(column, cell.text);
            value = *serial;
            break;
        }
    }
    const lxw_error written =
        worksheet_write_number(sheet_, lxw_row_t(sheetRows_), column, value, columnFormats_[column]);
    return written == LXW_NO_ERROR || CellFailed(column, lxw_strerror(written));
}

bool WorkbookWriter::PutText(uint16_t column, std::string_view text)
{
    if (text.empty()) return true;
    AssignWellFormed(text_, text);
    const lxw_error written =
        worksheet_write_string(sheet_, lxw_row_t(sheetRows_), column, text_.c_str(), nullptr);
    return written == LXW_NO_ERROR || CellFailed(column, lxw_strerror(written));
}

lxw_format* WorkbookWriter::FormatNamed(const std::string& numberFormat)
{
    auto known = formats_.find(numberFormat);
    if (known != formats_.end()) return known->second;
    lxw_format* format = workbook_add_format(workbook_);
    format_set_num_format(format, numberFormat.c_str());
    formats_.emplace(numberFormat, format);
    return format;
}

bool WorkbookWriter::Finish(bool complete)
{
    if (complete && sheet_ == nullptr) Fail("no rows were begun");
    if (!complete || !failure_.empty()) {
        Drop();
        return false;
    }
    if (!EndSheet()) {
        Drop();
        return false;
    }
    if (const char* reason = Close()) {
        replacement_.Discard();
        return Fail(reason);
    }
    if (!replacement_.Commit()) return Fail(std::strerror(errno));
    return true;
}

bool WorkbookWriter::Fail(const std::string& what)
{
    if (failure_.empty()) failure_ = target_ + ": " + what;
    return false;
}

bool WorkbookWriter::CellFailed(uint16_t column, const char* reason)
{
    return Fail("record " + std::to_string(rows_) + ", " + layout_.columns[column].name + ": " + reason);
}

const char* WorkbookWriter::Close()
{
    // Put together even when it is dropped: freeing the workbook alone would
    // keep the temporary files of its sheets open, and their room on the
    // disk taken, while the process lives. Before its first sheet it has none.
    lxw_error closed = LXW_NO_ERROR;
    if (workbook_ != nullptr && sheets_ > 0)
        closed = workbook_close(workbook_);
    else if (workbook_ != nullptr)
        lxw_workbook_free(workbook_);
    workbook_ = nullptr;
    sheet_ = nullptr;
    sheets_ = 0;
    formats_.clear();
    return closed == LXW_NO_ERROR ? nullptr : lxw_strerror(closed);
}

void WorkbookWriter::Drop()
{
    Close();
    replacement_.Discard();
}

std::unique_ptr<RowWriter> MakeWorkbookWriter()
{
    return std::make_unique<WorkbookWriter>();
}

}  // namespace logora
