#pragma once
// The steps that build a document's trend samples: straight from the
// datalog's records where its table is a Vell datalog read in place and
// every record is wanted, otherwise from the table's records. The Plot and
// a plot that adds the document's pens take the same road.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "logora/engine/document/TrendSteps.h"
#include "logora/engine/document/VellTrendSteps.h"

namespace logora {

class CConvertDATToDBF;
class InPlaceTable;

class DocumentTrendSteps
{
public:
    // As TrendSteps takes them; `inPlace` is the table's source when it is
    // read in place (else null) and outlives the steps.
    DocumentTrendSteps(const InPlaceTable* inPlace, CConvertDATToDBF& table, TagPens& pens,
                       TrendSamples& samples, size_t pensKept, const std::vector<uint32_t>* records);

    // As TrendSteps::Step.
    bool Step(int64_t records) { return straight_ ? straight_->Step(records) : fromTable_->Step(records); }
    int64_t Done() const { return straight_ ? straight_->Done() : fromTable_->Done(); }
    int64_t Total() const { return straight_ ? straight_->Total() : fromTable_->Total(); }

private:
    std::unique_ptr<VellTrendSteps> straight_;
    std::optional<TrendSteps> fromTable_;
};

}  // namespace logora
