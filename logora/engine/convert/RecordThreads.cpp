#include "logora/engine/convert/RecordThreads.h"

#include <algorithm>
#include <cstring>

namespace logora {

namespace {

// About this many record bytes per block: large enough that handing a block
// over (a thread wake-up or two) costs little beside formatting it, small
// enough that the blocks in flight stay in the cache.
constexpr size_t kBlockRecordBytes = 256 * 1024;

}  // namespace

RecordThreads::Worker::Worker(std::unique_ptr<RecordStage> stage)
    : stage_(std::move(stage)), maxLength_(stage_->MaxLength())
{}

void RecordThreads::Worker::Reserve(Block& block, size_t count) const
{
    const size_t needed = block.textLength + count * maxLength_;
    if (needed <= block.textCapacity) return;
    const size_t capacity = std::max(2 * block.textCapacity, needed);
    std::unique_ptr<char[]> text(new char[capacity]);
    std::memcpy(text.get(), block.text.get(), block.textLength);
    block.text = std::move(text);
    block.textCapacity = capacity;
}

void RecordThreads::Worker::Append(Block& block, RecordStage& stage, const uint8_t* bytes)
{
    Reserve(block);
    block.textLength += stage.Put(bytes, block.text.get() + block.textLength);
}

void RecordThreads::Worker::Work(Block& block, size_t recordLength, size_t itemLength)
{
    RecordStage& stage = block.items && itemStage ? *itemStage : *stage_;
    stage.BeginBlock(block.first);
    if (block.items && itemStage) {
        // The block's items are known: room for all of them at once.
        const uint8_t* items = block.slots.get();
        stage.ComingItems(items, block.count);
        Reserve(block, block.count);
        for (size_t i = 0; i < block.count; ++i)
            block.textLength += stage.Put(items + i * itemLength, block.text.get() + block.textLength);
    } else if (block.items) {
        block_ = &block;
        maker->Make(block.slots.get(), block.count);
        block_ = nullptr;
    } else {
        for (size_t i = 0; i < block.count; ++i) Append(block, stage, block.slots.get() + i * recordLength);
    }
    Reserve(block);
    block.textLength += stage.EndBlock(block.text.get() + block.textLength);
}

void RecordThreads::Worker::TakeItemStage(std::unique_ptr<RecordStage> stage)
{
    itemStage = std::move(stage);
    if (itemStage) maxLength_ = std::max(maxLength_, itemStage->MaxLength());
}

RecordThreads::RecordThreads(size_t recordLength, size_t typicalLength, const StageFactory& makeStage,
                             unsigned workers, OrderedOutput output)
    : recordLength_(std::max<size_t>(recordLength, 1)),
      recordsPerBlock_(std::max<size_t>(1, kBlockRecordBytes / recordLength_)),
      output_(std::move(output)),
      // Two blocks per worker keep every worker busy while the caller fills
      // one and another is written.
      blocks_(4 * std::max(1u, workers) + 4)
{
    for (unsigned i = 0; i < std::max(1u, workers); ++i)
        workers_.push_back(std::make_unique<Worker>(makeStage()));
    callerWorker_ = std::make_unique<Worker>(makeStage());
    const size_t maxLength = callerWorker_->MaxLength();
    for (Block& block : blocks_) {
        block.slotBytes = recordsPerBlock_ * recordLength_;
        block.slots.reset(new uint8_t[block.slotBytes]);
        block.textCapacity = std::max(recordsPerBlock_ * typicalLength, maxLength);
        block.text.reset(new char[block.textCapacity]);
    }
    for (auto& worker : workers_) threads_.emplace_back([this, &worker] { Serve(*worker); });
}

RecordThreads::~RecordThreads()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    workReady_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void RecordThreads::Add(const uint8_t* record)
{
    recordsAdded_ = true;
    Block& block = blocks_[filling_];
    std::memcpy(block.slots.get() + block.count * recordLength_, record, recordLength_);
    if (++block.count == recordsPerBlock_) Submit();
}

ItemIntake* RecordThreads::TakeItemsOf(const RecordMaking& making, const StageFactory* itemStages)
{
    if (recordsAdded_ || itemLength_ != 0 || making.ItemLength() == 0) return nullptr;
    // A block holds as many items as it would records: their lines fill
    // about the text room it has.
    itemLength_ = making.ItemLength();
    if (itemLength_ > recordLength_) {
        for (Block& block : blocks_) {
            block.slotBytes = recordsPerBlock_ * itemLength_;
            block.slots.reset(new uint8_t[block.slotBytes]);
        }
    }
    for (Worker* worker : AllWorkers()) {
        if (itemStages != nullptr)
            worker->TakeItemStage((*itemStages)());
        else
            worker->maker = making.MakerFor(*worker);
    }
    return this;
}

void RecordThreads::TakeItems(const uint8_t* items, size_t count)
{
    while (count > 0) {
        Block& block = blocks_[filling_];
        if (block.count >= recordsPerBlock_) {
            // A full block ends before the next item unless the rule keeps
            // that item with it.
            if (mayCut_(block.slots.get() + (block.count - 1) * itemLength_, items)) {
                Submit();
                continue;
            }
            GrowFilling();
            std::memcpy(block.slots.get() + block.count * itemLength_, items, itemLength_);
            ++block.count;
            items += itemLength_;
            --count;
            continue;
        }
        const size_t taken = std::min(count, recordsPerBlock_ - block.count);
        std::memcpy(block.slots.get() + block.count * itemLength_, items, taken * itemLength_);
        block.count += taken;
        items += taken * itemLength_;
        count -= taken;
        if (block.count == recordsPerBlock_ && !mayCut_) Submit();
    }
}

void RecordThreads::GrowFilling()
{
    Block& block = blocks_[filling_];
    if ((block.count + 1) * itemLength_ <= block.slotBytes) return;
    const size_t bytes = 2 * block.slotBytes;
    std::unique_ptr<uint8_t[]> slots(new uint8_t[bytes]);
    std::memcpy(slots.get(), block.slots.get(), block.count * itemLength_);
    block.slots = std::move(slots);
    block.slotBytes = bytes;
}

void RecordThreads::EndItems()
{
    Finish();
    // Every block is written and free: no thread makes records any more.
    for (Worker* worker : AllWorkers()) {
        worker->maker.reset();
        worker->itemStage.reset();
    }
    itemLength_ = 0;
    mayCut_ = nullptr;
    recordsAdded_ = true;
}

std::vector<RecordThreads::Worker*> RecordThreads::AllWorkers() const
{
    std::vector<Worker*> all;
    for (const auto& worker : workers_) all.push_back(worker.get());
    all.push_back(callerWorker_.get());
    return all;
}

void RecordThreads::Submit()
{
    Block& block = blocks_[filling_];
    {
        std::lock_guard<std::mutex> lock(mutex_);
        block.items = itemLength_ != 0;
        block.first = !anySubmitted_;
        block.state = State::Queued;
        queue_.push_back(&block);
    }
    anySubmitted_ = true;
    workReady_.notify_one();
    filling_ = (filling_ + 1) % blocks_.size();
    WaitUntilFree(blocks_[filling_]);
}

void RecordThreads::WaitUntilFree(const Block& block)
{
    // Rather than wait for the workers, the caller does a waiting block
    // itself: the ring is full only when the stages are the slower side.
    std::unique_lock<std::mutex> lock(mutex_);
    while (block.state != State::Free) {
        if (queue_.empty()) {
            blockFree_.wait(lock);
            continue;
        }
        DoNext(lock, *callerWorker_);
    }
}

void RecordThreads::Finish()
{
    if (blocks_[filling_].count > 0) Submit();
    for (const Block& block : blocks_) WaitUntilFree(block);
}

void RecordThreads::Serve(Worker& worker)
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        workReady_.wait(lock, [&] { return stop_ || !queue_.empty(); });
        if (stop_) return;
        DoNext(lock, worker);
    }
}

void RecordThreads::DoNext(std::unique_lock<std::mutex>& lock, Worker& worker)
{
    Block& block = *queue_.front();
    queue_.pop_front();
    const size_t itemLength = itemLength_;
    lock.unlock();
    worker.Work(block, recordLength_, itemLength);
    lock.lock();
    block.state = State::Done;
    if (!writerBusy_) WriteDoneBlocks(lock);
}

void RecordThreads::WriteDoneBlocks(std::unique_lock<std::mutex>& lock)
{
    writerBusy_ = true;
    while (!stop_ && blocks_[writing_].state == State::Done) {
        Block& block = blocks_[writing_];
        lock.unlock();
        output_(block.text.get(), block.textLength);
        block.count = 0;
        block.textLength = 0;
        lock.lock();
        block.state = State::Free;
        writing_ = (writing_ + 1) % blocks_.size();
        blockFree_.notify_all();
    }
    writerBusy_ = false;
}

}  // namespace logora
