// integrity-csv: writes an integrity-marked CSV data log, as the data logger
// would, to a file or to standard output.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tools/integrity-csv/IntegrityLogWriter.h"

namespace {

constexpr const char* kUsage =
    "usage: integrity-csv [options] [-o file]   (standard output without -o)\n"
    "  --rows N            data rows (10)\n"
    "  --columns K         header fields before the marker (3)\n"
    "  --utf8              UTF-8 with byte order mark (default: 8-bit)\n"
    "  --quoted            a quoted text column with commas and doubled quotes\n"
    "  --continuation N    break every N-th row with a continuation line\n"
    "  --no-checksum       trailer without its checksum token\n"
    "  --start-low L       order number of the header line (1)\n"
    "  --start-high H      wrap count of the header line (0)\n"
    "  --guid G            the file's GUID\n";

bool ParseNumber(const char* text, long long& value)
{
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0';
}

}  // namespace

int main(int argc, char** argv)
{
    integritycsv::LogOptions options;
    std::string outputPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        long long number = 0;
        const auto numberArg = [&] { return hasValue && ParseNumber(argv[++i], number) && number >= 0; };
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--utf8") {
            options.utf8 = true;
        } else if (arg == "--quoted") {
            options.quotedFields = true;
        } else if (arg == "--no-checksum") {
            options.trailerChecksum = false;
        } else if (arg == "--rows" && numberArg()) {
            options.rows = number;
        } else if (arg == "--columns" && numberArg() && number >= 1) {
            options.columns = static_cast<int>(number);
        } else if (arg == "--continuation" && numberArg()) {
            options.continuationEvery = static_cast<int>(number);
        } else if (arg == "--start-low" && numberArg()) {
            options.startLow = static_cast<int32_t>(number);
        } else if (arg == "--start-high" && numberArg()) {
            options.startHigh = static_cast<int32_t>(number);
        } else if (arg == "--guid" && hasValue) {
            options.guid = argv[++i];
        } else if (arg == "-o" && hasValue) {
            outputPath = argv[++i];
        } else {
            std::cerr << "integrity-csv: bad argument '" << arg << "'\n" << kUsage;
            return 2;
        }
    }
    if (outputPath.empty()) {
        integritycsv::WriteIntegrityLog(std::cout, options);
        return std::cout.flush() ? 0 : 1;
    }
    std::vector<char> buffer(1 << 20);
    std::ofstream out;
    out.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    out.open(outputPath, std::ios::binary | std::ios::trunc);
    if (!out) {
        std::cerr << "integrity-csv: cannot create " << outputPath << "\n";
        return 1;
    }
    integritycsv::WriteIntegrityLog(out, options);
    out.close();
    if (!out) {
        std::cerr << "integrity-csv: cannot write " << outputPath << "\n";
        return 1;
    }
    return 0;
}
