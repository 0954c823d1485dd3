#pragma once
// A Vell datalog's table read in place: each read window's records are made
// from the ring's records by a VellRecordMaker, in the ring order of the
// open. The runtime may go on writing the ring: once each window's records
// are read, the header read again tells how many of the first records it
// overwrote since, and the newest record held must still be there, so
// records it overwrote are never shown as those opened; the reader fails
// then, and Moved says why.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "logora/engine/dbf/MadeTable.h"
#include "logora/engine/largefile/MappingErrorSink.h"
#include "logora/engine/timezone/OffsetClock.h"
#include "logora/engine/vell/VellFormat.h"
#include "logora/engine/vell/VellRecordMaker.h"
#include "logora/engine/vell/VellRing.h"
#include "platform/mapping/FileByteSource.h"

namespace logora {

class VellHeldRecords;

class VellInPlaceTable : public InPlaceTable
{
public:
    // What every reader shares; none of it changes once the table is made.
    struct Layout
    {
        std::string logPath;
        std::vector<std::string> tagList;
        OffsetClock clock;
        VellTableLayout makers;
        // The ring's first slot in the order of the open.
        int64_t firstSlot = 0;
        // Where a reader that finds the records gone reports it.
        MappingErrorSink report;
        // Set by the first reader that finds the ring moved.
        mutable MovedNote moved;
    };
    // The records held: the table's shape and the ranges of slots they
    // come from, in order.
    struct Held
    {
        MadeTableShape shape;
        std::vector<vell::RecordRange> slots;
        int64_t newestSlot = 0;
        uint8_t newestBytes[vell::kRecordSize] = {};
    };

    // `report` hears once when the records are no longer those read.
    VellInPlaceTable(std::string logPath, bool withTagNames, std::vector<std::string> tagList,
                     const OffsetClock& clock, MappingErrorSink report);
    // Holds the first `count` records of `plan`, with `shape` as declared;
    // `newestBytes` are those of the last of them, null for none.
    void Hold(MadeTableShape shape, const vell::RingPlan& plan, int64_t count, const uint8_t* newestBytes);

    std::unique_ptr<common::ByteSource> OpenReader() const override;
    std::string Moved() const override;
    // The datalog's own records the table holds, for a reader that needs no
    // table records made of them; null when the datalog cannot be opened.
    std::unique_ptr<VellHeldRecords> OpenRecords() const;
    // The ranges of the first `count` places of `plan`.
    static std::vector<vell::RecordRange> FirstPlaces(const vell::RingPlan& plan, int64_t count);

private:
    std::shared_ptr<const Held> HeldNow() const;

    std::shared_ptr<Layout> layout_;
    mutable std::mutex lock_;
    std::shared_ptr<const Held> held_;
};

// The datalog records a VellInPlaceTable holds, in its order, read a window
// at a time with the check of its readers: records the runtime overwrote
// since the open are never handed out, and the first reader to find them
// gone reports why. A read that goes on from the last one (a pass in the
// table's order) takes the next windows too, checked once: the check
// after their read tells they were those of the open, as it does for one
// window, and spares a pass two header reads a window. A read elsewhere is
// read and checked on its own. One reader serves one thread.
class VellHeldRecords
{
public:
    VellHeldRecords(std::shared_ptr<const VellInPlaceTable::Layout> layout,
                    std::shared_ptr<const VellInPlaceTable::Held> held);

    bool Open();
    int64_t Count() const { return held_->shape.recordsHeld; }
    // The makers of the table's records from these.
    const VellTableLayout& Makers() const { return layout_->makers; }
    // The 16 bytes of each of records [first, first + count) one after
    // another into `into`; false (errno set) when the datalog no longer
    // holds them as they were.
    bool Read(int64_t first, int64_t count, uint8_t* into);

private:
    // Records a read ahead takes: the ring is checked once for all of them.
    static constexpr int64_t kAheadRecords = 4096;

    bool Ahead(int64_t first, int64_t count) const;
    void ReadAhead(int64_t first);
    // Read reads and checks; why the records cannot be handed out, empty
    // when they can.
    std::string ReadChecked(int64_t first, int64_t count, uint8_t* into);
    void Note(const std::string& why);

    std::shared_ptr<const VellInPlaceTable::Layout> layout_;
    std::shared_ptr<const VellInPlaceTable::Held> held_;
    platform::FileByteSource file_;
    // The records of the last read, and those read ahead of it.
    int64_t readFirst_ = 0;
    int64_t readEnd_ = 0;
    std::vector<uint8_t> ahead_;
    int64_t aheadFirst_ = 0;
    int64_t aheadCount_ = 0;
};

}  // namespace logora
