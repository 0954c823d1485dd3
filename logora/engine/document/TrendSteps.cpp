#include "logora/engine/document/TrendSteps.h"

#include <algorithm>

#include "logora/engine/dbf/CConvertDATToDBF.h"

namespace logora {

namespace {

// Listed records are read a run of consecutive ones at a time; a run is
// looked for no further than this, so each record is looked at about once.
constexpr size_t kLongestRun = 1 << 16;
// Records whose samples tell how many the table will make.
constexpr int64_t kRecordsToEstimate = 4096;

}  // namespace

void ReserveForTheRest(TrendSamples& samples, int64_t done, int64_t total, bool& reserved)
{
    if (reserved || done < kRecordsToEstimate || done >= total) return;
    reserved = true;
    // Never more room than the records left can make.
    const double expected = double(samples.size()) * double(total) / double(done) * 1.02;
    samples.Reserve(size_t(std::min(expected, double(samples.size() + (total - done)))));
}

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
        ReserveForTheRest(samples_, done_, total_, reserved_);
    }
    return ended_ || done_ >= total_;
}

}  // namespace logora
