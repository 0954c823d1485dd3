#pragma once
// The state of the table form's record loop: the open line, the columns it
// reads and its text buffers, allocated once per export.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "logora/engine/export/ColumnPlan.h"
#include "logora/engine/export/CsvQuoting.h"
#include "logora/engine/export/TableFormLine.h"
#include "logora/engine/export/TableFormTags.h"

namespace logora {

// Date, time and milliseconds together make a line's key.
inline bool IsKeyColumn(ColumnRole role)
{
    return role == ColumnRole::Date || role == ColumnRole::Time || role == ColumnRole::Millitm;
}

struct TableFormState
{
    // `plan` has a tag and a value column; `tags` name the tag columns; texts
    // are quoted as `codePage` needs.
    TableFormState(const ColumnPlan& plan, const std::vector<std::string>& tags, int codePage);

    CsvQuoting quoting;
    size_t tagColumn;
    size_t valueColumn;
    TableFormTags tags;
    size_t maxKeyLength;
    TableFormLine line;
    std::unique_ptr<char[]> key;
    std::unique_ptr<char[]> text;
};

}  // namespace logora
