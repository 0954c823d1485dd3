#include "logora/engine/document/VellTrendSteps.h"

#include <algorithm>

#include "logora/engine/dbf/CConvertDATToDBF.h"
#include "logora/engine/document/TrendSteps.h"
#include "logora/engine/vell/VellFormat.h"
#include "logora/engine/vell/VellInPlace.h"

namespace logora {

namespace {

// Records a read takes: few enough to stay in the cache, many enough that the
// ring check after each read costs nothing.
constexpr int64_t kWindowRecords = 4096;

}  // namespace

std::unique_ptr<VellTrendSteps> VellTrendSteps::Of(const InPlaceTable* inPlace, const CConvertDATToDBF& table,
                                                   TagPens& pens, TrendSamples& samples, size_t pensKept)
{
    const auto* vell = dynamic_cast<const VellInPlaceTable*>(inPlace);
    const TrendLayout* layout = FindTrendLayout(table.GetRecordLength());
    if (vell == nullptr || layout == nullptr) return nullptr;
    std::unique_ptr<VellHeldRecords> records = vell->OpenRecords();
    if (records == nullptr) return nullptr;
    const int64_t total = std::min(records->Count(), table.GetRecordCount());
    return std::make_unique<VellTrendSteps>(std::move(records), *layout, total, pens, samples, pensKept);
}

VellTrendSteps::VellTrendSteps(std::unique_ptr<VellHeldRecords> records, const TrendLayout& layout,
                               int64_t total, TagPens& pens, TrendSamples& samples, size_t pensKept)
    : records_(std::move(records)),
      samples_(samples),
      loader_(records_->Makers(), layout, pensKept, pens, samples),
      total_(total)
{}

VellTrendSteps::~VellTrendSteps() = default;

bool VellTrendSteps::Step(int64_t records)
{
    for (const int64_t until = done_ + records; !ended_ && done_ < total_ && done_ < until;) {
        const int64_t run = std::min(kWindowRecords, total_ - done_);
        window_.resize(size_t(run) * vell::kRecordSize);
        if (!records_->Read(done_, run, window_.data())) {
            ended_ = true;
            break;
        }
        for (int64_t i = 0; i < run; ++i) loader_.Add(window_.data() + i * vell::kRecordSize);
        done_ += run;
        ReserveForTheRest(samples_, done_, total_, reserved_);
    }
    return ended_ || done_ >= total_;
}

}  // namespace logora
