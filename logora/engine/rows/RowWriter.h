#pragma once
// An output that takes typed rows (a workbook, a database, columns of
// arrays). It is made beside its target and put in place only when complete,
// like every output, so a failed or cancelled run leaves what was there.

#include <string>

#include "logora/engine/rows/RowCell.h"
#include "logora/engine/rows/RowLayout.h"

namespace logora {

class RowWriter
{
public:
    virtual ~RowWriter() = default;

    // Prepares the output for `path`; false when it cannot be created
    // (Failure tells why, naming the file).
    virtual bool Prepare(const std::string& path) = 0;
    // The layout of the rows to come, once before the first row.
    virtual bool BeginRows(const RowLayout& layout) = 0;
    // One row: a cell per column of the layout, and the row's time stamp
    // when the layout has one (else null). False once the output failed.
    virtual bool PutRow(const RowCell* cells, const CivilTime* timeStamp) = 0;
    // Keeps the output when `complete` and everything was written (true);
    // drops it otherwise (false), leaving the target as it was.
    virtual bool Finish(bool complete) = 0;
    // Why the output failed, naming the file; empty while it did not.
    virtual std::string Failure() const = 0;
};

}  // namespace logora
