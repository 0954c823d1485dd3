#pragma once
// The state of the table form's record loop: the open line, the columns it
// reads and its text buffers, allocated once per export.

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logora/engine/export/ColumnPlan.h"
#include "logora/engine/export/CsvQuoting.h"
#include "logora/engine/export/ListLineFormatter.h"
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

    // The key text of `record` (the key columns' texts, each followed by
    // ","), in `key` until the next call.
    std::string_view KeyText(const uint8_t* record, ColumnTexts& texts);
    // Puts the value of `record` (tag `tag`'s, or kTagByName) into the open
    // line, after `closeLine` wrote the line before when `record` starts a
    // new one. `texts` formats the plan's columns.
    template <typename CloseLine>
    void Take(const uint8_t* record, size_t tag, ColumnTexts& texts, CloseLine closeLine);
};

template <typename CloseLine>
void TableFormState::Take(const uint8_t* record, size_t tag, ColumnTexts& texts, CloseLine closeLine)
{
    const std::string_view keyText = KeyText(record, texts);
    if (line.IsOpen() && !line.HasKey(keyText)) closeLine(line);
    if (!line.IsOpen()) line.Open(keyText);

    if (tag >= tags.Count())
        tag = tags.Find(std::string_view(text.get(), texts.Format(tagColumn, record, text.get())));
    if (tag >= tags.Count()) return;
    size_t length = texts.Format(valueColumn, record, text.get());
    if (texts.Plan().columns[valueColumn].mayNeedQuoting && quoting.Needs(text.get(), length)) {
        length = quoting.Quote(line.Field(tag), text.get(), length);
    } else {
        std::memcpy(line.Field(tag), text.get(), length);
    }
    line.SetFieldLength(tag, length);
}

}  // namespace logora
