#pragma once
// Writes integrity-marked CSV data logs as the data logger does: a header
// line, data rows and a trailer, every line but the trailer ending in its
// scrambled marker "C*G*L*H". Tests, samples, seeds and the benchmark make
// their inputs with it; tampering is done by editing its output.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace integritycsv {

struct LogOptions
{
    int64_t rows = 10;
    int columns = 3;              // header fields before the marker field
    bool utf8 = false;            // byte order mark and UTF-8 text; else 8-bit
    bool quotedFields = false;    // a quoted text column with commas and doubled quotes
    int continuationEvery = 0;    // every n-th data row is broken with "LF ;"
    bool trailerChecksum = true;  // the trailer's fourth token
    int32_t startLow = 1;         // order number of the header line
    int32_t startHigh = 0;
    std::string guid = "3f2504e0-4f89-11d3-9a0c-0305e82c3301";
};

class IntegrityLogWriter
{
public:
    IntegrityLogWriter(std::ostream& out, const LogOptions& options);

    // One logical line: `text` is the line's fields in the file's encoding,
    // joined by commas, without the marker. `breakAt` (when not npos) puts a
    // continuation break before that byte of the text.
    void WriteLine(std::string_view text, size_t breakAt = std::string_view::npos);
    void WriteTrailer(int64_t rows, int headerCommas);

private:
    std::ostream& out_;
    LogOptions options_;
    int32_t low_;
    int32_t high_;
    bool first_ = true;
};

// The fields of the generated header and rows, in the file's encoding.
std::string HeaderText(const LogOptions& options);
std::string RowText(const LogOptions& options, int64_t row);

void WriteIntegrityLog(std::ostream& out, const LogOptions& options);
std::string MakeIntegrityLog(const LogOptions& options);

// The scrambled marker field of a line, quotes included, without the comma.
std::string MarkerField(uint32_t checksum, const std::string& guid, int32_t low, int32_t high);
// The scrambled trailer line without its CR LF.
std::string TrailerLine(const std::string& guid, int64_t rows, int headerCommas, bool withChecksum);

}  // namespace integritycsv
