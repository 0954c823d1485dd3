#pragma once
// Typed rows as an Excel workbook: the sheet "Records" with the column names
// in its first row (frozen, with an autofilter), numbers, dates and times as
// the sheet's own values in the formats the CSV shows them, texts as
// strings. Records beyond a sheet's limit go on to "Records 2", "Records 3",
// ... each with its own heading. Written in constant memory: only the row at
// hand is held, the rest goes to temporary files in the target's folder.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "logora/engine/rows/RowWriter.h"
#include "logora/engine/workbook/ColumnFormats.h"
#include "platform/files/ReplacementFile.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace logora {

class WorkbookWriter final : public RowWriter
{
public:
    // The rows a sheet holds below its heading.
    static constexpr int64_t kSheetRowLimit = 1'048'575;

    explicit WorkbookWriter(int64_t rowsPerSheet = kSheetRowLimit);
    ~WorkbookWriter() override;
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    bool Prepare(const std::string& path) override;
    bool BeginRows(const RowLayout& layout) override;
    bool PutRow(const RowCell* cells, const CivilTime* timeStamp) override;
    bool Finish(bool complete) override;
    std::string Failure() const override { return failure_; }

private:
    bool StartSheet();
    bool EndSheet();
    // Whether the current sheet's rows reached its temporary file so far.
    bool RowsStored();
    bool PutCell(uint16_t column, const RowCell& cell);
    bool PutText(uint16_t column, std::string_view text);
    lxw_format* FormatNamed(const std::string& numberFormat);
    // Records why the workbook failed; always false.
    bool Fail(const std::string& what);
    bool CellFailed(uint16_t column, const char* reason);
    // Puts the workbook together; why that failed, null when it did not.
    const char* Close();
    // Closes the workbook and deletes what it wrote.
    void Drop();

    int64_t rowsPerSheet_;
    std::string target_;
    platform::ReplacementFile replacement_;
    std::string temporaryFolder_;
    lxw_workbook* workbook_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    int sheets_ = 0;
    int64_t sheetRows_ = 0;  // rows below the current sheet's heading
    int64_t rows_ = 0;
    RowLayout layout_;
    DateFormats dates_;
    std::vector<lxw_format*> columnFormats_;  // null for text
    std::map<std::string, lxw_format*> formats_;
    std::string text_;  // a cell's text with the terminator the library needs
    std::string failure_;
};

std::unique_ptr<RowWriter> MakeWorkbookWriter();

}  // namespace logora
