#pragma once
// The text of "vettle --help": the console forms and the options beside
// them, each with an example, how to interrupt and the exit statuses (these
// two as each system has them).

namespace vettle {

inline constexpr const char* kUsageText =
    R"(Usage: vettle -i LOG.csv... [-o REPORT.txt | -o -] [--json] [--quiet]
       vettle -i "FOLDER/*.csv" [-o REPORT.txt | -o -] [--json] [--quiet]
       vettle ? | --help | --version
       vettle

Checks CSV data logs that carry integrity markers and tells per file whether
lines were altered, reordered, added or removed, or the columns changed.
Without arguments it shows its dialog (this needs a display).

  -i LOG.csv...
         The data logs to check, in the given order; -i and /i, in any letter
         case, must come first.
           vettle -i logs/day1.csv
  -i "FOLDER/*.csv"
         Every .csv file of the folder, in name order (quoted, so that the
         program reads the folder; unquoted, the shell's list is checked).
           vettle -i "logs/*.csv"
  -o REPORT.txt
         Writes the report to REPORT.txt as UTF-16LE without byte order mark,
         replacing the file once the report is complete.
           vettle -i "logs/*.csv" -o report.txt
  -o -   Writes the report, the same text in UTF-8, to standard output; the
         other texts go to standard error.
           vettle -i "logs/*.csv" -o - > report-utf8.txt
  --json The report as one JSON document in UTF-8, on standard output (the
         other texts go to standard error) or, with -o, in the report file:
           {"files": [{"file": "logs/day1.csv", "passed": false, "line": 4,
                       "verdict": "tampered", "report": "..."}]}
         one entry per file in the order checked; "line" is the first line
         number the report names, or null; "verdict" is one of
           passed      every line checked, nothing found
           tampered    lines altered or out of order
           rows        the number of rows was changed (lines added or removed)
           columns     the header's number of columns was changed
           unmarked    no integrity data that can be read (old or unknown)
           corrupted   the integrity data at the end fails its own check
           missing     the file does not exist
           unopened    the file exists but could not be opened
           unreadable  a read of the file failed part way
         A single file that does not exist gets its entry too (exit status 2).
           vettle -i "logs/*.csv" --json > report.json
  ?      The help of the console forms.
           vettle ?
  --quiet
         No progress line. On a terminal a check of many files shows one
         line: file k of n, its name and the percentage.
           vettle --quiet -i "logs/*.csv"
  -h, --help
         This text.
           vettle --help
  --version
         The program's name and version.
           vettle --version

)"
#ifdef _WIN32
    R"(Ctrl+C and Ctrl+Break stop the check: no report is written, "Interrupted"
is printed, and the exit status is 130.
)"
#else
    R"(Ctrl+C (SIGINT) and SIGTERM stop the check: no report is written,
"Interrupted" is printed, and the exit status is 130 (143 for SIGTERM).
)"
#endif
    R"(
Exit status:
  0    every file passed (or a help text was shown)
  1    a file was found altered, or its integrity data is unusable
  2    a usage error, a report path that names a data log to check, or a file
       or folder that could not be found, read or written
)"
#ifdef _WIN32
    R"(  130  interrupted by Ctrl+C or Ctrl+Break
)"
#else
    R"(  130  interrupted by Ctrl+C (143: by SIGTERM)
)"
#endif
    ;

}  // namespace vettle
