#pragma once
// The fields of a Zarn data record for its list-form line made straight from
// the record (KeyedLineStage.h): the data file's own columns as they stand,
// the tag name once per tag number, without filling the 255 bytes of the
// tag name for every record.

#include <cstdint>
#include <vector>

#include "logora/engine/export/KeyedColumnTexts.h"
#include "logora/engine/zarn/CTagNameMerger.h"

namespace logora {

class ZarnLineFields
{
public:
    using Record = const uint8_t*;                        // the data record
    enum Source : int { kStamp = -1, kTagName, kOther };  // no time stamp of its own

    // `merge` must outlive the object; merged records are `mergedLength`
    // bytes long.
    ZarnLineFields(const TagNameMerge& merge, uint32_t mergedLength) : merge_(merge), merged_(mergedLength) {}

    int SourceAt(uint32_t offset) const { return offset == merge_.tagIndexDisplacement ? kTagName : kOther; }
    // `item` is a data record whose tag number is in the tag list.
    Record Decode(const uint8_t* item)
    {
        merge_.MergeAroundTagName(item, merged_.data());
        return item;
    }
    static uint64_t Stamp(const Record&) { return 0; }
    const uint8_t* SetStamp(const Record&) { return merged_.data(); }
    char* Put(KeyedColumnTexts& texts, size_t column, int source, const Record& record, char* at)
    {
        if (source != kTagName) return texts.PutFormatted(at, column, merged_.data());
        return texts.PutKeyed(at, column, merge_.TagNumberOf(record), merged_.data(),
                              [&] { merge_.MergeTagName(record, merged_.data()); });
    }

private:
    const TagNameMerge& merge_;
    std::vector<uint8_t> merged_;
};

}  // namespace logora
