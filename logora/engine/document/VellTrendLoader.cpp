#include "logora/engine/document/VellTrendLoader.h"

#include "logora/engine/vell/VellRecord.h"

namespace logora {

namespace {

// Milliseconds the Millitm text of three characters holds as they are.
constexpr int32_t kMostPlainMilliseconds = 999;

}  // namespace

VellTrendLoader::VellTrendLoader(const VellTableLayout& makers, const TrendLayout& layout, size_t pensKept,
                                 TagPens& pens, TrendSamples& samples)
    : maker_(makers, shape_), layout_(layout), pensKept_(pensKept), pens_(pens), samples_(samples)
{}

void VellTrendLoader::Add(const uint8_t* item)
{
    const vell::VellRecord record = vell::DecodeVellRecord(item);
    const int32_t pen = PenOf(record.tagNumber);
    if (pen == kNoPen) return;
    JoinOrStartSample(record.time, record.milliseconds);
    if (size_t(pen) < pensKept_)
        samples_.SetLastValue(size_t(pen), vell::VellRecordValue(record));
    else
        samples_.ZeroLastBelow(pensKept_);
}

// Tags are met in record order, so the pens are numbered as the loader
// numbers them.
int32_t VellTrendLoader::PenOf(uint16_t tagNumber)
{
    if (tagNumber >= penOfTag_.size()) penOfTag_.resize(size_t(tagNumber) + 1, kNotMet);
    int32_t& pen = penOfTag_[tagNumber];
    if (pen == kNotMet) {
        maker_.SetTagField(int(tagNumber) - 1);
        pen = ParseTrendKey(maker_.RecordBeingBuilt(), layout_, key_) ? pens_.PenOf(key_) : kNoPen;
    }
    return pen;
}

void VellTrendLoader::JoinOrStartSample(uint32_t time, int32_t milliseconds)
{
    if (!haveTime_ || time != lastTime_) {
        maker_.SetStampFields(time);
        const uint8_t* record = maker_.RecordBeingBuilt();
        double days = 0.0, fraction = 0.0;
        int32_t unused = 0;
        const bool dayValid = TrendDay(record, days);
        valid_ = TrendTimeOfDay(record, fraction, unused) && dayValid;
        dateTime_ = valid_ ? days + fraction : 0.0;
        lastTime_ = time;
        haveTime_ = true;
    }
    const int32_t shown = TableMilliseconds(milliseconds);
    if (!samples_.LastHasTime(dateTime_, valid_, shown)) samples_.Append(dateTime_, valid_, shown);
}

int32_t VellTrendLoader::TableMilliseconds(int32_t milliseconds)
{
    if (milliseconds >= 0 && milliseconds <= kMostPlainMilliseconds) return milliseconds;
    maker_.SetMillitmField(milliseconds);
    return TrendMilliseconds(maker_.RecordBeingBuilt());
}

}  // namespace logora
