#include "logora/engine/vell/VellInPlace.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <string_view>

#include "common/bytes/ByteReader.h"
#include "logora/engine/vell/VellFormat.h"
#include "platform/mapping/FileByteSource.h"

namespace logora {

namespace {

// The ring as the datalog's header describes it now, or why it cannot be read.
struct RingNow
{
    vell::RingPlan plan;
    std::string why;
};

uint64_t SlotOffset(int64_t slot)
{
    return vell::kDatalogHeaderSize + static_cast<uint64_t>(slot) * vell::kRecordSize;
}

RingNow ReadRing(const platform::FileByteSource& file, const std::string& path)
{
    RingNow ring;
    uint8_t header[vell::kDatalogHeaderSize];
    const std::string_view signature(reinterpret_cast<const char*>(header), vell::kDatalogSignature.size());
    if (file.ReadAt(header, sizeof header, 0) != static_cast<int64_t>(sizeof header) ||
        signature != vell::kDatalogSignature || header[vell::kDatalogSignature.size()] != 0 ||
        ByteReader::decode<uint16_t>(header + vell::kDatalogFormatOffset) != vell::kDatalogFormat) {
        ring.why = path + " was replaced: it no longer begins with a datalog header";
        return ring;
    }
    const uint64_t size = file.Size();
    const int64_t slots = size < vell::kDatalogHeaderSize
                              ? 0
                              : static_cast<int64_t>((size - vell::kDatalogHeaderSize) / vell::kRecordSize);
    ring.plan = vell::PlanRingOrder(ByteReader::decode<int32_t>(header + vell::kRecordCountOffset),
                                    ByteReader::decode<int32_t>(header + vell::kOldestIndexOffset),
                                    ByteReader::decode<int32_t>(header + vell::kNewestIndexOffset), slots);
    return ring;
}

// Why the ring read now no longer holds the records of `held` from place
// `first` of the order of the open (which starts at `firstSlot`) on; empty
// when it still does. A ring that
// wrapped since overwrote the first places of the order of the open: the
// others are still there. The newest record held still being there tells
// that the ring did not wrap past them all.
std::string Unmoved(const RingNow& ring, const platform::FileByteSource& file, int64_t firstSlot,
                    const VellInPlaceTable::Held& held, int64_t first, const std::string& path)
{
    if (!ring.why.empty()) return ring.why;
    if (held.shape.recordsHeld == 0) return {};
    if (ring.plan.rangeCount == 0 || ring.plan.total < held.shape.recordsHeld)
        return path + " shrank: it holds fewer records than were read in place";
    const int64_t size = ring.plan.total;
    const int64_t overwritten = ((ring.plan.ranges[0].first - firstSlot) % size + size) % size;
    uint8_t newest[vell::kRecordSize];
    if (first < overwritten ||
        file.ReadAt(newest, sizeof newest, SlotOffset(held.newestSlot)) !=
            static_cast<int64_t>(sizeof newest) ||
        std::memcmp(newest, held.newestBytes, sizeof newest) != 0)
        return path + ": its ring wrapped over the records read in place: open it again";
    return {};
}

class VellMadeRecords : public MadeRecords
{
public:
    VellMadeRecords(std::shared_ptr<const VellInPlaceTable::Layout> layout,
                    std::shared_ptr<const VellInPlaceTable::Held> held)
        : records_(layout, std::move(held)), maker_(layout->makers, sink_)
    {}

    bool Open() { return records_.Open(); }

