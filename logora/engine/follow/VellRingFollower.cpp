#include "logora/engine/follow/VellRingFollower.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>

#include "common/bytes/ByteReader.h"
#include "logora/engine/vell/VellRing.h"
#include "platform/mapping/FileByteSource.h"

namespace logora {

namespace {

// Where `slot` stands in the plan's order; -1 when the plan leaves it out.
int64_t PlaceInOrder(const vell::RingPlan& plan, int64_t slot)
{
    int64_t before = 0;
    for (int r = 0; r < plan.rangeCount; ++r) {
        const vell::RecordRange& range = plan.ranges[r];
        if (slot >= range.first && slot < range.end) return before + slot - range.first;
        before += range.end - range.first;
    }
    return -1;
}

uint64_t SlotOffset(int64_t slot)
{
    return vell::kDatalogHeaderSize + static_cast<uint64_t>(slot) * vell::kRecordSize;
}

bool ReadExactly(const platform::FileByteSource& file, uint8_t* into, size_t length, uint64_t offset)
{
    return file.ReadAt(into, length, offset) == static_cast<int64_t>(length);
}

// The signature with its NUL, then the format number.
bool IsDatalogHeader(const uint8_t* header)
{
    const std::string_view signature(reinterpret_cast<const char*>(header), vell::kDatalogSignatureSize);
    return signature.substr(0, vell::kDatalogSignature.size()) == vell::kDatalogSignature &&
           header[vell::kDatalogSignature.size()] == 0 &&
           ByteReader::decode<uint16_t>(header + vell::kDatalogFormatOffset) == vell::kDatalogFormat;
}

}  // namespace

VellRingFollower::VellRingFollower(std::string path, int64_t recordsRead, std::vector<uint8_t> headerRead)
    : path_(std::move(path)), headerRead_(std::move(headerRead))
{
    const InputGrowth first = ReadBehindNewest(false, recordsRead);
    headerRead_.clear();
    if (first.kind == InputGrowth::Kind::Moved) moved_ = first.why;
}

InputGrowth VellRingFollower::Look()
{
    if (moved_.empty()) {
        InputGrowth growth = ReadBehindNewest(true, kAll);
        if (growth.kind != InputGrowth::Kind::Moved) return growth;
        moved_ = std::move(growth.why);
    }
    return InputGrowth::Moved(moved_);
}

InputGrowth VellRingFollower::ReadBehindNewest(bool keep, int64_t upTo)
{
    platform::FileByteSource file;
    if (file.Open(path_) != platform::FileByteSource::OpenResult::Opened)
        return InputGrowth::Moved(path_ + " can no longer be read");
    uint8_t header[vell::kDatalogHeaderSize];
    if (!ReadExactly(file, header, sizeof header, 0) || !IsDatalogHeader(header))
        return InputGrowth::Moved(path_ + " was replaced: it no longer begins with a datalog header");
    // The first look plans from the ring the records read came from.
    const bool planned = headerRead_.size() == sizeof header;
    const ByteReader reader(planned ? headerRead_.data() : header, sizeof header);
    const int32_t count = *reader.peekAt<int32_t>(vell::kRecordCountOffset);
    const int32_t oldest = *reader.peekAt<int32_t>(vell::kOldestIndexOffset);
    const int32_t newest = *reader.peekAt<int32_t>(vell::kNewestIndexOffset);
    // A ring that points outside itself will not mend; records announced but
    // not yet in the file are read once they are there.
    const vell::RingPlan shape =
        vell::PlanRingOrder(count, oldest, newest, std::numeric_limits<int64_t>::max());
    if (!shape.problem.empty()) return InputGrowth::Moved(path_ + ": corrupt datalog: " + shape.problem);
    const uint64_t size = file.Size();
    const int64_t slotsInFile =
        size < vell::kDatalogHeaderSize
            ? 0
            : static_cast<int64_t>((size - vell::kDatalogHeaderSize) / vell::kRecordSize);
    const vell::RingPlan plan = vell::PlanRingOrder(count, oldest, newest, slotsInFile);

    int64_t firstNew = 0;
    if (newestSlot_ >= 0) {
        uint8_t bytes[vell::kRecordSize];
        const int64_t place = PlaceInOrder(plan, newestSlot_);
        if (place < 0 || !ReadExactly(file, bytes, sizeof bytes, SlotOffset(newestSlot_)))
            return InputGrowth::Moved(path_ + " shrank: the newest record read, in slot " +
                                      std::to_string(newestSlot_) + ", is no longer part of its ring");
        if (std::memcmp(bytes, newestBytes_, sizeof bytes) != 0)
            return InputGrowth::Moved(path_ +
                                      ": its ring wrapped past the records read, or the file was "
                                      "replaced: slot " +
                                      std::to_string(newestSlot_) + " holds another record now");
        firstNew = place + 1;
    } else if (upTo != kAll && (upTo > plan.total || (oldest > newest && upTo != plan.total))) {
        // Only an unwrapped ring tells which of its records were there before.
        return InputGrowth::Moved(path_ + " changed while it was opened");
    }
    InputGrowth growth;
    growth.recordLength = vell::kRecordSize;
    growth.count = static_cast<size_t>(std::min(plan.total, upTo) - firstNew);
    if (keep) growth.count = std::min(growth.count, kMostRecordsPerLook);
    if (growth.count == 0) return growth;
    growth.kind = InputGrowth::Kind::Added;
    if (keep) growth.records.resize(growth.count * vell::kRecordSize);

    // The slots of places firstNew .. firstNew + count - 1 of the ring order.
    const int64_t lastPlace = firstNew + static_cast<int64_t>(growth.count);
    int64_t place = 0;
    uint8_t* into = growth.records.data();
    for (int r = 0; r < plan.rangeCount; ++r) {
        const vell::RecordRange& range = plan.ranges[r];
        const int64_t from = range.first + std::max<int64_t>(firstNew - place, 0);
        const int64_t to = range.first + std::min(range.end - range.first, lastPlace - place);
        place += range.end - range.first;
        if (from >= to) continue;
        newestSlot_ = to - 1;
        if (!keep) continue;
        const size_t length = static_cast<size_t>(to - from) * vell::kRecordSize;
        if (!ReadExactly(file, into, length, SlotOffset(from)))
            return InputGrowth::Moved(path_ + " shrank while its new records were read");
        into += length;
    }
    if (!ReadExactly(file, newestBytes_, vell::kRecordSize, SlotOffset(newestSlot_)))
        return InputGrowth::Moved(path_ + " shrank while its new records were read");
    read_ += static_cast<int64_t>(growth.count);
    return growth;
}

}  // namespace logora
