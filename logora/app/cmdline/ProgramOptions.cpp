#include "logora/app/cmdline/ProgramOptions.h"

#include <charconv>

#include "common/cmdline/LongOptions.h"
#include "logora/engine/text/CodePage.h"

namespace logora {

namespace {

const std::vector<common::LongOptionSpec> kSpecs = {
    {"--help", false},       {"-h", false},
    {"--version", false},    {"--quiet", false},
    {"--out-dir", true},     {"--format", true},
    {"--jobs", true},        {"--setup", true},
    {"--codepage", true},    {"--progress-lines", false},
    {"--one-thread", false}, {"--into", true},
    {"--add-table", false},
};

// Most runs of one machine at once that make sense.
constexpr unsigned kMostJobs = 1024;

bool ParseNumber(const std::string& text, long long& number)
{
    const char* end = text.data() + text.size();
    const auto [stop, problem] = std::from_chars(text.data(), end, number);
    return problem == std::errc() && stop == end;
}

bool ParseFormat(const std::string& value, OutDirFormat& format)
{
    if (value == "csv") {
        format = OutDirFormat::Csv;
    } else if (value == "table") {
        format = OutDirFormat::Table;
    } else if (value == "dbf") {
        format = OutDirFormat::Dbf;
    } else if (value == "xlsx") {
        format = OutDirFormat::Xlsx;
    } else if (value == "sqlite") {
        format = OutDirFormat::Sqlite;
    } else {
        return false;
    }
    return true;
}

bool TakeOption(const common::LongOption& option, ProgramOptions& options, std::string& error)
{
    const std::string& name = option.name;
    const std::string& value = option.value;
    long long number = 0;
    if (name == "--help" || name == "-h") {
        options.help = true;
    } else if (name == "--version") {
        options.version = true;
    } else if (name == "--quiet") {
        options.quiet = true;
    } else if (name == "--progress-lines") {
        options.progressLines = true;
    } else if (name == "--one-thread") {
        options.oneThread = true;
    } else if (name == "--out-dir") {
        if (value.empty()) error = "option --out-dir needs a folder";
        options.outDir = value;
    } else if (name == "--into") {
        if (value.empty()) error = "option --into needs a database file";
        options.into = value;
    } else if (name == "--add-table") {
        options.addTable = true;
    } else if (name == "--format") {
        OutDirFormat format = OutDirFormat::Csv;
        if (!ParseFormat(value, format))
            error = "option --format: '" + value + "' is not csv, table, dbf, xlsx or sqlite";
        options.format = format;
    } else if (name == "--jobs") {
        if (!ParseNumber(value, number) || number < 1 || number > kMostJobs)
            error = "option --jobs: '" + value + "' is not a number from 1 to " + std::to_string(kMostJobs);
        options.jobs = static_cast<unsigned>(number);
    } else if (name == "--setup") {
        if (value.empty()) error = "option --setup needs a file";
        options.setupFile = value;
    } else if (name == "--codepage") {
        if (!ParseNumber(value, number) || number <= 0 || number > 65535 ||
            !IsCodePageSupported(static_cast<int>(number)))
            error = "option --codepage: '" + value + "' names no code page this machine can convert";
        options.codePage = static_cast<int>(number);
    }
    return error.empty();
}

}  // namespace

bool ParseProgramOptions(const std::vector<std::string>& arguments, ProgramOptions& options,
                         std::string& error)
{
    common::SplitArguments split;
    if (!common::SplitLongOptions(arguments, kSpecs, split, error)) return false;
    for (const common::LongOption& option : split.options) {
        if (!TakeOption(option, options, error)) return false;
    }
    if (options.outDir && options.into) error = "options --out-dir and --into exclude each other";
    if (!options.outDir && options.format) error = "option --format needs --out-dir";
    if (!options.outDir && options.jobs != 0) error = "option --jobs needs --out-dir";
    options.rest = std::move(split.rest);
    options.namesFrom = split.namesFrom;
    return error.empty();
}

}  // namespace logora
