#include "logora/ui/records/StatisticsRun.h"

#include <algorithm>
#include <thread>

#include "logora/engine/dbf/CConvertDATToDBF.h"
#include "logora/ui/records/RecordCells.h"
#include "logora/ui/records/StatisticsJob.h"

namespace logora::ui {

namespace {

// Records per step between looks at the stop flag: about a millisecond.
constexpr int64_t kStepRecords = 1 << 15;

// Opens `table` as a second reader of `like`'s file, its cells formatted alike.
bool OpenLike(CConvertDATToDBF& table, const CConvertDATToDBF& like)
{
    table.SetFloatFormat(like.GetFloatLength(), like.GetFloatDecimals());
    return table.Open(like.GetPath());
}

}  // namespace

struct StatisticsRun::Part
{
    Part(MappingErrorSink failures, const CConvertDATToDBF& like, int codePage)
        : table(std::move(failures)), opened(OpenLike(table, like)), cells(table, codePage)
    {}

    CConvertDATToDBF table;
    bool opened;
    RecordCells cells;
    std::unique_ptr<StatisticsJob> job;
};

StatisticsRun::StatisticsRun(const CConvertDATToDBF& table, int codePage, int field, RecordSet records,
                             int parts)
    : report_(table.MappingErrors()), records_(std::move(records))
{
    // Without a reporter of its own a reader writes to standard error, from any thread.
    MappingErrorSink keep;
    if (report_)
        keep = [this](const std::string& caption, const std::string& text, const std::string& detail) {
            std::lock_guard<std::mutex> hold(failuresLock_);
            failures_.push_back({caption, text, detail});
        };
    const int64_t count = records_.Count();
    parts = static_cast<int>(std::clamp<int64_t>(count, 1, std::max(parts, 1)));
    for (int i = 0; i < parts; ++i) {
        auto part = std::make_unique<Part>(keep, table, codePage);
        opened_ = opened_ && part->opened && field < part->cells.FieldCount();
        if (!opened_) return;
        part->job = std::make_unique<StatisticsJob>(part->cells, field, records_, count * i / parts,
                                                    count * (i + 1) / parts);
        parts_.push_back(std::move(part));
    }
}

StatisticsRun::~StatisticsRun() = default;

bool StatisticsRun::Run(const std::atomic<bool>& stop)
{
    if (!opened_) return false;
    auto count = [this, &stop](StatisticsJob& job) {
        bool finished = false;
        while (!finished && !stop.load(std::memory_order_relaxed)) {
            const int64_t before = job.Done();
            finished = job.Step(kStepRecords);
            done_ += job.Done() - before;
        }
    };
    std::vector<std::thread> threads;
    for (size_t i = 1; i < parts_.size(); ++i) threads.emplace_back(count, std::ref(*parts_[i]->job));
    count(*parts_[0]->job);
    for (std::thread& thread : threads) thread.join();
    if (stop) return false;
    merged_ = std::make_unique<ColumnStatistics>(parts_[0]->job->Statistics());
    for (size_t i = 1; i < parts_.size(); ++i) merged_->Merge(parts_[i]->job->Statistics());
    merged_->Finish();
    return true;
}

double StatisticsRun::Fraction() const
{
    const int64_t total = records_.Count();
    return total == 0 ? 1.0 : static_cast<double>(done_.load()) / static_cast<double>(total);
}

RecordCells& StatisticsRun::Cells()
{
    return parts_.front()->cells;
}

void StatisticsRun::ReportFailures()
{
    std::vector<Failure> failures;
    {
        std::lock_guard<std::mutex> hold(failuresLock_);
        failures.swap(failures_);
    }
    for (const Failure& failure : failures) report_(failure.caption, failure.text, failure.detail);
}

}  // namespace logora::ui
