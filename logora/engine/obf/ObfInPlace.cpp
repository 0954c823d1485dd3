#include "logora/engine/obf/ObfInPlace.h"

#include "logora/engine/dbf/CDBF.h"

namespace logora {

namespace {

using ObfInput = AppendedInput<ObfTableLayout>;

class ObfMadeRecords : public AppendedInputRecords
{
public:
    explicit ObfMadeRecords(std::shared_ptr<const ObfInput> input)
        : AppendedInputRecords(input->path, input->last, input->moved, input->report),
          input_(std::move(input)),
          datalog_(input_->report),
          maker_(input_->plan, sink_)
    {}

    bool Open() { return datalog_.OpenRead(input_->path) && datalog_.ReadFieldDescriptors() && OpenCheck(); }

private:
    // Records that are their items whole go over in runs, as the conversion hands them.
    bool MakeChecked(int64_t first, int64_t count, uint8_t* into) override
    {
        const size_t recordLength = datalog_.GetRecordLength();
        const bool wholeRecords = input_->plan.ItemLength() == recordLength;
        sink_.Aim(into);
        for (int64_t done = 0; done < count;) {
            const uint8_t* bytes = nullptr;
            const int64_t run = datalog_.ReadRecords(first + done, count - done, &bytes);
            if (run == 0) return ReadFailed(datalog_.GetFailure());
            if (wholeRecords) {
                maker_.Make(bytes, static_cast<size_t>(run));
            } else {
                for (int64_t i = 0; i < run; ++i) maker_.Make(bytes + i * recordLength, 1);
            }
            done += run;
        }
        return true;
    }

    std::shared_ptr<const ObfInput> input_;
    CDBF datalog_;
    RecordsInto sink_;
    ObfRecordMaker maker_;
};

}  // namespace

std::shared_ptr<InPlaceTable> ObfTableInPlace(std::string path, const ObfTableLayout& layout,
                                              MadeTableShape shape, LastRecord last, MappingErrorSink report)
{
    return AppendedInputTable<ObfMadeRecords>(std::move(path), layout, std::move(shape), std::move(last),
                                              std::move(report));
}

}  // namespace logora
