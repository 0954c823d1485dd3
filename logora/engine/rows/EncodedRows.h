#pragma once
// Typed rows as bytes, for the ring of threads that builds them apart from
// the reading (RecordThreads): each worker's stage reads the cells of its
// records and packs them; the packed rows, in the records' order, are
// unpacked for the row writer. A packed cell is a flag byte, the value where
// it has one, and its text.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "logora/engine/convert/RecordStage.h"
#include "logora/engine/rows/RowCell.h"

namespace logora {

class RowReader;
class RowWriter;
struct RowColumns;

class RowPacker final : public RecordStage
{
public:
    // `columns` must outlive the stage.
    explicit RowPacker(const RowColumns& columns);
    ~RowPacker() override;
    size_t MaxLength() const override { return maxLength_; }
    size_t Put(const uint8_t* record, char* output) override;

private:
    const RowColumns& columns_;
    std::unique_ptr<RowReader> reader_;
    size_t maxLength_;
};

class RowUnpacker
{
public:
    // `columns` and `writer` must outlive the unpacker.
    RowUnpacker(const RowColumns& columns, RowWriter& writer);

    // Gives the writer every row packed in `bytes` (whole rows); nothing
    // more once the writer failed.
    void Write(const char* bytes, size_t length);
    bool Failed() const { return failed_; }

private:
    const RowColumns& columns_;
    RowWriter& writer_;
    std::vector<RowCell> cells_;
    bool failed_ = false;
};

}  // namespace logora
