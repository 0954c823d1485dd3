#pragma once
// The unattended conversion of the first file parameter into the last one,
// the output picked by its extension (OutputFormats): CSV for ".csv" or none
// (".csv" is appended), plain dBASE for ".dbf", a workbook, a database.

#include "logora/engine/cmdline/CFileViewerCmdLineInfo.h"

namespace logora {

struct EngineContext;

// Exit statuses of the program.
enum ExitStatus : int {
    kExitWritten = 0,         // the output was written
    kExitInputFailed = 1,     // the input could not be converted or loaded
    kExitOutputFailed = 2,    // the output could not be written
    kExitUsage = 2,           // an unknown "--" option or one without its value
    kExitNothingWritten = 3,  // the output's extension names no output format, or the
                              // table form was asked of a table that holds no datalog
    kExitViewerMissing = 4,   // a start that needs the viewer window
};

// Runs with two or more file parameters, in command-line mode (the caller
// enters it first). Errors go to the context's error log and standard error.
int RunBatch(const CFileViewerCmdLineInfo& info, const EngineContext& context);

}  // namespace logora
