#pragma once
// Adds the records of a Vell datalog to trend samples as TrendLoader adds the
// table records made of them, without making those records. What the loader
// would parse from a made record is parsed from the fields a record maker
// builds, once per tag number for its pen and once per time stamp for its
// date-time: so the samples are those of the made table, invalid times and
// the hour a clock is set back (two stamps of one local time join one
// sample) included. The value is the double the made record holds.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "logora/engine/dbf/MadeTable.h"
#include "logora/engine/document/TrendLoader.h"
#include "logora/engine/document/TrendRecord.h"
#include "logora/engine/document/TrendSamples.h"
#include "logora/engine/vell/VellRecordMaker.h"

namespace logora {

class VellTrendLoader
{
public:
    // `makers` (those of the table), `layout` (the trend layout of its
    // records), `pens` and `samples` outlive the loader; `samples` starts
    // empty. Values of pens from `pensKept` on are left out.
    VellTrendLoader(const VellTableLayout& makers, const TrendLayout& layout, size_t pensKept, TagPens& pens,
                    TrendSamples& samples);
    VellTrendLoader(const VellTrendLoader&) = delete;
    VellTrendLoader& operator=(const VellTrendLoader&) = delete;

    // Adds one datalog record (16 bytes) whose tag number the conversion
    // checked against the tag list.
    void Add(const uint8_t* item);

private:
    static constexpr int32_t kNotMet = -2;
    static constexpr int32_t kNoPen = -1;  // a tag field the loader reads no key from

    int32_t PenOf(uint16_t tagNumber);
    void JoinOrStartSample(uint32_t time, int32_t milliseconds);
    // The milliseconds the loader reads back from the Millitm text.
    int32_t TableMilliseconds(int32_t milliseconds);

    ShapeOfTable shape_;
    VellRecordMaker maker_;
    const TrendLayout& layout_;
    size_t pensKept_;
    TagPens& pens_;
    TrendSamples& samples_;
    std::vector<int32_t> penOfTag_;  // by tag number
    std::string key_;
    // The date-time of the last time stamp, read once for all its records.
    bool haveTime_ = false;
    uint32_t lastTime_ = 0;
    double dateTime_ = 0.0;
    bool valid_ = false;
};

}  // namespace logora
