#include "vettle/TwoPartCheck.h"

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "vettle/DetectTamper.h"
#include "vettle/LineChecks.h"

namespace vettle {

namespace {

// The second part numbers its first line 3: past the first two lines, which
// the checks treat apart.
constexpr int64_t kSecondFirstLine = 3;
// Lines of the second part the first part may check again before the two
// states agree.
constexpr size_t kAgreementLines = 16;
// How far past the split offset the second part's first line may start.
constexpr int64_t kBoundarySearch = 1 << 20;

// The offset after the first CR LF at or past `from` that no ';' continues;
// -1 when there is none within kBoundarySearch bytes.
int64_t LineStartAfter(const common::ByteSource& source, int64_t from)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(kBoundarySearch));
    const int64_t got = source.ReadAt(bytes.data(), bytes.size(), static_cast<uint64_t>(from));
    for (int64_t i = 1; i + 1 < got; ++i) {
        if (bytes[i] == '\n' && bytes[i - 1] == '\r' && bytes[i + 1] != ';') return from + i + 1;
    }
    return -1;
}

// After each of the second part's first lines: what the first part must agree on.
struct AfterLine
{
    CIntegrityCheck::CarriedState carried;
    int64_t position;
    int64_t findingCount;
};

// A cache line and the one the processor fetches with it.
constexpr size_t kCacheLinePair = 128;

// What the second part's thread writes on every line (its reader's position,
// its check's state, its line count) and reads (the stop flag), on cache
// lines of its own: beside the first part's state on the calling thread's
// stack, each thread's writes took the line from the other's reads.
struct alignas(kCacheLinePair) SecondPart
{
    SecondPart(const common::ByteSource& source, size_t window, int64_t boundary,
               const CIntegrityCheck& prepared, DetectRunState& state, std::atomic<int64_t>& linesStarted)
        : reader(source, window),
          check(prepared, reader),
          // Room for the findings the first part takes over besides a full list.
          lines(check, state, linesStarted, kSecondFirstLine, kMaxListedFindings + kAgreementLines, &stop)
    {
        reader.Seek(boundary);
    }

    std::atomic<bool> stop{false};
    BufferedReader reader;
    CIntegrityCheck check;
    LineChecks lines;
    std::vector<AfterLine> afterLines;
};

struct alignas(kCacheLinePair) LineCount
{
    std::atomic<int64_t> started{0};
};

DetectVerdict FirstPartToTheEnd(LineChecks& first, int64_t trailerLine, DetectRunState& state)
{
    while (first.Step()) {
    }
    return WriteLineReport(first.GetEnd(), first.EndLine(), trailerLine, first.Findings(),
                           first.FindingCount(), state);
}

}  // namespace

DetectVerdict CheckLinesInTwoParts(const common::ByteSource& source, CIntegrityCheck& check,
                                   DetectRunState& state, size_t window, int64_t splitAt)
{
    const int64_t trailerLine = int64_t{check.RowCount()} + 2;
    const auto linesStarted = std::make_unique<LineCount>();
    LineChecks first(check, state, linesStarted->started, 1, kMaxListedFindings);
    const int64_t boundary = splitAt > 0 ? LineStartAfter(source, splitAt) : -1;
    if (boundary < 0) return FirstPartToTheEnd(first, trailerLine, state);

    const auto part =
        std::make_unique<SecondPart>(source, window, boundary, check, state, linesStarted->started);
    BufferedReader& secondReader = part->reader;
    CIntegrityCheck& secondCheck = part->check;
    LineChecks& second = part->lines;
    std::vector<AfterLine>& afterLines = part->afterLines;
    std::thread secondPart([&] {
        while (second.Step()) {
            if (afterLines.size() < kAgreementLines) {
                afterLines.push_back({secondCheck.Carried(), secondCheck.Position(), second.FindingCount()});
            }
        }
    });

    while (check.Position() < boundary && first.Step()) {
    }
    if (first.GetEnd() != LineChecks::End::None || check.Position() != boundary ||
        first.NextLine() < kSecondFirstLine) {
        part->stop = true;
        secondPart.join();
        return FirstPartToTheEnd(first, trailerLine, state);
    }
    const int64_t shift = first.NextLine() - kSecondFirstLine;
    secondPart.join();
    // The first part reads on by itself: it fails too where the fault stays.
    if (secondReader.Failed()) return FirstPartToTheEnd(first, trailerLine, state);

    size_t agreed = 0;  // lines of the second part checked again
    for (;;) {
        if (!first.Step() || agreed >= afterLines.size()) return FirstPartToTheEnd(first, trailerLine, state);
        const AfterLine& after = afterLines[agreed++];
        if (check.Carried() == after.carried && check.Position() == after.position) break;
    }

    std::vector<LineChecks::Finding> findings = first.Findings();
    for (const LineChecks::Finding& finding : second.Findings()) {
        if (finding.line < kSecondFirstLine + static_cast<int64_t>(agreed)) continue;
        if (findings.size() >= static_cast<size_t>(kMaxListedFindings)) break;
        findings.push_back({finding.format, finding.line + shift});
    }
    const int64_t count = first.FindingCount() + second.FindingCount() - afterLines[agreed - 1].findingCount;
    return WriteLineReport(second.GetEnd(), second.EndLine() + shift, trailerLine, findings, count, state);
}

}  // namespace vettle
