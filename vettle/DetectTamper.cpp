#include "vettle/DetectTamper.h"

#include "vettle/CBufferedReader.h"
#include "vettle/CIntegrityCheck.h"
#include "vettle/MessageFormat.h"
#include "vettle/Messages.h"

namespace vettle {

namespace {

constexpr const char* kLineEnd = "\r\n";

// The findings of one run, appended line by line up to the listing limit.
class CFindings
{
public:
    explicit CFindings(std::string& report) : report_(report) {}

    void Add(const char* format, int64_t line)
    {
        ++count_;
        if (count_ > kMaxListedFindings) return;
        report_ += FormatWithNumber(format, line);
        report_ += kLineEnd;
    }
    bool Any() const { return count_ > 0; }
    // Notes the findings left out, when there were any.
    void Close()
    {
        if (count_ <= kMaxListedFindings) return;
        report_ += FormatWithNumber(kFindingsNotListed, count_ - kMaxListedFindings);
        report_ += kLineEnd;
    }

private:
    std::string& report_;
    int64_t count_ = 0;
};

DetectVerdict Verdict(std::string& report, const char* text)
{
    report = text;
    return DetectVerdict::Tampered;
}

double ProgressOf(int64_t line, int32_t rowCount)
{
    // Taken as unsigned, as the row count is written. A row count of 0 gives
    // no measure of the way left, so the wait window shows 0 rather than a
    // finished run.
    const auto rows = static_cast<uint32_t>(rowCount);
    return rows == 0 ? 0.0 : static_cast<double>(static_cast<uint64_t>(line)) / rows;
}

DetectVerdict CheckLines(CIntegrityCheck& check, CDetectRunState& state, std::string& report)
{
    CFindings findings(report);
    const int64_t trailerLine = static_cast<int64_t>(check.RowCount()) + 2;
    for (int64_t line = 1;; ++line) {
        if (state.IsCancelRequested()) {
            findings.Close();
            return DetectVerdict::Cancelled;
        }
        state.SetProgress(ProgressOf(line, check.RowCount()));
        if (!check.ReadLogicalLine(line)) {
            report = FormatWithNumber(kAdulteration, line);
            return DetectVerdict::Tampered;
        }
        if (check.IsTrailerLine()) {
            if (line != trailerLine) return Verdict(report, kRowsAltered);
            if (!findings.Any()) {
                report = kPassed;
                return DetectVerdict::Passed;
            }
            findings.Close();
            return DetectVerdict::Tampered;
        }
        const int parsed = check.ParseLineMarker();
        if (parsed != kParsed) {
            if (parsed != kBadThirdNumber) check.AdvanceOrderNumber();
            findings.Add(kAdulteration, line);
            continue;
        }
        const bool checksumOk = check.TestLineChecksum();
        const bool guidOk = check.TestGuid();
        if (!checksumOk || !guidOk) {
            findings.Add(kAdulteration, line);
            continue;
        }
        if (!check.CheckLineOrder(line)) findings.Add(kOrderChanged, line);
    }
}

}  // namespace

DetectVerdict DetectInSource(IByteSource& source, CDetectRunState& state, size_t window)
{
    std::string& report = state.MutableReport();
    report.clear();
    CBufferedReader reader(source, window);
    CIntegrityCheck check(reader);
    check.ReadByteOrderMark();
    if (!check.FindTrailerLine() || check.ParseTrailer() != kParsed) return Verdict(report, kFormatUnknown);
    if (!check.TestTrailerChecksum()) return Verdict(report, kFormatCorrupted);
    check.BuildTrailerSignature();
    if (!check.CountHeaderCommas()) return Verdict(report, kFormatCorrupted);
    if (!check.TestColumnCount()) return Verdict(report, kColumnsAltered);
    reader.Seek(0);
    return CheckLines(check, state, report);
}

namespace {

// Opens the detect file and runs the check; the file is closed on return.
DetectVerdict DetectFile(CDetectRunState& state)
{
    const std::string& path = state.DetectFilePath();
    CFileByteSource file;
    switch (file.Open(path)) {
        case CFileByteSource::OpenResult::Missing:
            state.MutableReport() = FormatWithPath(kDetectFileMissing, path);
            return DetectVerdict::FileMissing;
        case CFileByteSource::OpenResult::NotOpened:
            state.MutableReport() = FormatWithPath(kDetectFileNotOpened, path);
            return DetectVerdict::FileNotOpened;
        case CFileByteSource::OpenResult::Opened:
            break;
    }
    return DetectInSource(file, state);
}

}  // namespace

int DetectTamper(CDetectRunState* state)
{
    if (state == nullptr) return 1;
    state->Finish(DetectFile(*state));
    return 0;
}

}  // namespace vettle
