#include "logora/engine/zarn/ZarnInPlace.h"

#include "logora/engine/largefile/CLargeFile.h"

namespace logora {

namespace {

// Where the data file's records start and how each is merged.
struct ZarnMergePlan
{
    uint32_t headerLength;
    TagNameMerge merge;
};

using ZarnInput = AppendedInput<ZarnMergePlan>;

class ZarnMadeRecords : public AppendedInputRecords
{
public:
    explicit ZarnMadeRecords(std::shared_ptr<const ZarnInput> input)
        : AppendedInputRecords(input->path, input->last, input->moved, input->report),
          input_(std::move(input)),
          data_(input_->report)
    {}

    bool Open() { return data_.OpenRead(input_->path) && OpenCheck(); }

private:
    bool MakeChecked(int64_t first, int64_t count, uint8_t* into) override
    {
        const ZarnMergePlan& plan = input_->plan;
        const uint32_t length = plan.merge.recordLength;
        for (int64_t r = first; r < first + count; ++r) {
            const uint8_t* record = data_.View(plan.headerLength + uint64_t(r) * length, length);
            if (record == nullptr) return ReadFailed(data_.GetFailure());
            plan.merge.Merge(record, into);
            into += input_->shape.recordLength;
        }
        return true;
    }

    std::shared_ptr<const ZarnInput> input_;
    CLargeFile data_;
};

}  // namespace

std::shared_ptr<InPlaceTable> ZarnTableInPlace(std::string path, uint32_t headerLength,
                                               const TagNameMerge& merge, MadeTableShape shape,
                                               LastRecord last, MappingErrorSink report)
{
    return AppendedInputTable<ZarnMadeRecords>(std::move(path), ZarnMergePlan{headerLength, merge},
                                               std::move(shape), std::move(last), std::move(report));
}

}  // namespace logora
