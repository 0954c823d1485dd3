#pragma once
// Builds the trend samples of every record of a Vell datalog's table read in
// place straight from the datalog's own records, a window at a time, as
// TrendSteps builds them from the table's records: making the table records
// and parsing their texts back would cost most of the Plot. Records the
// runtime overwrote since the open end the samples there, as they end the
// table's reads.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "logora/engine/document/VellTrendLoader.h"

namespace logora {

class CConvertDATToDBF;
class InPlaceTable;
class VellHeldRecords;

class VellTrendSteps
{
public:
    // Null unless `inPlace` is the Vell datalog's table that `table` loaded
    // and its datalog can be read. `table`, `pens` and `samples` outlive the
    // steps; `samples` starts empty. Values of pens from `pensKept` on are
    // left out.
    static std::unique_ptr<VellTrendSteps> Of(const InPlaceTable* inPlace, const CConvertDATToDBF& table,
                                              TagPens& pens, TrendSamples& samples, size_t pensKept);
    VellTrendSteps(std::unique_ptr<VellHeldRecords> records, const TrendLayout& layout, int64_t total,
                   TagPens& pens, TrendSamples& samples, size_t pensKept);
    ~VellTrendSteps();

    // As TrendSteps::Step.
    bool Step(int64_t records);
    int64_t Done() const { return done_; }
    int64_t Total() const { return total_; }

private:
    std::unique_ptr<VellHeldRecords> records_;
    TrendSamples& samples_;
    VellTrendLoader loader_;
    std::vector<uint8_t> window_;
    int64_t done_ = 0;
    int64_t total_ = 0;
    bool ended_ = false;
    bool reserved_ = false;
};

}  // namespace logora
