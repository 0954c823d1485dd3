#pragma once
// A document's trend samples, kept column by column: per sample its
// date-time, validity and milliseconds, and one value column per pen with
// NaN where the pen has no value at that sample. Columns let a chart take the
// samples over whole instead of copying them one by one, and cost no array
// per sample.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "logora/engine/document/CTrendData.h"

namespace logora {

class TrendSamples
{
public:
    size_t size() const { return dateTimes_.size(); }
    bool empty() const { return dateTimes_.empty(); }

    // Room for this many samples, so the columns need not grow by copies.
    void Reserve(size_t samples);
    // Starts a new last sample; an invalid date-time is kept as 0.0.
    void Append(double dateTime, bool valid, int32_t milliseconds);
    bool LastHasTime(double dateTime, bool valid, int32_t milliseconds) const;
    // Puts `value` at `pen` of the last sample (there is one). Pens below it
    // that have no value there get 0.0, as a sample's value array extended
    // with zeros.
    void SetLastValue(size_t pen, double value)
    {
        if (pen >= lastWidth_) {
            if (pen > lastWidth_ || pen >= values_.size()) Widen(pen);
            lastWidth_ = pen + 1;
        }
        values_[pen].back() = value;
    }

    // The last sample's pens below `pens` without a value get 0.0, as when
    // a value of a higher pen extends its array.
    void ZeroLastBelow(size_t pens);

    // Sample `i` with its value array up to its highest pen with a value.
    CTrendData operator[](size_t i) const;
    double DateTime(size_t i) const { return dateTimes_[i]; }

    // The columns handed over; each leaves its column empty.
    std::vector<double> TakeDateTimes();
    std::vector<int32_t> TakeMilliseconds();
    std::vector<std::vector<double>> TakeValues();
    // Frees every column.
    void clear();

private:
    // Adds the columns up to `pen` that are new, and zeros the last sample's
    // values of the pens between its highest value and `pen`.
    void Widen(size_t pen);

    std::vector<double> dateTimes_;
    std::vector<bool> valid_;
    std::vector<int32_t> milliseconds_;
    std::vector<std::vector<double>> values_;  // [pen][sample]
    size_t lastWidth_ = 0;                     // pens up to the last sample's highest value
};

}  // namespace logora
