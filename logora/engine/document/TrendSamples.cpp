#include "logora/engine/document/TrendSamples.h"

#include <cmath>
#include <limits>
#include <utility>

namespace logora {

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

}  // namespace

void TrendSamples::Reserve(size_t samples)
{
    dateTimes_.reserve(samples);
    valid_.reserve(samples);
    milliseconds_.reserve(samples);
    for (auto& column : values_) column.reserve(samples);
}

void TrendSamples::Append(double dateTime, bool valid, int32_t milliseconds)
{
    dateTimes_.push_back(valid ? dateTime : 0.0);
    valid_.push_back(valid);
    milliseconds_.push_back(milliseconds);
    for (auto& column : values_) column.push_back(kNoValue);
    lastWidth_ = 0;
}

bool TrendSamples::LastHasTime(double dateTime, bool valid, int32_t milliseconds) const
{
    if (empty() || milliseconds_.back() != milliseconds || valid_.back() != valid) return false;
    return !valid || dateTimes_.back() == dateTime;
}

void TrendSamples::Widen(size_t pen)
{
    while (values_.size() <= pen) {
        values_.emplace_back();
        // Grown with the other columns, so the columns reallocate together.
        values_.back().reserve(dateTimes_.capacity());
        values_.back().resize(size(), kNoValue);
    }
    const size_t last = size() - 1;
    for (size_t p = lastWidth_; p < pen; ++p) values_[p][last] = 0.0;
}

void TrendSamples::ZeroLastBelow(size_t pens)
{
    if (pens <= lastWidth_) return;
    Widen(pens - 1);
    values_[pens - 1].back() = 0.0;
    lastWidth_ = pens;
}

CTrendData TrendSamples::operator[](size_t i) const
{
    CTrendData sample{dateTimes_[i], valid_[i], milliseconds_[i], {}};
    size_t width = values_.size();
    while (width > 0 && std::isnan(values_[width - 1][i])) --width;
    for (size_t p = 0; p < width; ++p) sample.values.push_back(values_[p][i]);
    return sample;
}

std::vector<double> TrendSamples::TakeDateTimes()
{
    return std::exchange(dateTimes_, {});
}

std::vector<int32_t> TrendSamples::TakeMilliseconds()
{
    return std::exchange(milliseconds_, {});
}

std::vector<std::vector<double>> TrendSamples::TakeValues()
{
    return std::exchange(values_, {});
}

void TrendSamples::clear()
{
    *this = TrendSamples();
}

}  // namespace logora
