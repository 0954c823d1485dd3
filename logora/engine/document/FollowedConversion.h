#pragma once
// The records a followed input gained, made by a converter of its format as
// the conversion of the whole input made the others, and appended to the
// document's temporary table.

#include <memory>
#include <string>
#include <vector>

#include "logora/engine/convert/Converter.h"
#include "logora/engine/follow/InputFollower.h"

namespace logora {

class FollowedConversion
{
public:
    // `converter` converted the input: its layout is that of the table, and
    // its makers build the records to come as its run built the others.
    explicit FollowedConversion(std::unique_ptr<Converter> converter);
    ~FollowedConversion();
    FollowedConversion(const FollowedConversion&) = delete;
    FollowedConversion& operator=(const FollowedConversion&) = delete;

    // Makes the records of the input records in `growth` and appends them to
    // the table at `tablePath`, and each one's tag entry to `recordTags`
    // unless that is null. Empty when done; otherwise why not, naming the
    // file, and nothing was appended.
    std::string AppendTo(const InputGrowth& growth, const std::string& tablePath,
                         std::vector<uint16_t>* recordTags);
    // The converter's tag names, grown by the records made.
    const std::vector<std::string>& TagNames() const { return converter_->TagNames(); }

private:
    class Records;

    std::unique_ptr<Converter> converter_;
    std::unique_ptr<Records> records_;
    std::unique_ptr<RecordMaker> maker_;
};

}  // namespace logora
