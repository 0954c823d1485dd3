#pragma once
// The bytes an output makes of each record (its stage: a CSV line, say),
// made on worker threads while the caller goes on reading, and written in
// the records' order. Every format and every output that can take records on
// several threads goes through this one ring.
//
// The caller copies each record into the block it fills; a full block goes to
// the workers, each of which puts whole blocks through its own stage. The
// worker that finishes the oldest block in flight writes it, and every block
// after it that is done, and hands them back to the caller to fill again; a
// caller that finds the ring full does a waiting block itself. A fixed ring
// of blocks bounds the memory whatever the table's size.
//
// A conversion that can build its records apart from its reading hands over
// its input items instead (TakeItemsOf): the blocks then carry items, and
// each worker builds their records with a maker of its own before putting
// them through its stage, so that the caller's thread only reads.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "logora/engine/convert/RecordStage.h"
#include "logora/engine/dbf/DBFRecordSink.h"
#include "logora/engine/dbf/RecordMaking.h"

namespace logora {

using StageFactory = std::function<std::unique_ptr<RecordStage>()>;
// Whether a block may end between two items lying one after the other.
using CutRule = std::function<bool(const uint8_t* before, const uint8_t* after)>;
// Takes the bytes of whole blocks, in the records' order, one call at a time.
using OrderedOutput = std::function<void(const char* bytes, size_t length)>;

class RecordThreads : public ItemIntake
{
public:
    // Records of `recordLength` bytes, each making about `typicalLength`
    // bytes; `workers` threads, at least one. The stages are made here, on
    // the caller's thread.
    RecordThreads(size_t recordLength, size_t typicalLength, const StageFactory& makeStage, unsigned workers,
                  OrderedOutput output);
    // Stops the workers; bytes not yet written are dropped.
    ~RecordThreads() override;
    RecordThreads(const RecordThreads&) = delete;
    RecordThreads& operator=(const RecordThreads&) = delete;

    void Add(const uint8_t* record);
    // Takes the items of `making` from now on, building their records on the
    // workers; null (records stay the way) once records were added. With
    // `itemStages`, each thread puts the items through a stage of its own
    // from there instead, which writes their bytes without records.
    ItemIntake* TakeItemsOf(const RecordMaking& making, const StageFactory* itemStages = nullptr);
    void TakeItems(const uint8_t* items, size_t count) override;
    // Blocks of items end only where `mayCut` allows; until then a full
    // block takes more items.
    void CutItemsWhere(CutRule mayCut) { mayCut_ = std::move(mayCut); }
    void EndItems() override;
    // Puts every record added so far through a stage and writes it.
    void Finish();

private:
    enum class State { Free, Queued, Done };  // Free: the caller's to fill
    // Each block, and each worker's stage, on cache lines of its own: the
    // thread that fills a block and the one that works on another would
    // otherwise take the line from each other on every record.
    static constexpr size_t kCacheLine = 64;
    struct alignas(kCacheLine) Block
    {
        std::unique_ptr<uint8_t[]> slots;  // records, or items while items are taken
        size_t slotBytes = 0;
        size_t count = 0;
        bool items = false;
        bool first = false;  // the output's first
        std::unique_ptr<char[]> text;
        size_t textCapacity = 0;
        size_t textLength = 0;
        State state = State::Free;
    };
    // A thread's stage, and the sink its maker's records go to: each record's
    // bytes are put onto the end of the block being built.
    class alignas(kCacheLine) Worker : public DBFRecordSink
    {
    public:
        explicit Worker(std::unique_ptr<RecordStage> stage);
        size_t MaxLength() const { return maxLength_; }
        void Append(Block& block, RecordStage& stage, const uint8_t* bytes);
        // Room in the block's text for the stage's longest bytes of `count` records.
        void Reserve(Block& block, size_t count = 1) const;
        void BeginRecords(const CDBF&) override {}
        void TakeRecord(const uint8_t* record) override { Append(*block_, *stage_, record); }
        void Work(Block& block, size_t recordLength, size_t itemLength);
        void TakeItemStage(std::unique_ptr<RecordStage> stage);
        std::unique_ptr<RecordMaker> maker;      // while items are taken
        std::unique_ptr<RecordStage> itemStage;  // the same, or in its place

    private:
        std::unique_ptr<RecordStage> stage_;
        size_t maxLength_;
        Block* block_ = nullptr;
    };

    // The workers and the caller's own.
    std::vector<Worker*> AllWorkers() const;
    void Submit();
    // Room for one more item in the block being filled.
    void GrowFilling();
    // Waits until `block` is written and free to fill again.
    void WaitUntilFree(const Block& block);
    void Serve(Worker& worker);
    // Works on the first queued block, and writes what is due; called with
    // the lock held.
    void DoNext(std::unique_lock<std::mutex>& lock, Worker& worker);
    // Writes the done blocks from the ring's oldest on; called with the lock
    // held, by one worker at a time.
    void WriteDoneBlocks(std::unique_lock<std::mutex>& lock);

    const size_t recordLength_;
    const size_t recordsPerBlock_;
    OrderedOutput output_;
    std::vector<Block> blocks_;
    size_t filling_ = 0;
    size_t itemLength_ = 0;  // 0: records are added
    bool recordsAdded_ = false;
    bool anySubmitted_ = false;
    CutRule mayCut_;

    std::mutex mutex_;
    std::condition_variable workReady_;
    std::condition_variable blockFree_;
    std::deque<Block*> queue_;
    size_t writing_ = 0;  // the ring's oldest block in flight
    bool writerBusy_ = false;
    bool stop_ = false;
    std::vector<std::unique_ptr<Worker>> workers_;
    std::unique_ptr<Worker> callerWorker_;
    std::vector<std::thread> threads_;
};

}  // namespace logora
