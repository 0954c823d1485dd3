#include "logora/engine/database/RowQueue.h"

#include <string>

namespace logora {

namespace {

constexpr size_t kBatchRows = 1024;
// Batches waiting for the thread before Put waits too.
constexpr size_t kMostQueued = 4;

}  // namespace

struct RowQueue::Batch
{
    std::vector<RowCell> cells;
    // Where each cell's text starts in `texts`; the cells point into it only
    // once the batch is full, as it moves while it grows.
    std::vector<size_t> textStarts;
    std::string texts;
    std::vector<CivilTime> timeStamps;
    std::vector<bool> stamped;

    size_t Rows() const { return stamped.size(); }
    void Clear()
    {
        cells.clear();
        textStarts.clear();
        texts.clear();
        timeStamps.clear();
        stamped.clear();
    }
};

RowQueue::RowQueue(size_t columns, Insert insert)
    : columns_(columns), insert_(std::move(insert)), filling_(std::make_unique<Batch>())
{
    thread_ = std::thread([this] { Work(); });
}

RowQueue::~RowQueue()
{
    End(true);
}

bool RowQueue::Put(const RowCell* cells, const CivilTime* timeStamp)
{
    Batch& batch = *filling_;
    for (size_t i = 0; i < columns_; ++i) {
        batch.cells.push_back(cells[i]);
        batch.textStarts.push_back(batch.texts.size());
        batch.texts.append(cells[i].text);
    }
    batch.timeStamps.push_back(timeStamp != nullptr ? *timeStamp : CivilTime());
    batch.stamped.push_back(timeStamp != nullptr);
    if (batch.Rows() < kBatchRows) return true;
    std::unique_ptr<Batch> full = std::move(filling_);
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queued_.size() < kMostQueued || failed_; });
    if (spare_.empty()) {
        filling_ = std::make_unique<Batch>();
    } else {
        filling_ = std::move(spare_.back());
        spare_.pop_back();
    }
    if (failed_) return false;
    queued_.push_back(std::move(full));
    changed_.notify_all();
    return true;
}

bool RowQueue::Finish()
{
    if (filling_->Rows() != 0) {
        std::lock_guard lock(mutex_);
        queued_.push_back(std::move(filling_));
        filling_ = std::make_unique<Batch>();
    }
    End(false);
    return !failed_;
}

void RowQueue::End(bool dropQueued)
{
    {
        std::lock_guard lock(mutex_);
        if (dropQueued) queued_.clear();
        ending_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void RowQueue::Work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !queued_.empty() || ending_; });
        if (queued_.empty()) return;
        std::unique_ptr<Batch> batch = std::move(queued_.front());
        queued_.pop_front();
        const bool failedBefore = failed_;
        lock.unlock();
        changed_.notify_all();
        const bool inserted = failedBefore || InsertAll(*batch);
        batch->Clear();
        lock.lock();
        failed_ = failed_ || !inserted;
        spare_.push_back(std::move(batch));
        changed_.notify_all();
    }
}

bool RowQueue::InsertAll(Batch& batch)
{
    for (size_t i = 0; i < batch.cells.size(); ++i)
        batch.cells[i].text =
            std::string_view(batch.texts.data() + batch.textStarts[i], batch.cells[i].text.size());
    for (size_t row = 0; row < batch.Rows(); ++row) {
        if (!insert_(&batch.cells[row * columns_], batch.stamped[row] ? &batch.timeStamps[row] : nullptr))
            return false;
    }
    return true;
}

}  // namespace logora
