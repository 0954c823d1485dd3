#include "logora/engine/export/ParallelListLines.h"

#include <algorithm>
#include <cstring>

namespace logora {

namespace {

// About this many record bytes per block: large enough that handing a block
// over (a thread wake-up or two) costs little beside formatting it, small
// enough that the blocks in flight stay in the cache.
constexpr size_t kBlockRecordBytes = 256 * 1024;

}  // namespace

ParallelListLines::Formatter::Formatter(const ColumnPlan& plan, int floatLength, int decimalCount,
                                        int codePage)
    : lines_(plan, floatLength, decimalCount, codePage), maxLineLength_(plan.maxLineLength)
{}

void ParallelListLines::Formatter::AppendLine(Block& block, const uint8_t* record)
{
    if (block.textLength + maxLineLength_ > block.textCapacity) {
        const size_t capacity = std::max(2 * block.textCapacity, maxLineLength_);
        std::unique_ptr<char[]> text(new char[capacity]);
        std::memcpy(text.get(), block.text.get(), block.textLength);
        block.text = std::move(text);
        block.textCapacity = capacity;
    }
    block.textLength += lines_.Format(record, block.text.get() + block.textLength);
}

void ParallelListLines::Formatter::Format(Block& block, size_t recordLength)
{
    if (block.items) {
        block_ = &block;
        maker->Make(block.slots.get(), block.count);
        block_ = nullptr;
        return;
    }
    for (size_t i = 0; i < block.count; ++i) AppendLine(block, block.slots.get() + i * recordLength);
}

ParallelListLines::ParallelListLines(const ColumnPlan& plan, size_t recordLength, int floatLength,
                                     int decimalCount, int codePage, unsigned workers,
                                     platform::OutputFile& output)
    : recordLength_(std::max<size_t>(recordLength, 1)),
      recordsPerBlock_(std::max<size_t>(1, kBlockRecordBytes / recordLength_)),
      output_(output),
      // Two blocks per worker keep every worker busy while the caller fills
      // one and another is written.
      blocks_(2 * std::max(1u, workers) + 2)
{
    for (Block& block : blocks_) {
        block.slots.reset(new uint8_t[recordsPerBlock_ * recordLength_]);
        block.textCapacity = std::max(recordsPerBlock_ * plan.nominalLineLength, plan.maxLineLength);
        block.text.reset(new char[block.textCapacity]);
    }
    for (unsigned i = 0; i < std::max(1u, workers); ++i) {
        formatters_.push_back(std::make_unique<Formatter>(plan, floatLength, decimalCount, codePage));
    }
    callerFormatter_ = std::make_unique<Formatter>(plan, floatLength, decimalCount, codePage);
    for (auto& formatter : formatters_) threads_.emplace_back([this, &formatter] { Work(*formatter); });
}

ParallelListLines::~ParallelListLines()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    workReady_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void ParallelListLines::Add(const uint8_t* record)
{
    recordsAdded_ = true;
    Block& block = blocks_[filling_];
    std::memcpy(block.slots.get() + block.count * recordLength_, record, recordLength_);
    if (++block.count == recordsPerBlock_) Submit();
}

ItemIntake* ParallelListLines::TakeItemsOf(const RecordMaking& making)
{
    if (recordsAdded_ || itemLength_ != 0 || making.ItemLength() == 0) return nullptr;
    // A block holds as many items as it would records: their lines fill
    // about the text room it has.
    itemLength_ = making.ItemLength();
    if (itemLength_ > recordLength_) {
        for (Block& block : blocks_) block.slots.reset(new uint8_t[recordsPerBlock_ * itemLength_]);
    }
    for (auto& formatter : formatters_) formatter->maker = making.MakerFor(*formatter);
    callerFormatter_->maker = making.MakerFor(*callerFormatter_);
    return this;
}

void ParallelListLines::TakeItems(const uint8_t* items, size_t count)
{
    while (count > 0) {
        Block& block = blocks_[filling_];
        const size_t taken = std::min(count, recordsPerBlock_ - block.count);
        std::memcpy(block.slots.get() + block.count * itemLength_, items, taken * itemLength_);
        block.count += taken;
        items += taken * itemLength_;
        count -= taken;
        if (block.count == recordsPerBlock_) Submit();
    }
}

void ParallelListLines::EndItems()
{
    Finish();
    // Every block is written and free: no thread makes records any more.
    for (auto& formatter : formatters_) formatter->maker.reset();
    callerFormatter_->maker.reset();
    itemLength_ = 0;
    recordsAdded_ = true;
}

void ParallelListLines::Submit()
{
    Block& block = blocks_[filling_];
    {
        std::lock_guard<std::mutex> lock(mutex_);
        block.items = itemLength_ != 0;
        block.state = State::Queued;
        queue_.push_back(&block);
    }
    workReady_.notify_one();
    filling_ = (filling_ + 1) % blocks_.size();
    WaitUntilFree(blocks_[filling_]);
}

void ParallelListLines::WaitUntilFree(const Block& block)
{
    // Rather than wait for the workers, the caller formats a waiting block
    // itself: the ring is full only when formatting is the slower side.
    std::unique_lock<std::mutex> lock(mutex_);
    while (block.state != State::Free) {
        if (queue_.empty()) {
            blockFree_.wait(lock);
            continue;
        }
        FormatNext(lock, *callerFormatter_);
    }
}

void ParallelListLines::Finish()
{
    if (blocks_[filling_].count > 0) Submit();
    for (const Block& block : blocks_) WaitUntilFree(block);
}

void ParallelListLines::Work(Formatter& formatter)
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        workReady_.wait(lock, [&] { return stop_ || !queue_.empty(); });
        if (stop_) return;
        FormatNext(lock, formatter);
    }
}

void ParallelListLines::FormatNext(std::unique_lock<std::mutex>& lock, Formatter& formatter)
{
    Block& block = *queue_.front();
    queue_.pop_front();
    lock.unlock();
    formatter.Format(block, recordLength_);
    lock.lock();
    block.state = State::Done;
    if (!writerBusy_) WriteDoneBlocks(lock);
}

void ParallelListLines::WriteDoneBlocks(std::unique_lock<std::mutex>& lock)
{
    writerBusy_ = true;
    while (!stop_ && blocks_[writing_].state == State::Done) {
        Block& block = blocks_[writing_];
        lock.unlock();
        output_.Write(block.text.get(), block.textLength);
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
