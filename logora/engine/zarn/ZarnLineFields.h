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

    // `merger` must outlive the object.
    explicit ZarnLineFields(const CTagNameMerger& merger)
        : merger_(merger), merged_(merger.MergedRecordLength())
    {}

    int SourceAt(uint32_t offset) const { return offset == merger_.TagNameOffset() ? kTagName : kOther; }
    // `item` is a data record whose tag number is in the tag list.
    Record Decode(const uint8_t* item)
    {
        merger_.MergeAroundTagName(item, merged_.data());
        return item;
    }
    static uint64_t Stamp(const Record&) { return 0; }
    const uint8_t* SetStamp(const Record&) { return merged_.data(); }
    char* Put(KeyedColumnTexts& texts, size_t column, int source, const Record& record, char* at)
    {
        if (source != kTagName) return texts.PutFormatted(at, column, merged_.data());
        const size_t tag = CTagNameMerger::TagNumberOf(record + merger_.TagNameOffset());
        return texts.PutKeyed(at, column, tag, merged_.data(),
                              [&] { merger_.MergeTagName(record, merged_.data()); });
    }

private:
    const CTagNameMerger& merger_;
    std::vector<uint8_t> merged_;
};

}  // namespace logora
