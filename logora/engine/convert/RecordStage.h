#pragma once
// What one thread of an output makes of each record it is handed: the
// record's bytes in the output (a CSV line, say). One stage serves one
// thread and may keep state of its own between records.

#include <cstddef>
#include <cstdint>

namespace logora {

class RecordStage
{
public:
    virtual ~RecordStage() = default;
    // The most bytes one record can make.
    virtual size_t MaxLength() const = 0;
    // The bytes of `record` at `output` (room for MaxLength); their count.
    virtual size_t Put(const uint8_t* record, char* output) = 0;
    // Told before the Puts of `count` items lying one after the other from
    // `items`, put in that order: a stage may read ahead among them (to
    // fetch what their bytes need from memory before it needs it).
    virtual void ComingItems(const uint8_t* /*items*/, size_t /*count*/) {}

    // A stage whose bytes gather several records (a line of the records of
    // one time stamp) is told where the blocks of an output begin and end:
    // `first` for the output's first block. EndBlock puts what is still
    // gathered (room for MaxLength) and returns its count.
    virtual void BeginBlock(bool /*first*/) {}
    virtual size_t EndBlock(char* /*output*/) { return 0; }
};

}  // namespace logora
