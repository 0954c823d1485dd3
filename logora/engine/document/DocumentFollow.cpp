// Following the document's input while its writer keeps growing it: the
// follower reads only what was written since, the converter that converted
// the input builds their records, and the table loaded again shows them. A
// table read in place becomes a temporary table for it first.
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/dbf/MadeTable.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/document/FollowedConversion.h"
#include "logora/engine/run/RunState.h"

namespace logora {

// Each record of the table is one record of the input, so the table's count
// is how far the input was read.
void CDatReaderDoc::BeginFollowing(const InputFormat& format, const std::string& input)
{
    follower_.reset();
    followStopped_.clear();
    if (format.makeFollower != nullptr && !IsConversionIncomplete())
        follower_ = format.makeFollower(input, GetRecordCount(), followFrom_);
    if (follower_ == nullptr) followedConversion_.reset();
}

CDatReaderDoc::FollowStep CDatReaderDoc::TakeNewRecords()
{
    if (follower_ == nullptr) return {};
    if (inPlace_ != nullptr && followStopped_.empty()) {
        // Millions of records take seconds to copy: the window shows how far.
        const auto progress =
            context_.OpenProgress("Follow", "Copying the records of " + pathName_ + " before following it");
        followStopped_ = CopyInPlaceTable(*progress);
        if (progress->IsCancelled()) {
            followStopped_.clear();
            return {FollowStep::Kind::Cancelled, 0, {}};
        }
    }
    if (!followStopped_.empty()) return {FollowStep::Kind::Moved, 0, followStopped_};
    const int64_t before = GetRecordCount();
    bool added = false;
    std::string moved;
    for (bool more = true; more;) {
        const InputGrowth growth = follower_->Look();
        more = false;
        if (growth.kind == InputGrowth::Kind::Moved) moved = growth.why;
        if (growth.kind != InputGrowth::Kind::Added) break;
        added = true;
        // A table loaded as it is has the new records already.
        if (tableToLoad_ == temporaryTable_.Path()) followStopped_ = AppendFollowed(growth);
        more = followStopped_.empty() && growth.count == InputFollower::kMostRecordsPerLook;
    }
    if (added && !table_.Open(tableToLoad_) && followStopped_.empty())
        followStopped_ = tableToLoad_ + ": the table can no longer be read";
    if (!followStopped_.empty()) moved = followStopped_;
    const int64_t gained = GetRecordCount() - before;
    if (!moved.empty()) return {FollowStep::Kind::Moved, gained, moved};
    return {added ? FollowStep::Kind::Added : FollowStep::Kind::Nothing, gained, {}};
}

// A ring's header does not tell how many records it holds when full, so the
// next record may overwrite the first one read in place; the records shown
// must stay, so following first copies them into the temporary table, which
// takes the new ones from then on as it would have after a conversion.
std::string CDatReaderDoc::CopyInPlaceTable(ControlProcess& progress)
{
    if (!temporaryTable_.Create(pathName_)) return temporaryTable_.GetFailure();
    std::string failure =
        CopyMadeTable(tableToLoad_, temporaryTable_.Path(), context_.run.MappingErrors(), progress);
    if (progress.IsCancelled()) temporaryTable_.Delete();
    // A ring that moved says so in the words of following.
    if (!failure.empty()) return inPlace_->Moved().empty() ? failure : inPlace_->Moved();
    tableToLoad_ = temporaryTable_.Path();
    if (!table_.Open(tableToLoad_)) return tableToLoad_ + ": the table can no longer be read";
    inPlace_.reset();
    inPlaceName_.Remove();
    return {};
}

std::string CDatReaderDoc::AppendFollowed(const InputGrowth& growth)
{
    // Each record's tag goes on being kept where names alike need it.
    const bool keepTags = !recordTags_.empty() && int64_t(recordTags_.size()) == GetRecordCount();
    std::string failure =
        followedConversion_->AppendTo(growth, temporaryTable_.Path(), keepTags ? &recordTags_ : nullptr);
    // A format that lists the tags it finds names the new ones too.
    if (!tagNames_ && followedConversion_->TagNames().size() > tagList_.size())
        tagList_ = followedConversion_->TagNames();
    return failure;
}

}  // namespace logora
