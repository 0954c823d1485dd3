#include "vettle/DetectTamper.h"

#include <system_error>

#include "platform/mapping/FileByteSource.h"
#include "vettle/BufferedReader.h"
#include "vettle/CIntegrityCheck.h"
#include "vettle/LineChecks.h"
#include "vettle/MessageFormat.h"
#include "vettle/Messages.h"
#include "vettle/TwoPartCheck.h"

namespace vettle {

namespace {

DetectVerdict Verdict(DetectRunState& state, DetectVerdict verdict, const char* text)
{
    state.MutableReport() = text;
    return verdict;
}

DetectVerdict CheckLines(CIntegrityCheck& check, DetectRunState& state)
{
    std::atomic<int64_t> linesStarted{0};
    LineChecks lines(check, state, linesStarted, 1, kMaxListedFindings);
    while (lines.Step()) {
    }
    return WriteLineReport(lines.GetEnd(), lines.EndLine(), int64_t{check.RowCount()} + 2, lines.Findings(),
                           lines.FindingCount(), state);
}

DetectVerdict CheckSource(const common::ByteSource& source, BufferedReader& reader, DetectRunState& state,
                          size_t window, int64_t splitAt)
{
    CIntegrityCheck check(reader);
    check.ReadByteOrderMark();
    if (!check.FindTrailerLine() || check.ParseTrailer() != kParsed)
        return Verdict(state, DetectVerdict::Unmarked, kFormatUnknown);
    if (!check.TestTrailerChecksum()) return Verdict(state, DetectVerdict::Corrupted, kFormatCorrupted);
    check.BuildTrailerSignature();
    if (!check.CountHeaderCommas()) return Verdict(state, DetectVerdict::Corrupted, kFormatCorrupted);
    if (!check.TestColumnCount()) return Verdict(state, DetectVerdict::ColumnsAltered, kColumnsAltered);
    reader.Seek(0);
    if (splitAt == kSplitBySize) splitAt = reader.Size() >= kSplitMinimum ? reader.Size() / 2 : kNoSplit;
    if (splitAt == kNoSplit) return CheckLines(check, state);
    return CheckLinesInTwoParts(source, check, state, window, splitAt);
}

}  // namespace

DetectVerdict DetectInSource(const common::ByteSource& source, DetectRunState& state, size_t window,
                             int64_t splitAt)
{
    state.MutableReport().clear();
    state.SetReportedLine(0);
    BufferedReader reader(source, window);
    const DetectVerdict verdict = CheckSource(source, reader, state, window, splitAt);
    if (!reader.Failed()) return verdict;
    // Bytes that could not be read say nothing about the integrity data.
    state.SetReportedLine(0);
    state.MutableReport() = FormatWithPath(kDetectFileNotRead, state.DetectFilePath()) +
                            std::generic_category().message(reader.Error()) + ".";
    return DetectVerdict::FileNotRead;
}

namespace {

// Opens the detect file and runs the check; the file is closed on return.
DetectVerdict DetectFile(DetectRunState& state)
{
    const std::string& path = state.DetectFilePath();
    platform::FileByteSource file;
    switch (file.Open(path)) {
        case platform::FileByteSource::OpenResult::Missing:
            state.MutableReport() = FormatWithPath(kDetectFileMissing, path);
            return DetectVerdict::FileMissing;
        case platform::FileByteSource::OpenResult::NotOpened:
            state.MutableReport() = FormatWithPath(kDetectFileNotOpened, path);
            return DetectVerdict::FileNotOpened;
        case platform::FileByteSource::OpenResult::Opened:
            break;
    }
    return DetectInSource(file, state, BufferedReader::kDefaultWindow,
                          state.Threads() > 1 ? kSplitBySize : kNoSplit);
}

}  // namespace

int DetectTamper(DetectRunState* state)
{
    if (state == nullptr) return 1;
    state->Finish(DetectFile(*state));
    return 0;
}

}  // namespace vettle
