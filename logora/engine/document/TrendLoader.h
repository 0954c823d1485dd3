#pragma once
// Adds the records of a datalog table to trend samples. Such records repeat
// their bytes: the records of one time stamp follow each other with the same
// time text, and each tag comes back with the same tag field, mostly in the
// same order as before. So the bytes are compared before anything is parsed:
// a record with the time text of the record before joins its sample, one
// with its date keeps the day read for it (with its second, the time of day), and a tag field met before (the
// one that followed the previous record's tag last time is tried first) has
// its pen. Only the rest is parsed.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "logora/engine/document/TrendRecord.h"
#include "logora/engine/document/TrendSamples.h"

namespace logora {

// Pen indexes of tag keys in the order the keys first appear; a document
// keeps them from one load to the next.
struct TagPens
{
    std::map<std::string, int32_t> map;
    int32_t next = 0;

    int32_t PenOf(const std::string& key);
};

class TrendLoader
{
public:
    // `layout`, `pens` and `samples` outlive the loader; `samples` starts
    // empty. Values of pens from `pensKept` on are left out.
    TrendLoader(const TrendLayout& layout, size_t pensKept, TagPens& pens, TrendSamples& samples);
    TrendLoader(const TrendLoader&) = delete;
    TrendLoader& operator=(const TrendLoader&) = delete;

    // Adds one record of the layout's length. A record whose tag number is
    // no number adds nothing.
    void Add(const uint8_t* record);

private:
    static constexpr size_t kNone = SIZE_MAX;

    struct KnownTag
    {
        std::string_view field;  // the key of fieldIndex_
        int32_t pen;
        size_t next;  // the tag that followed this one last time, or kNone
    };
    struct FieldHash
    {
        using is_transparent = void;
        size_t operator()(std::string_view field) const { return std::hash<std::string_view>{}(field); }
    };

    // Index of the record's tag in known_, kNone for a tag number that is no number.
    size_t TagOf(const uint8_t* record);
    void JoinOrStartSample(const uint8_t* record);

    const TrendLayout& layout_;
    size_t pensKept_;
    TagPens& pens_;
    TrendSamples& samples_;
    std::vector<KnownTag> known_;
    std::unordered_map<std::string, size_t, FieldHash, std::equal_to<>> fieldIndex_;
    size_t previousTag_ = kNone;
    std::string key_;  // reused for every parsed key
    uint8_t lastTimeText_[TrendLayout::kTimeTextLength] = {};
    // The date of lastTimeText_, read once for all its samples; and its time
    // of day, read once for the samples of its second.
    double lastDays_ = 0.0;
    bool lastDayValid_ = false;
    double lastFraction_ = 0.0;
    bool lastTimeValid_ = false;
};

}  // namespace logora
