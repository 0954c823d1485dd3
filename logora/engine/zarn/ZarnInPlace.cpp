#include "logora/engine/zarn/ZarnInPlace.h"

#include "logora/engine/largefile/CLargeFile.h"

namespace logora {

namespace {

struct ZarnShared
{
    std::string path;
    uint32_t headerLength;
    TagNameMerge merge;
    MadeTableShape shape;
    LastRecord last;
    MappingErrorSink report;
    mutable MovedNote moved;
};

class ZarnMadeRecords : public AppendedInputRecords
{
public:
    explicit ZarnMadeRecords(std::shared_ptr<const ZarnShared> shared)
        : AppendedInputRecords(shared->path, shared->last, shared->moved, shared->report),
          shared_(std::move(shared)),
          data_(shared_->report)
    {}

    bool Open() { return data_.OpenRead(shared_->path) && OpenCheck(); }

private:
    bool MakeChecked(int64_t first, int64_t count, uint8_t* into) override
    {
        const uint32_t length = shared_->merge.recordLength;
        for (int64_t r = first; r < first + count; ++r) {
            const uint8_t* record = data_.View(shared_->headerLength + uint64_t(r) * length, length);
            if (record == nullptr) return ReadFailed(data_.GetFailure());
            shared_->merge.Merge(record, into);
            into += shared_->shape.recordLength;
        }
        return true;
    }

    std::shared_ptr<const ZarnShared> shared_;
    CLargeFile data_;
};

}  // namespace

std::shared_ptr<InPlaceTable> ZarnTableInPlace(std::string path, uint32_t headerLength,
                                               const TagNameMerge& merge, MadeTableShape shape,
                                               LastRecord last, MappingErrorSink report)
{
    return std::make_shared<SharedInPlaceTable<ZarnShared, ZarnMadeRecords>>(
        std::shared_ptr<const ZarnShared>(new ZarnShared{
            std::move(path), headerLength, merge, std::move(shape), std::move(last), std::move(report), {}}));
}

}  // namespace logora
