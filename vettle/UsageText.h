#pragma once
// The text of "vettle --help": the console forms and the options beside
// them, each with an example, and the exit statuses.

namespace vettle {

inline constexpr const char* kUsageText =
    R"(Usage: vettle -i LOG.csv... [-o REPORT.txt | -o -] [--quiet]
       vettle -i 'FOLDER/*.csv' [-o REPORT.txt | -o -] [--quiet]
       vettle ? | --help | --version
       vettle

Checks CSV data logs that carry integrity markers and tells per file whether
lines were altered, reordered, added or removed, or the columns changed.
Without arguments it shows its dialog (this needs a display).

  -i LOG.csv...
         The data logs to check, in the given order; -i and /i, in any letter
         case, must come first.
           vettle -i logs/day1.csv
  -i 'FOLDER/*.csv'
         Every .csv file of the folder, in name order (quoted, so that the
         program reads the folder; unquoted, the shell's list is checked).
           vettle -i 'logs/*.csv'
  -o REPORT.txt
         Writes the report to REPORT.txt as UTF-16LE without byte order mark,
         replacing the file once the report is complete.
           vettle -i 'logs/*.csv' -o report.txt
  -o -   Writes the report, the same text in UTF-8, to standard output; the
         other texts go to standard error.
           vettle -i 'logs/*.csv' -o - > report-utf8.txt
  ?      The help of the console forms.
           vettle ?
  --quiet
         No progress line. On a terminal a check of many files shows one
         line: file k of n, its name and the percentage.
           vettle --quiet -i 'logs/*.csv'
  -h, --help
         This text.
           vettle --help
  --version
         The program's name and version.
           vettle --version

Ctrl+C (SIGINT) and SIGTERM stop the check: no report is written,
"Interrupted" is printed, and the exit status is 130 (143 for SIGTERM).

Exit status:
  0    every file passed (or a help text was shown)
  1    a file was found altered, or its integrity data is unusable
  2    a usage error, a report path that names a data log to check, or a file
       or folder that could not be found, read or written
  130  interrupted by Ctrl+C (143: by SIGTERM)
)";

}  // namespace vettle
