#include "logora/engine/document/DocumentTrendSteps.h"

namespace logora {

DocumentTrendSteps::DocumentTrendSteps(const InPlaceTable* inPlace, CConvertDATToDBF& table, TagPens& pens,
                                       TrendSamples& samples, size_t pensKept,
                                       const std::vector<uint32_t>* records)
{
    if (records == nullptr) straight_ = VellTrendSteps::Of(inPlace, table, pens, samples, pensKept);
    if (straight_ == nullptr) fromTable_.emplace(table, pens, samples, pensKept, records);
}

}  // namespace logora
