#include "logora/app/cmdline/UsageText.h"

namespace logora {

const std::string_view kUsageText =
    R"(Usage: logora [switches] [options] INPUT [SETUP.mal] OUTPUT
       logora [switches] [options] --out-dir DIR [--format csv|table|dbf|xlsx|sqlite]
              [--jobs N]
              [--setup FILE] INPUT...
       logora [switches] [options] --into DB.sqlite [--setup FILE] INPUT...
       logora [FILE]
       logora /? | --help | --version

Shows and converts Zarn datalogs (.DAT with their tag file, .OBF), Vell
datalogs (.LOG), Vell alarm logs (.ALM with their .mal setup file), Blendcraft
recipes (.RPP) and dBASE tables (.DBF). With one FILE or none it opens the
viewer window (this needs a display). With an INPUT and an OUTPUT it converts
without any window: OUTPUT ending in .csv, or without extension (.csv is
appended), is written as CSV; OUTPUT ending in .dbf as a dBASE table, in
.xlsx as an Excel workbook, in .sqlite, .sqlite3 or .db as an SQLite
database; OUTPUT - writes the CSV to standard output (logora /md in.log - |
gzip >in.csv.gz). Workbooks and databases hold the values of the CSV with
their types (numbers, dates, times, texts). An output is replaced only once
it is complete.

Switches start with / or - and may be written in any letter case. An argument
that starts with / and holds another / is a path (write //out.csv for a file
in the root folder).
  /sd    Zarn datalog.
           logora /sd "Plant(1).DAT" plant.csv
  /md    Vell datalog.
           logora /md process.log process.csv
  /ma    Vell alarm log (by default from a CE terminal); the parameter after
         the log names its alarm setup file.
           logora /ma history.alm MachineAlarms.mal alarms.csv
  /ce    (after /ma) alarm log of a CE terminal (Tolvan/Skeldra).
           logora /ma /ce history.alm MachineAlarms.mal alarms.csv
  /3xx   (after /ma) alarm log of Win32 3.xx.
           logora /ma /3xx history.alm MachineAlarms.mal alarms.csv
  /4xx   (after /ma) alarm log of Win32 4.xx or later.
           logora /ma /4xx history.alm MachineAlarms.mal CSV99
  /CE6   (after /ma) alarm log of a CE terminal KRELCE6.
           logora /ma /CE6 history.alm MachineAlarms.mal alarms.csv
  /6xx   (after /ma) alarm log of Win32 6.xx or later.
           logora /ma /6xx history.alm MachineAlarms.mal alarms.csv
  /dbf   dBASE table.
           logora /dbf data.dbf out.dbf
  /table CSV in table form: one column per tag.
           logora /md /table process.log process-table.csv
  /tzH   Destination time zone, H hours east of UTC (-12 to 13, fractions
         allowed); without it the computer's local time.
           logora /md process.log process.csv /tz-3.5
  /?     The command-line help of the switches.
           logora /?

Options:
  --out-dir DIR
         Converts every INPUT with the same switches into DIR/<input name
         without extension>.csv (or .dbf); DIR is created when missing. One
         input's failure never stops the others. Each failed input gets a
         line on standard error, and the last line says "N converted, M
         failed".
           logora /md /tz8 --out-dir csv day1.log day2.log day3.log
  --format csv|table|dbf|xlsx|sqlite
         With --out-dir: CSV in list form (the default), CSV in table form
         (the default with /table), dBASE tables, Excel workbooks or SQLite
         databases (in table form with /table).
           logora --out-dir tables --format dbf "Plant(1).DAT" "Line(1).DAT"
  --jobs N
         With --out-dir: converts up to N inputs at once (default: one per
         processor).
           logora /md --out-dir csv --jobs 2 logs/*.log
  --into DB
         Converts every INPUT with the same switches into a table of its name
         without extension in the SQLite database DB (.sqlite, .sqlite3 or
         .db), which is created when missing; a table of that name is
         replaced once the new one is complete, and the table "sources" lists
         each table's input. One input after the other, each in one
         transaction: a failed input leaves the database as it was, and the
         others are still added.
           logora /md --into plant.sqlite line1.log line2.log
  --setup FILE
         The alarm setup file for every .alm input; without it each alarm
         log uses the .mal file of its own name beside it.
           logora /ma /6xx --out-dir csv --setup MachineAlarms.mal *.alm
  --codepage N
         The code page of the program's texts for this run, instead of the
         CodePage setting or the locale (65001 is UTF-8).
           logora --codepage 1252 /md process.log process.csv
  --quiet
         No progress line. On a terminal a long conversion shows one line
         with the file, the percentage, records per second and the time left.
           logora --quiet /md process.log process.csv
  -h, --help
         This text.
           logora --help
  --version
         The program's name and version.
           logora --version
  --
         Every argument after it names a file, even one that starts with
         "-" or "/".
           logora /sd -- -night.DAT -night.csv
)"
#ifdef _WIN32
    R"(
Ctrl+C and Ctrl+Break stop a conversion cleanly: no partial output and no
temporary table are left, "Interrupted" is printed, and the exit status is
130.

Errors are appended to logora-Err.log beside the program, or, for a program
installed in Program Files or whose folder cannot be written, to the same
name in %LOCALAPPDATA%\logora\; every line also goes to standard error.

Settings: the registry key
HKCU\Software\Kestra Applications\Quorvi Zerovuvuru File Viewer\Options
(FloatLength, DecimalCount, CodePage, ...).

Wildcards in file names (*.log, day?.log) are expanded by the program, as
cmd does not expand them; one that matches no file is taken as written.
)"
#else
    R"(
Ctrl+C (SIGINT) and SIGTERM stop a conversion cleanly: no partial output and
no temporary table are left, "Interrupted" is printed, and the exit status is
130 (143 for SIGTERM).

Errors are appended to logora-Err.log beside the program, or, for a program
installed under /usr or /opt or whose folder cannot be written, to the same
name in $XDG_STATE_HOME/logora/ (default ~/.local/state/logora/); every line
also goes to standard error.

Settings: ~/.config/Kestra Applications/Quorvi Zerovuvuru File Viewer.ini,
section [Options] (FloatLength, DecimalCount, CodePage, ...).
)"
#endif
    R"(
Exit status:
  0    the output was written (with --out-dir or --into: every input was
       converted)
  1    the input could not be converted or loaded (with --out-dir or --into:
       an input failed)
  2    the output could not be written, or a usage error
  3    the output's extension names no output format, or /table was given a
       table without tag and Value columns
  4    the viewer window was asked for but no display can be reached
)"
#ifdef _WIN32
    R"(  130  interrupted by Ctrl+C or Ctrl+Break
)"
#else
    R"(  130  interrupted by Ctrl+C (143: by SIGTERM)
)"
#endif
    ;

}  // namespace logora
