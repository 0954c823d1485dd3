#pragma once
// The statistics of a column computed off the interface thread: the records
// are split into parts, each counted on a thread of its own through readers
// of its own (the list's table object serves the painting meanwhile). The
// readers' failed mappings are kept rather than reported from those threads;
// the owner reports them once the run has ended.

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "logora/engine/largefile/MappingErrorSink.h"
#include "logora/ui/records/ColumnStatistics.h"
#include "logora/ui/records/RecordSet.h"

namespace logora {
class CConvertDATToDBF;
}

namespace logora::ui {

class RecordCells;
class StatisticsJob;

class StatisticsRun
{
public:
    // Opens the readers of `table` with its float format; `codePage` as the list's.
    StatisticsRun(const CConvertDATToDBF& table, int codePage, int field, RecordSet records, int parts);
    ~StatisticsRun();

    // False when a reader could not open the table.
    bool Opened() const { return opened_; }
    // Counts every part to its end, or until `stop` is set; true when all finished.
    bool Run(const std::atomic<bool>& stop);
    // Share done, 0 to 1, from any thread while Run runs.
    double Fraction() const;
    // After a finished Run: the parts' statistics merged.
    const ColumnStatistics& Statistics() const { return *merged_; }
    // Cells of the first reader, to format what the statistics found.
    RecordCells& Cells();

    // Hands the readers' failed mappings to the table's own reporter; on the
    // thread that may report (the interface thread), once Run has ended.
    void ReportFailures();

private:
    struct Part;
    struct Failure
    {
        std::string caption, text, detail;
    };

    MappingErrorSink report_;
    RecordSet records_;
    std::vector<std::unique_ptr<Part>> parts_;
    std::unique_ptr<ColumnStatistics> merged_;
    std::atomic<int64_t> done_{0};
    bool opened_ = true;
    std::mutex failuresLock_;
    std::vector<Failure> failures_;
};

}  // namespace logora::ui
