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
//
// A conversion that can build its records apart from its reading hands over
// its input items instead (TakeItemsOf): the blocks then carry items, and
// each worker builds their records with a maker of its own before formatting
// them, so that the caller's thread only reads.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "logora/engine/dbf/CDBFRecordSink.h"
#include "logora/engine/dbf/RecordMaking.h"
#include "logora/engine/export/ColumnPlan.h"
#include "logora/engine/export/ListLineFormat.h"
#include "platform/files/OutputFile.h"

namespace logora {

class ParallelListLines : public ItemIntake
{
public:
    // Records of `recordLength` bytes laid out as `plan` says (which must
    // outlive the object), texts in `codePage`; `workers` threads, at least
    // one. Formatters are made here, on the caller's thread.
    ParallelListLines(const ColumnPlan& plan, size_t recordLength, int floatLength, int decimalCount,
                      int codePage, unsigned workers, platform::OutputFile& output);
    // Stops the workers; lines not yet written are dropped.
    ~ParallelListLines() override;
    ParallelListLines(const ParallelListLines&) = delete;
    ParallelListLines& operator=(const ParallelListLines&) = delete;

    void Add(const uint8_t* record);
    // Takes the items of `making` from now on, building their records on the
    // workers; null (records stay the way) once records were added.
    ItemIntake* TakeItemsOf(const RecordMaking& making);
    void TakeItems(const uint8_t* items, size_t count) override;
    void EndItems() override;
    // Formats and writes every record added so far.
    void Finish();

private:
    enum class State { Free, Queued, Done };  // Free: the caller's to fill
    // Each block, and each formatter, on cache lines of its own: the thread
    // that fills a block and the one that formats another would otherwise
    // take the line from each other on every record.
    static constexpr size_t kCacheLine = 64;
    struct alignas(kCacheLine) Block
    {
        std::unique_ptr<uint8_t[]> slots;  // records, or items while items are taken
        size_t count = 0;
        bool items = false;
        std::unique_ptr<char[]> text;
        size_t textCapacity = 0;
        size_t textLength = 0;
        State state = State::Free;
    };
    // A thread's formatter, and the sink its maker's records go to: each is
    // formatted onto the end of the block being built.
    class alignas(kCacheLine) Formatter : public CDBFRecordSink
    {
    public:
        Formatter(const ColumnPlan& plan, int floatLength, int decimalCount, int codePage);
        void AppendLine(Block& block, const uint8_t* record);
        void BeginRecords(const CDBF&) override {}
        void TakeRecord(const uint8_t* record) override { AppendLine(*block_, record); }
        void Format(Block& block, size_t recordLength);
        std::unique_ptr<RecordMaker> maker;  // while items are taken

    private:
        ListLineFormatter lines_;
        size_t maxLineLength_;
        Block* block_ = nullptr;
    };

    void Submit();
    // Waits until `block` is written and free to fill again.
    void WaitUntilFree(const Block& block);
    void Work(Formatter& formatter);
    // Formats the first queued block, and writes what is due; called with
    // the lock held.
    void FormatNext(std::unique_lock<std::mutex>& lock, Formatter& formatter);
    // Writes the formatted blocks from the ring's oldest on; called with the
    // lock held, by one worker at a time.
    void WriteDoneBlocks(std::unique_lock<std::mutex>& lock);

    const size_t recordLength_;
    const size_t recordsPerBlock_;
    platform::OutputFile& output_;
    std::vector<Block> blocks_;
    size_t filling_ = 0;
    size_t itemLength_ = 0;  // 0: records are added
    bool recordsAdded_ = false;

    std::mutex mutex_;
    std::condition_variable workReady_;
    std::condition_variable blockFree_;
    std::deque<Block*> queue_;
    size_t writing_ = 0;  // the ring's oldest block in flight
    bool writerBusy_ = false;
    bool stop_ = false;
    std::vector<std::unique_ptr<Formatter>> formatters_;
    std::unique_ptr<Formatter> callerFormatter_;
    std::vector<std::thread> threads_;
};

}  // namespace logora
