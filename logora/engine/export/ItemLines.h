#pragma once
// A conversion whose list-form CSV lines can be written from its input items
// without building their table records first. Such a line formats every
// column with the export's own line formatter, fed the bytes the record's
// field would hold, so the line is the same; what repeats from item to item
// (a time stamp's date, a tag's name) is formatted once and copied.

#include <memory>

#include "logora/engine/convert/RecordStage.h"

namespace logora {

class ListLineFormatter;

class ItemLineMaking
{
public:
    virtual ~ItemLineMaking() = default;
    // The stage that puts each item's line through `lines`, whose plan holds
    // columns of the conversion's table (any of them, in any order). One
    // stage serves one thread, as a record maker does.
    virtual std::unique_ptr<RecordStage> ItemLineStage(std::unique_ptr<ListLineFormatter> lines) const = 0;
};

}  // namespace logora
