#pragma once
// Builds trend samples from a datalog table a few runs of records at a time:
// every record, or the listed ones. The document's load runs it to its end
// between progress reports; the viewer runs it between events, into samples
// of its own, so the document's own load neither sees nor clears them.

#include <cstdint>
#include <optional>
#include <vector>

#include "logora/engine/document/TrendLoader.h"

namespace logora {

class CConvertDATToDBF;

// Once `done` of `total` records made enough samples to tell, room in
// `samples` for those the rest will make, sparing the columns their copies as
// they grow; `reserved` notes that it was given.
void ReserveForTheRest(TrendSamples& samples, int64_t done, int64_t total, bool& reserved);

class TrendSteps
{
public:
    // `table`, `pens`, `samples` and `records` (ascending record numbers,
    // or null for every record) outlive the steps; `samples` starts empty.
    // Values of pens from `pensKept` on are left out. A table without the
    // shape of a datalog makes no samples.
    TrendSteps(CConvertDATToDBF& table, TagPens& pens, TrendSamples& samples, size_t pensKept,
               const std::vector<uint32_t>* records);

    // Works through at least `records` more records (whole reads) unless
    // the end comes first; true once every record is done or the table
    // ends early.
    bool Step(int64_t records);
    int64_t Done() const { return done_; }
    int64_t Total() const { return total_; }

private:
    CConvertDATToDBF& table_;
    TrendSamples& samples_;
    const std::vector<uint32_t>* records_;
    const TrendLayout* layout_;
    std::optional<TrendLoader> loader_;
    int64_t done_ = 0;
    int64_t total_ = 0;
    bool ended_ = false;
    bool reserved_ = false;
};

}  // namespace logora
