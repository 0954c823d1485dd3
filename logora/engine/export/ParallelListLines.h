#pragma once
// The list-form lines of an export formatted on worker threads while the
// caller goes on reading records, and written in the records' order.
//
// The caller copies each record into the block it fills; a full block goes to
// the workers, each of which formats whole blocks with its own formatter. The
// worker that finishes the oldest block in flight writes it, and every block
// after it that is formatted, and hands them back to the caller to fill
// again; a caller that finds the ring full formats a waiting block itself. A
// fixed ring of blocks bounds the memory whatever the table's size.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "logora/engine/export/ColumnPlan.h"
#include "logora/engine/export/ListLineFormat.h"
#include "platform/files/OutputFile.h"

namespace logora {

class ParallelListLines
{
public:
    // Records of `recordLength` bytes laid out as `plan` says (which must
    // outlive the object), texts in `codePage`; `workers` threads, at least
    // one. Formatters are made here, on the caller's thread.
    ParallelListLines(const ColumnPlan& plan, size_t recordLength, int floatLength, int decimalCount,
                      int codePage, unsigned workers, platform::OutputFile& output);
    // Stops the workers; lines not yet written are dropped.
    ~ParallelListLines();
    ParallelListLines(const ParallelListLines&) = delete;
    ParallelListLines& operator=(const ParallelListLines&) = delete;

    void Add(const uint8_t* record);
    // Formats and writes every record added so far.
    void Finish();

private:
    enum class State { Free, Queued, Done };  // Free: the caller's to fill
    struct Block
    {
        std::unique_ptr<uint8_t[]> records;
        size_t count = 0;
        std::unique_ptr<char[]> text;
        size_t textCapacity = 0;
        size_t textLength = 0;
        State state = State::Free;
    };

    void Submit();
    // Waits until `block` is written and free to fill again.
    void WaitUntilFree(const Block& block);
    void Work(ListLineFormatter& formatter);
    // Formats the first queued block, and writes what is due; called with
    // the lock held.
    void FormatNext(std::unique_lock<std::mutex>& lock, ListLineFormatter& formatter);
    void FormatBlock(Block& block, ListLineFormatter& formatter) const;
    // Writes the formatted blocks from the ring's oldest on; called with the
    // lock held, by one worker at a time.
    void WriteDoneBlocks(std::unique_lock<std::mutex>& lock);

    const size_t recordLength_;
    const size_t recordsPerBlock_;
    const size_t maxLineLength_;
    platform::OutputFile& output_;
    std::vector<Block> blocks_;
    size_t filling_ = 0;

    std::mutex mutex_;
    std::condition_variable workReady_;
    std::condition_variable blockFree_;
    std::deque<Block*> queue_;
    size_t writing_ = 0;  // the ring's oldest block in flight
    bool writerBusy_ = false;
    bool stop_ = false;
    std::vector<std::unique_ptr<ListLineFormatter>> formatters_;
    std::unique_ptr<ListLineFormatter> callerFormatter_;
    std::vector<std::thread> threads_;
};

}  // namespace logora
