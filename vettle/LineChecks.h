#pragma once
// The line-by-line part of a detection run, one line per Step(), so that a run
// over part of a file can be compared with and joined to another: findings are
// kept as (text, line number) until the report is written.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "vettle/CIntegrityCheck.h"
#include "vettle/DetectRunState.h"

namespace vettle {

class LineChecks
{
public:
    enum class End {
        None,       // more lines to check
        Broken,     // a line could not be read as a logical line
        Trailer,    // the trailer line was reached
        Cancelled,  // by the run state, or stopped through `stop`
    };
    struct Finding
    {
        const char* format;
        int64_t line;
    };

    // Checks the lines from the reader's position on, the first numbered
    // `firstLine`. `linesStarted` counts the lines of every part for the
    // progress; `stop`, when given, ends the run as a cancel would. At most
    // `listLimit` findings are kept, the rest only counted.
    LineChecks(CIntegrityCheck& check, DetectRunState& state, std::atomic<int64_t>& linesStarted,
               int64_t firstLine, size_t listLimit, const std::atomic<bool>* stop = nullptr);

    // Checks one line; false once the run has ended.
    bool Step();

    End GetEnd() const { return end_; }
    // The line the run ended at (Broken, Trailer).
    int64_t EndLine() const { return line_; }
    // The number the next line checked gets.
    int64_t NextLine() const { return line_; }
    const std::vector<Finding>& Findings() const { return findings_; }
    int64_t FindingCount() const { return findingCount_; }
    CIntegrityCheck& Check() { return check_; }

private:
    // Step() until the run ends.
    bool StepLine();
    void Add(const char* format);
    // Adds the lines started since the last call to the shared count.
    void PublishProgress();

    CIntegrityCheck& check_;
    DetectRunState& state_;
    std::atomic<int64_t>& linesStarted_;
    int64_t uncounted_ = 0;
    const std::atomic<bool>* stop_;
    size_t listLimit_;
    int64_t line_;
    End end_ = End::None;
    std::vector<Finding> findings_;
    int64_t findingCount_ = 0;
};

// Leaves the report and its first line in `state` and returns the verdict of
// a run that ended as `end` at `endLine`, with `findings` listed (at most
// kMaxListedFindings of them) out of `count`.
DetectVerdict WriteLineReport(LineChecks::End end, int64_t endLine, int64_t trailerLine,
                              const std::vector<LineChecks::Finding>& findings, int64_t count,
                              DetectRunState& state);

}  // namespace vettle
