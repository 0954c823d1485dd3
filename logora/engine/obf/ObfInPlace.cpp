#include "logora/engine/obf/ObfInPlace.h"

#include <cerrno>

#include "logora/engine/dbf/CDBF.h"

namespace logora {

namespace {

class ObfMadeRecords : public MadeRecords
{
public:
    explicit ObfMadeRecords(std::shared_ptr<const ObfInPlaceTable::Shared> shared)
        : shared_(std::move(shared)), input_(shared_->report), maker_(shared_->layout, sink_)
    {}

    bool Open() { return input_.OpenRead(shared_->path) && input_.ReadFieldDescriptors(); }

    // Records that are their items whole go over in runs, as the conversion hands them.
    bool Make(int64_t first, int64_t count, uint8_t* into) override
    {
        const size_t recordLength = input_.GetRecordLength();
        const bool wholeRecords = shared_->layout.ItemLength() == recordLength;
        sink_.Aim(into);
        for (int64_t done = 0; done < count;) {
            const uint8_t* bytes = nullptr;
            const int64_t run = input_.ReadRecords(first + done, count - done, &bytes);
            if (run == 0) return Fail();
            if (wholeRecords) {
                maker_.Make(bytes, static_cast<size_t>(run));
            } else {
                for (int64_t i = 0; i < run; ++i) maker_.Make(bytes + i * recordLength, 1);
            }
            done += run;
        }
        return true;
    }

private:
    bool Fail()
    {
        const std::lock_guard<std::mutex> hold(shared_->movedLock);
        if (shared_->moved.empty())
            shared_->moved =
                input_.GetFailure().empty() ? shared_->path + " became shorter" : input_.GetFailure();
        errno = EIO;
        return false;
    }

    std::shared_ptr<const ObfInPlaceTable::Shared> shared_;
    CDBF input_;
    RecordsInto sink_;
    ObfRecordMaker maker_;
};

}  // namespace

ObfInPlaceTable::ObfInPlaceTable(std::string path, const ObfTableLayout& layout, MadeTableShape shape,
                                 MappingErrorSink report)
    : shared_(new Shared{std::move(path), layout, std::move(shape), std::move(report), {}, {}})
{}

std::unique_ptr<common::ByteSource> ObfInPlaceTable::OpenReader() const
{
    auto records = std::make_unique<ObfMadeRecords>(shared_);
    if (!records->Open()) return nullptr;
    return std::make_unique<MadeTableSource>(shared_->shape, std::move(records));
}

std::string ObfInPlaceTable::Moved() const
{
    const std::lock_guard<std::mutex> hold(shared_->movedLock);
    return shared_->moved;
}

}  // namespace logora
