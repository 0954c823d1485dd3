#include "logora/python/IntegrityVerdict.h"

#include <cctype>

#include "vettle/DetectRunState.h"
#include "vettle/DetectTamper.h"
#include "vettle/MessageFormat.h"
#include "vettle/Messages.h"

namespace logora::python {

namespace {

// The console's lines end in the platform's line break, its block in one.
std::string AsConsolePrintsIt(const std::string& path, const std::string& report)
{
    std::string block = vettle::FormatWithPath(vettle::kReportHeading, path) + report;
    std::string shown;
    shown.reserve(block.size());
    for (size_t i = 0; i < block.size(); ++i) {
        if (block[i] != '\r' || i + 1 >= block.size() || block[i + 1] != '\n') shown.push_back(block[i]);
    }
    while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r')) shown.pop_back();
    return shown + "\n";
}

}  // namespace

std::optional<int64_t> FirstReportedLine(const std::string& report)
{
    constexpr std::string_view kLine = "line ";
    for (size_t at = report.find(kLine); at != std::string::npos; at = report.find(kLine, at + 1)) {
        size_t digit = at + kLine.size();
        int64_t line = 0;
        bool any = false;
        for (; digit < report.size() && std::isdigit(static_cast<unsigned char>(report[digit])); ++digit) {
            line = line * 10 + (report[digit] - '0');
            any = true;
        }
        if (any) return line;
    }
    return std::nullopt;
}

IntegrityVerdict CheckIntegrity(const std::string& path)
{
    vettle::DetectRunState run;
    run.SetDetectFilePath(path);
    run.PrepareRun();
    vettle::DetectTamper(&run);

    IntegrityVerdict verdict;
    switch (run.Verdict()) {
        case vettle::DetectVerdict::FileMissing:
        case vettle::DetectVerdict::FileNotOpened:
        case vettle::DetectVerdict::FileNotRead:
            verdict.report = run.Report();
            return verdict;
        default:
            break;
    }
    verdict.checked = true;
    verdict.passed = run.Verdict() == vettle::DetectVerdict::Passed;
    if (!verdict.passed) verdict.line = FirstReportedLine(run.Report());
    verdict.report = AsConsolePrintsIt(path, run.Report());
    return verdict;
}

}  // namespace logora::python
