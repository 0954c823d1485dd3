#pragma once
// Building a table's records apart from reading the input they come from.
// A converter reads its input items (the log's raw records) and builds a
// record of each; a sink with threads of its own can take the items instead
// and build their records on those threads, each with a maker of its own,
// while the converter goes on reading.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace logora {

class DBFRecordSink;

// Builds the records of input items and passes them on in order, with state
// of its own: one maker serves one thread.
class RecordMaker
{
public:
    virtual ~RecordMaker() = default;
    // The records of `count` items lying one after another, each of the
    // conversion's item length.
    virtual void Make(const uint8_t* items, size_t count) = 0;
};

// A conversion whose records can be built apart from its reading.
class RecordMaking
{
public:
    virtual ~RecordMaking() = default;
    virtual size_t ItemLength() const = 0;
    // A maker whose records go to `sink`. Makers may run on other threads
    // at once: they share only what the conversion no longer changes.
    virtual std::unique_ptr<RecordMaker> MakerFor(DBFRecordSink& sink) const = 0;
};

// Takes the items of a conversion in place of its records.
class ItemIntake
{
public:
    virtual ~ItemIntake() = default;
    // `count` items of the conversion's item length, copied before the call
    // returns.
    virtual void TakeItems(const uint8_t* items, size_t count) = 0;
    // Returns once the records of every item taken are built and passed on;
    // the makers are gone then, and the conversion may end.
    virtual void EndItems() = 0;
};

// Ends the items of a conversion whichever way it leaves the scope: makers
// must not outlive what they share with it.
class ItemsEnd
{
public:
    explicit ItemsEnd(ItemIntake* intake) : intake_(intake) {}
    ~ItemsEnd() { Now(); }
    // Ends them before the scope does, for a conversion that reads what its
    // makers found.
    void Now()
    {
        if (intake_ != nullptr) intake_->EndItems();
        intake_ = nullptr;
    }
    ItemsEnd(const ItemsEnd&) = delete;
    ItemsEnd& operator=(const ItemsEnd&) = delete;

private:
    ItemIntake* intake_;
};

}  // namespace logora