    bool Make(int64_t first, int64_t count, uint8_t* into) override
    {
        items_.resize(static_cast<size_t>(count) * vell::kRecordSize);
        if (!records_.Read(first, count, items_.data())) return false;
        sink_.Aim(into);
        maker_.Make(items_.data(), static_cast<size_t>(count));
        return true;
    }

private:
    VellHeldRecords records_;
    RecordsInto sink_;
    VellRecordMaker maker_;
    std::vector<uint8_t> items_;
};

}  // namespace

VellHeldRecords::VellHeldRecords(std::shared_ptr<const VellInPlaceTable::Layout> layout,
                                 std::shared_ptr<const VellInPlaceTable::Held> held)
    : layout_(std::move(layout)), held_(std::move(held))
{}

bool VellHeldRecords::Open()
{
    return file_.Open(layout_->logPath) == platform::FileByteSource::OpenResult::Opened;
}

bool VellHeldRecords::Read(int64_t first, int64_t count, uint8_t* into)
{
    // A table's read windows share the record that straddles their border.
    const bool onward = first >= readFirst_ && first <= readEnd_;
    readFirst_ = first;
    readEnd_ = first + count;
    if (onward && count < kAheadRecords && !Ahead(first, count)) ReadAhead(first);
    if (onward && Ahead(first, count)) {
        std::memcpy(into, ahead_.data() + static_cast<size_t>(first - aheadFirst_) * vell::kRecordSize,
                    static_cast<size_t>(count) * vell::kRecordSize);
        return true;
    }
    const std::string why = ReadChecked(first, count, into);
    if (!why.empty()) Note(why);
    return why.empty();
}

bool VellHeldRecords::Ahead(int64_t first, int64_t count) const
{
    return first >= aheadFirst_ && first + count <= aheadFirst_ + aheadCount_;
}

void VellHeldRecords::ReadAhead(int64_t first)
{
    const int64_t count = std::clamp<int64_t>(Count() - first, 0, kAheadRecords);
    ahead_.resize(static_cast<size_t>(count) * vell::kRecordSize);
    const bool read = ReadChecked(first, count, ahead_.data()).empty();
    aheadFirst_ = first;
    aheadCount_ = read ? count : 0;
}

std::string VellHeldRecords::ReadChecked(int64_t first, int64_t count, uint8_t* into)
{
    bool read = true;
    int64_t place = 0;
    for (const vell::RecordRange& range : held_->slots) {
        const int64_t length = range.end - range.first;
        const int64_t from = std::max(first, place);
        const int64_t to = std::min(first + count, place + length);
        place += length;
        if (from >= to) continue;
        const size_t bytes = static_cast<size_t>(to - from) * vell::kRecordSize;
        const uint64_t offset = SlotOffset(range.first + from - (place - length));
        read = read && file_.ReadAt(into, bytes, offset) == static_cast<int64_t>(bytes);
        into += bytes;
    }
    // The header read after the records tells whether the runtime
    // overwrote any of them before or while they were read.
    std::string why = Unmoved(ReadRing(file_, layout_->logPath), file_, layout_->firstSlot, *held_, first,
                              layout_->logPath);
    if (why.empty() && !read) why = layout_->logPath + " shrank while its records were read in place";
    return why;
}

// The first reader to find the records gone reports why, once.
void VellHeldRecords::Note(const std::string& why)
{
    if (layout_->moved.Note(why)) ReportMappingError(layout_->report, EIO, why);
    errno = EIO;
}

VellInPlaceTable::VellInPlaceTable(std::string logPath, bool withTagNames, std::vector<std::string> tagList,
                                   const OffsetClock& clock, MappingErrorSink report)
    : layout_(new Layout{std::move(logPath), std::move(tagList), clock, {}, 0, std::move(report), {}}),
      held_(std::make_shared<Held>())
{
    layout_->makers = {withTagNames, &layout_->tagList, &layout_->clock};
}

void VellInPlaceTable::Hold(MadeTableShape shape, const vell::RingPlan& plan, int64_t count,
                            const uint8_t* newestBytes)
{
    layout_->firstSlot = plan.rangeCount > 0 ? plan.ranges[0].first : 0;
    auto held = std::make_shared<Held>();
    held->shape = std::move(shape);
    held->shape.recordsHeld = count;
    held->slots = FirstPlaces(plan, count);
    if (!held->slots.empty()) held->newestSlot = held->slots.back().end - 1;
    if (newestBytes != nullptr) std::memcpy(held->newestBytes, newestBytes, vell::kRecordSize);
    const std::lock_guard<std::mutex> hold(lock_);
    held_ = std::move(held);
}

std::vector<vell::RecordRange> VellInPlaceTable::FirstPlaces(const vell::RingPlan& plan, int64_t count)
{
    std::vector<vell::RecordRange> slots;
    for (int r = 0; r < plan.rangeCount && count > 0; ++r) {
        const int64_t length = std::min(plan.ranges[r].end - plan.ranges[r].first, count);
        slots.push_back({plan.ranges[r].first, plan.ranges[r].first + length});
        count -= length;
    }
    return slots;
}

std::shared_ptr<const VellInPlaceTable::Held> VellInPlaceTable::HeldNow() const
{
    const std::lock_guard<std::mutex> hold(lock_);
    return held_;
}

std::unique_ptr<common::ByteSource> VellInPlaceTable::OpenReader() const
{
    const std::shared_ptr<const Held> held = HeldNow();
    auto records = std::make_unique<VellMadeRecords>(layout_, held);
    if (!records->Open()) return nullptr;
    return std::make_unique<MadeTableSource>(held->shape, std::move(records));
}

std::unique_ptr<VellHeldRecords> VellInPlaceTable::OpenRecords() const
{
    auto records = std::make_unique<VellHeldRecords>(layout_, HeldNow());
    if (!records->Open()) return nullptr;
    return records;
}

std::string VellInPlaceTable::Moved() const
{
    return layout_->moved.Why();
}

}  // namespace logora
