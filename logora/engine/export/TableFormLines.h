#pragma once
// The table form's lines made on one of an export's threads, from blocks of
// records that hold whole lines: each line but the output's first starts
// with the line end of the one before, so the output's last line has none,
// as the table form writes it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "logora/engine/export/ListLineFormatter.h"
#include "logora/engine/export/TableFormState.h"

namespace logora {

class TableFormLines
{
public:
    // `plan` (with a tag and a value column) must outlive the object.
    TableFormLines(const ColumnPlan& plan, const std::vector<std::string>& tags, int floatLength,
                   int decimalCount, int codePage);

    // The most bytes Put or EndBlock write.
    size_t MaxLength() const { return 2 + state_.line.MaxLength(); }
    void BeginBlock(bool first) { atOutputStart_ = first; }
    // Takes `record` of tag `tag` (kTagByName: by its tag text); writes the
    // line it ends, if any, to `output`; the bytes written.
    size_t Put(const uint8_t* record, size_t tag, char* output);
    size_t EndBlock(char* output);

    // The key text of `record` (date, time, milliseconds), valid until the
    // next call: records of equal keys make one line.
    std::string_view KeyText(const uint8_t* record);

private:
    size_t Close(TableFormLine& line, char* output);

    ColumnTexts texts_;
    TableFormState state_;
    bool atOutputStart_ = false;
};

// Whether two key texts make different lines.
bool KeysDiffer(std::string_view before, std::string_view after);

}  // namespace logora
