#pragma once
// Puts texts that tie on their first eight bytes into their full order:
// each pass reads the tied records' next eight bytes, in file order, and
// sorts every tied group by them, until no group has more to compare.
// Reads the table through a reader of its own, so a sort on another thread
// leaves the list's reads alone.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logora/ui/records/SortKeys.h"

namespace logora {
class CDBF;
}

namespace logora::ui {

class RecordCells;

class TextTies
{
public:
    TextTies(const RecordCells& cells, int field, bool ascending);
    ~TextTies();

    // `keys` hold the records first, first + 1, ... in some order, sorted by
    // their first eight bytes (inverted when descending) and record number.
    // The keys then hold the last bytes compared. False when the table
    // cannot be read.
    bool Break(std::vector<KeyedRecord>& keys, uint32_t first);
    // Whether records with this key may differ after its eight bytes.
    bool Continues(uint64_t key) const { return ((ascending_ ? key : ~key) & 0xFF) != 0; }
    // The record's whole text; empty when it cannot be read.
    std::string_view Text(uint32_t record);
    // Order of the whole texts: negative when `a` comes first.
    int Compare(std::string_view a, std::string_view b) const
    {
        return ascending_ ? a.compare(b) : b.compare(a);
    }

private:
    const RecordCells& cells_;
    int field_;
    bool ascending_;
    std::unique_ptr<CDBF> table_;
    bool opened_ = false;
};

}  // namespace logora::ui
