#pragma once
// The typed columns of a table's records, worked out once before the first
// record: the CSV export's column plan, how each column is read back, and
// the columns of the time stamp. Shared, unchanged, by every thread that
// reads rows.

#include <cstddef>
#include <string>
#include <vector>

#include "logora/engine/export/ColumnPlan.h"
#include "logora/engine/rows/CellReading.h"

namespace logora {

class CDBF;

struct RowColumns
{
    // The columns of `table`'s records, or with `choice` those fields in that
    // order; texts are in `codePage`.
    RowColumns(const CDBF& table, int floatLength, int decimalCount, int codePage,
               const std::vector<int>* choice = nullptr);

    // Bytes of the code page as UTF-8.
    void Decode(const char* bytes, size_t length, std::string& text) const;
    std::string Decoded(const char* bytes, size_t length) const;

    ColumnPlan plan;
    std::vector<TypedColumn> typed;  // one per column of the plan
    int floatLength;
    int decimalCount;
    int codePage;
    int dateColumn = -1;  // the columns of the time stamp, or -1
    int timeColumn = -1;
    int millitmColumn = -1;
    bool hasTimeStamp = false;  // a date and a time column
    size_t longestText = 0;     // of any column's CSV text, in code page bytes
};

}  // namespace logora
