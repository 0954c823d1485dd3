#pragma once
// Counts the statistics of one column over the entries `from` to `to` of a
// record set, a slice at a time (see RecordJob).

#include <cstdint>

#include "logora/ui/records/ColumnStatistics.h"
#include "logora/ui/records/RecordJob.h"
#include "logora/ui/records/RecordSet.h"

namespace logora::ui {

class StatisticsJob : public RecordJob
{
public:
    // `records` must outlive the job.
    StatisticsJob(RecordCells& cells, int field, const RecordSet& records, int64_t from, int64_t to);
    StatisticsJob(RecordCells& cells, int field, const RecordSet& records)
        : StatisticsJob(cells, field, records, 0, records.Count())
    {}
    bool Step(int64_t records) override;
    double Fraction() const override;
    // Complete once the job has finished.
    const ColumnStatistics& Statistics() const { return statistics_; }
    int64_t Done() const { return next_ - from_; }

private:
    RecordCells& cells_;
    const RecordSet& records_;
    ColumnStatistics statistics_;
    int64_t from_, next_, to_;
};

}  // namespace logora::ui
