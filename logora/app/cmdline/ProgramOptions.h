#pragma once
// The "--" options of logora, beside the switches of its own grammar
// (CFileViewerCmdLineInfo): help, version, runs over several inputs into one
// folder or one database, the alarm setup file, the code page and the
// progress line.

#include <optional>
#include <string>
#include <vector>

namespace logora {

// The outputs of a run over several inputs; a workbook and a database take
// the table form from the /table switch.
enum class OutDirFormat { Csv, Table, Dbf, Xlsx, Sqlite };

struct ProgramOptions
{
    bool help = false;     // --help, -h
    bool version = false;  // --version
    bool quiet = false;    // --quiet: no progress line
    // --progress-lines: progress as "<done> <total>" lines on standard
    // output, for the run over several inputs that started this one.
    bool progressLines = false;
    // --one-thread: the CSV export keeps to one thread, for a run over
    // several inputs that runs conversions side by side.
    bool oneThread = false;
    std::optional<std::string> outDir;  // --out-dir DIR
    std::optional<std::string> into;    // --into DB: every input a table of one database
    // --add-table: the database output gets the input's table added in
    // place, for the run over several inputs into one database that started
    // this one.
    bool addTable = false;
    std::optional<OutDirFormat> format;  // --format csv|table|dbf|xlsx|sqlite
    unsigned jobs = 0;                   // --jobs N; 0: one per processor
    std::string setupFile;               // --setup FILE
    std::optional<int> codePage;         // --codepage N
    std::vector<std::string> rest;       // the arguments of the grammar
    size_t namesFrom = 0;                // rest[namesFrom] on came after "--"
};

// False with `error` naming the option when an option is unknown, lacks its
// value, has a value it cannot take, needs --out-dir, or is given with one it
// excludes.
bool ParseProgramOptions(const std::vector<std::string>& arguments, ProgramOptions& options,
                         std::string& error);

}  // namespace logora
