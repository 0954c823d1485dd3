#pragma once
// Rows handed in batches to a thread of their own that inserts them, so the
// database's work runs beside the conversion that makes the rows. The cells
// and their texts are copied: they are valid only during the call that gives
// them.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "logora/engine/rows/RowCell.h"

namespace logora {

class RowQueue
{
public:
    // Inserts one row; false when it failed. Called on the queue's thread.
    using Insert = std::function<bool(const RowCell* cells, const CivilTime* timeStamp)>;

    RowQueue(size_t columns, Insert insert);
    // Rows not inserted yet are dropped.
    ~RowQueue();
    RowQueue(const RowQueue&) = delete;
    RowQueue& operator=(const RowQueue&) = delete;

    // Queues a row, waiting while the thread is behind by a few batches;
    // false once an insert failed.
    bool Put(const RowCell* cells, const CivilTime* timeStamp);
    // Inserts the rows still queued and ends the thread; false when an insert
    // failed.
    bool Finish();

private:
    struct Batch;

    void Hand(std::unique_ptr<Batch> batch);
    void End(bool dropQueued);
    void Work();
    bool InsertAll(Batch& batch);

    const size_t columns_;
    const Insert insert_;
    std::unique_ptr<Batch> filling_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::unique_ptr<Batch>> queued_;
    std::vector<std::unique_ptr<Batch>> spare_;
    bool ending_ = false;
    bool failed_ = false;
    std::thread thread_;
};

}  // namespace logora
