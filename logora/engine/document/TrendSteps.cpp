#include "logora/engine/document/TrendSteps.h"

#include <algorithm>

#include "logora/engine/dbf/CConvertDATToDBF.h"

namespace logora {

namespace {

// Listed records are read a run of consecutive ones at a time; a run is
// looked for no further than this, so each record is looked at about once.
constexpr size_t kLongestRun = 1 << 16;
// After this many records the columns get room for the samples the table
// will make, sparing them their copies as they grow.
constexpr int64_t kRecordsToEstimate = 4096;

}  // namespace

TrendSteps::TrendSteps(CConvertDATToDBF& table, TagPens& pens, TrendSamples& samples, size_t pensKept,
                       const std::vector<uint32_t>* records)
    : table_(table), samples_(samples), records_(records), layout_(FindTrendLayout(table.GetRecordLength()))
{
    if (!layout_) {
        ended_ = true;
        return;
    }
    loader_.emplace(*layout_, pensKept, pens, samples);
    total_ = records ? int64_t(records->size()) : table.GetRecordCount();
}

bool TrendSteps::Step(int64_t records)
{
    const int64_t tableCount = table_.GetRecordCount();
    for (const int64_t until = done_ + records; !ended_ && done_ < total_ && done_ < until;) {
        int64_t first = done_, wanted = total_ - done_;
        if (records_) {
            const std::vector<uint32_t>& listed = *records_;
            const size_t at = size_t(done_);
            size_t end = at + 1;
            while (end < listed.size() && end - at < kLongestRun && listed[end] == listed[end - 1] + 1) ++end;
            first = listed[at];
            wanted = std::min<int64_t>(int64_t(end - at), tableCount - first);
        }
        const uint8_t* bytes = nullptr;
        const int64_t run = wanted > 0 ? table_.ReadRecords(first, wanted, &bytes) : 0;
        if (run == 0) {
            ended_ = true;
            break;
        }
        for (int64_t i = 0; i < run; ++i) loader_->Add(bytes + i * layout_->recordLength);
        done_ += run;
        // Never more room than the records left can make.
        if (!reserved_ && done_ >= kRecordsToEstimate && done_ < total_) {
            reserved_ = true;
            const double expected = double(samples_.size()) * double(total_) / double(done_) * 1.02;
            samples_.Reserve(size_t(std::min(expected, double(samples_.size() + (total_ - done_)))));
        }
    }
    return ended_ || done_ >= total_;
}

}  // namespace logora
