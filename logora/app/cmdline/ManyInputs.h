#pragma once
// A batch run over several inputs into one folder (--out-dir) or into one
// database (--into). Each input is converted by a run of this program of its
// own, exactly as
//   logora [switches] [--setup FILE] INPUT DIR/<name>.<csv|dbf|...>
// would convert it alone, so the outputs are the same bytes, and a failing or
// crashing input never spoils the others. Into a database, each input's run
// adds its table (--add-table), one run at a time: a database takes one
// writer at a time, and each input's run writes until its conversion ends.

#include <functional>
#include <string>
#include <vector>

#include "logora/app/cmdline/ProgramOptions.h"

namespace logora {

// One input's run: its output and its alarm setup file (empty for none).
struct InputJob
{
    std::string input;
    std::string output;
    std::string setupFile;
};

// The runs for `inputs`, or false with `error` when two inputs would write
// the same output or an output would overwrite an input.
bool PlanInputJobs(const std::vector<std::string>& inputs, const std::string& outDir, OutDirFormat format,
                   const std::string& setupFile, std::vector<InputJob>& jobs, std::string& error);

// The runs for `inputs` into the database `database`, or false with `error`
// when it names no database, two inputs would write the same table (names
// without extension alike in ASCII letter case), it is one of the inputs, or
// this build cannot write databases.
bool PlanDatabaseJobs(const std::vector<std::string>& inputs, const std::string& database,
                      const std::string& setupFile, std::vector<InputJob>& jobs, std::string& error);

// Converts one input given the arguments `program` would get (without the
// program name) and returns its exit status; it runs in a copy of this
// process, which spares each input the program's start.
using ManyInputsConversion = std::function<int(const std::vector<std::string>&)>;

// Runs `program` over every input with the grammar's `switches`, or
// `convert` in a copy of this process per input where the system can copy
// one; returns the exit status (0 all converted, 1 an input failed, 2 a usage
// error or an output folder that cannot be made, 130/143 interrupted).
int RunManyInputs(const std::string& program, const std::vector<std::string>& switches,
                  const std::vector<std::string>& inputs, const ProgramOptions& options,
                  const ManyInputsConversion& convert = {});

}  // namespace logora
