#include "logora/engine/obf/ObfInPlace.h"

#include "logora/engine/dbf/CDBF.h"

namespace logora {

namespace {

struct ObfShared
{
    std::string path;
    ObfTableLayout layout;
    MadeTableShape shape;
    LastRecord last;
    MappingErrorSink report;
    mutable MovedNote moved;
};

class ObfMadeRecords : public AppendedInputRecords
{
public:
    explicit ObfMadeRecords(std::shared_ptr<const ObfShared> shared)
        : AppendedInputRecords(shared->path, shared->last, shared->moved, shared->report),
          shared_(std::move(shared)),
          input_(shared_->report),
          maker_(shared_->layout, sink_)
    {}

    bool Open() { return input_.OpenRead(shared_->path) && input_.ReadFieldDescriptors() && OpenCheck(); }

private:
    // Records that are their items whole go over in runs, as the conversion hands them.
    bool MakeChecked(int64_t first, int64_t count, uint8_t* into) override
    {
        const size_t recordLength = input_.GetRecordLength();
        const bool wholeRecords = shared_->layout.ItemLength() == recordLength;
        sink_.Aim(into);
        for (int64_t done = 0; done < count;) {
            const uint8_t* bytes = nullptr;
            const int64_t run = input_.ReadRecords(first + done, count - done, &bytes);
            if (run == 0) return ReadFailed(input_.GetFailure());
            if (wholeRecords) {
                maker_.Make(bytes, static_cast<size_t>(run));
            } else {
                for (int64_t i = 0; i < run; ++i) maker_.Make(bytes + i * recordLength, 1);
            }
            done += run;
        }
        return true;
    }

    std::shared_ptr<const ObfShared> shared_;
    CDBF input_;
    RecordsInto sink_;
    ObfRecordMaker maker_;
};

}  // namespace

std::shared_ptr<InPlaceTable> ObfTableInPlace(std::string path, const ObfTableLayout& layout,
                                              MadeTableShape shape, LastRecord last, MappingErrorSink report)
{
    return std::make_shared<SharedInPlaceTable<ObfShared, ObfMadeRecords>>(std::shared_ptr<const ObfShared>(
        new ObfShared{std::move(path), layout, std::move(shape), std::move(last), std::move(report), {}}));
}

}  // namespace logora
