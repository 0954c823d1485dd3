#pragma once
// A conversion whose CSV lines can be written from its input items without
// building their table records first. Such a line formats every column with
// the export's own formatting, fed the bytes the record's field would hold,
// so the line is the same; what repeats from item to item (a time stamp's
// date, a tag's name) is formatted once and copied.

#include <cstdint>
#include <memory>

#include "logora/engine/convert/RecordStage.h"

namespace logora {

class ListLineFormatter;
class TableFormLines;

// The table form's lines of items, from blocks that hold whole lines.
class ItemTableStage : public RecordStage
{
public:
    // Whether `after`, the item behind `before`, starts a line of its own:
    // a block may end between them.
    virtual bool StartsLine(const uint8_t* before, const uint8_t* after) = 0;
};

class ItemLineMaking
{
public:
    virtual ~ItemLineMaking() = default;
    // The stage that puts each item's list-form line through `lines`, whose
    // plan holds columns of the conversion's table (any of them, in any
    // order). One stage serves one thread, as a record maker does.
    virtual std::unique_ptr<RecordStage> ItemLineStage(std::unique_ptr<ListLineFormatter> lines) const = 0;
    // The same for the table form, whose tag columns are the conversion's
    // tag names; null where the items do not tell their tags.
    virtual std::unique_ptr<ItemTableStage> ItemTableStageFor(
        std::unique_ptr<TableFormLines> lines) const = 0;
};

}  // namespace logora
