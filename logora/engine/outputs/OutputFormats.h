#pragma once
// The table of outputs a conversion can write, by the extension of the
// output's name: CSV (also for a name without extension), a plain dBASE
// table, an Excel workbook, an SQLite database. The program and the viewer
// pick the output from here, and only this file spells out the extensions.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace logora {

class RowWriter;

enum class OutputKind { Csv, Dbf, Workbook, Database };

// Where the rows of a typed output come from: a database names its table
// after the input and lists it among its sources.
struct OutputOrigin
{
    std::string inputPath;   // UTF-8
    std::string formatName;  // the input format, as InputFormat names it
};

struct OutputFormat
{
    OutputKind kind;
    std::string_view name;                     // the --format word: "csv", "dbf", "xlsx", "sqlite"
    std::vector<std::string_view> extensions;  // lower case, with the point
    // Whether this build can write it (the workbook and database libraries
    // are not in every build).
    bool available = true;
};

// Every output, CSV first.
const std::vector<OutputFormat>& OutputFormats();
// The output `path` names by its extension (none: CSV); null for any other
// extension.
const OutputFormat* FindOutputFormat(const std::string& path);
// The output of a --format word; null when none has that name.
const OutputFormat* FindOutputFormatNamed(std::string_view name);

// The writer of a typed output (Workbook, Database); null for the others and
// for one this build cannot write.
std::unique_ptr<RowWriter> MakeRowWriter(OutputKind kind, const OutputOrigin& origin);
// The writer that adds the rows as one more table to the database at its
// path, written in place (created when missing); null where this build
// cannot write databases.
std::unique_ptr<RowWriter> MakeTableIntoDatabase(const OutputOrigin& origin);

}  // namespace logora
