#include "logora/engine/alarm/AlarmInPlace.h"

#include <algorithm>

#include "logora/engine/largefile/CLargeFile.h"

namespace logora {

namespace {

// Records viewed at once: a read window's, in one piece of a mapping view.
constexpr int64_t kRecordsAView = 1024;

using AlarmInput = AppendedInput<AlarmReaderTexts>;

class AlarmMadeRecords : public AppendedInputRecords
{
public:
    explicit AlarmMadeRecords(std::shared_ptr<const AlarmInput> input)
        : AppendedInputRecords(input->path, input->last, input->moved, input->report),
          input_(std::move(input)),
          log_(input_->report),
          maker_(input_->plan.texts, sink_)
    {}

    bool Open() { return log_.OpenRead(input_->path) && OpenCheck(); }

private:
    bool MakeChecked(int64_t first, int64_t count, uint8_t* into) override
    {
        const size_t length = input_->plan.texts.layout.size;
        sink_.Aim(into);
        for (int64_t done = 0; done < count;) {
            const int64_t run = std::min(count - done, kRecordsAView);
            const uint8_t* records = log_.View(kAlarmLogHeaderSize + uint64_t(first + done) * length,
                                               static_cast<uint32_t>(uint64_t(run) * length));
            if (records == nullptr) return ReadFailed(log_.GetFailure());
            maker_.Make(records, static_cast<size_t>(run));
            done += run;
        }
        return true;
    }

    std::shared_ptr<const AlarmInput> input_;
    CLargeFile log_;
    RecordsInto sink_;
    AlarmRecordMaker maker_;
};

}  // namespace

std::shared_ptr<InPlaceTable> AlarmTableInPlace(std::string path, AlarmReaderTexts texts,
                                                MadeTableShape shape, LastRecord last,
                                                MappingErrorSink report)
{
    return AppendedInputTable<AlarmMadeRecords>(std::move(path), std::move(texts), std::move(shape),
                                                std::move(last), std::move(report));
}

}  // namespace logora
