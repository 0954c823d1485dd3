#pragma once
// The console mode: parses the arguments, checks the named data logs one
// after another on a worker thread each, and prints the report or writes it
// to a report file, as text or as one JSON document.

#include <ostream>
#include <string>
#include <vector>

namespace vettle {

// Exit statuses of the console mode.
enum ExitStatus : int {
    kExitPassed = 0,    // every file passed (or help was shown)
    kExitTampered = 1,  // a file has findings or unusable integrity data
    kExitTrouble = 2,   // a usage error, or a file that could not be found, read or written
    // 130 and 143: interrupted by SIGINT or SIGTERM
};

// Where the console mode writes: `out` the texts and reports of the flow,
// `err` the reasons for an exit status that the flow's texts do not give, a
// copy of each error text, and the progress line. With "-o -", and with a
// JSON report but no report file, the report goes to `out` and the flow's
// texts to `err`.
struct ConsoleStreams
{
    std::ostream& out;
    std::ostream& err;
    // False when `out` and `err` reach the same terminal, where the copy of
    // an error text would only repeat it.
    bool copyErrors = true;
    // A self-updating "file k of n" line on `err` (a terminal, no --quiet).
    bool showProgress = false;
};

// The report path that writes the report to standard output, in UTF-8.
inline constexpr const char* kReportToStandardOutput = "-";

// Text: a heading and the verdict or findings per file. Json: one document
// (vettle/JsonReport.h) in UTF-8, on standard output unless a report file is
// named, with the flow's texts on standard error as with "-o -".
enum class ReportForm { Text, Json };

// The exit status after an interrupt (Ctrl+C, SIGTERM) stopped the checks.
int InterruptedStatus();

// `arguments` without the program name.
int RunConsoleMode(const std::vector<std::string>& arguments, const ConsoleStreams& streams,
                   ReportForm form = ReportForm::Text);

}  // namespace vettle
