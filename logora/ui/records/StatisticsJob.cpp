#include "logora/ui/records/StatisticsJob.h"

#include <algorithm>

#include "logora/ui/records/RecordCells.h"

namespace logora::ui {

StatisticsJob::StatisticsJob(RecordCells& cells, int field, const RecordSet& records, int64_t from,
                             int64_t to)
    : cells_(cells), records_(records), statistics_(cells, field), from_(from), next_(from), to_(to)
{}

bool StatisticsJob::Step(int64_t records)
{
    const int64_t end = std::min(to_, next_ + records);
    records_.Visit(next_, end, [this](int64_t record) { statistics_.Add(cells_.Read(record), record); });
    next_ = end;
    if (next_ < to_) return false;
    statistics_.Finish();
    return true;
}

double StatisticsJob::Fraction() const
{
    return to_ <= from_ ? 1.0 : static_cast<double>(next_ - from_) / static_cast<double>(to_ - from_);
}

}  // namespace logora::ui
