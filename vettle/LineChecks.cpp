#include "vettle/LineChecks.h"

#include "vettle/DetectTamper.h"
#include "vettle/MessageFormat.h"
#include "vettle/Messages.h"

namespace vettle {

namespace {

constexpr const char* kLineEnd = "\r\n";
// Lines counted before the shared count and the progress are updated: the
// parts of a log run on two cores, and a shared write per line would keep
// moving its cache line between them.
constexpr int64_t kLinesPerProgress = 1024;

double ProgressOf(int64_t line, int32_t rowCount)
{
    // Taken as unsigned, as the row count is written. A row count of 0 gives
    // no measure of the way left, so the wait window shows 0 rather than a
    // finished run.
    const auto rows = static_cast<uint32_t>(rowCount);
    return rows == 0 ? 0.0 : static_cast<double>(static_cast<uint64_t>(line)) / rows;
}

}  // namespace

LineChecks::LineChecks(CIntegrityCheck& check, DetectRunState& state, std::atomic<int64_t>& linesStarted,
                       int64_t firstLine, size_t listLimit, const std::atomic<bool>* stop)
    : check_(check),
      state_(state),
      linesStarted_(linesStarted),
      stop_(stop),
      listLimit_(listLimit),
      line_(firstLine)
{}

void LineChecks::Add(const char* format)
{
    ++findingCount_;
    if (findings_.size() < listLimit_) findings_.push_back({format, line_});
}

void LineChecks::PublishProgress()
{
    state_.SetProgress(ProgressOf(linesStarted_ += uncounted_, check_.RowCount()));
    uncounted_ = 0;
}

bool LineChecks::Step()
{
    if (end_ != End::None) return false;
    if (StepLine()) return true;
    PublishProgress();
    return false;
}

bool LineChecks::StepLine()
{
    if (state_.IsCancelRequested() || (stop_ != nullptr && stop_->load(std::memory_order_relaxed))) {
        end_ = End::Cancelled;
        return false;
    }
    if (++uncounted_ == kLinesPerProgress) PublishProgress();
    if (!check_.ReadLogicalLine(line_)) {
        end_ = End::Broken;
        return false;
    }
    if (check_.IsTrailerLine()) {
        end_ = End::Trailer;
        return false;
    }
    const int parsed = check_.ParseLineMarker();
    if (parsed != kParsed) {
        if (parsed != kBadThirdNumber) check_.AdvanceOrderNumber();
        Add(kAdulteration);
    } else if (!check_.TestLineChecksum() || !check_.TestGuid()) {
        Add(kAdulteration);
    } else if (!check_.CheckLineOrder(line_)) {
        Add(kOrderChanged);
    }
    ++line_;
    return true;
}

DetectVerdict WriteLineReport(LineChecks::End end, int64_t endLine, int64_t trailerLine,
                              const std::vector<LineChecks::Finding>& findings, int64_t count,
                              DetectRunState& state)
{
    std::string& report = state.MutableReport();
    const auto listFindings = [&] {
        for (size_t i = 0; i < findings.size() && static_cast<int64_t>(i) < kMaxListedFindings; ++i) {
            report += FormatWithNumber(findings[i].format, findings[i].line);
            report += kLineEnd;
        }
        if (!findings.empty()) state.SetReportedLine(findings.front().line);
        if (count <= kMaxListedFindings) return;
        report += FormatWithNumber(kFindingsNotListed, count - kMaxListedFindings);
        report += kLineEnd;
    };
    switch (end) {
        case LineChecks::End::Broken:
            report = FormatWithNumber(kAdulteration, endLine);
            state.SetReportedLine(endLine);
            return DetectVerdict::Tampered;
        case LineChecks::End::Trailer:
            if (endLine != trailerLine) {
                report = kRowsAltered;
                return DetectVerdict::RowsAltered;
            }
            if (count == 0) {
                report = kPassed;
                return DetectVerdict::Passed;
            }
            listFindings();
            return DetectVerdict::Tampered;
        case LineChecks::End::Cancelled:
        case LineChecks::End::None:
            listFindings();
            return DetectVerdict::Cancelled;
    }
    return DetectVerdict::Cancelled;
}

}  // namespace vettle
