#include "tools/integrity-csv/IntegrityLogWriter.h"

#include <sstream>

#include "vettle/ScrambleText.h"
#include "vettle/TextCrc32.h"

namespace integritycsv {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Scrambles ASCII text; the result stays ASCII, one byte per unit.
std::string ScrambleAscii(const std::string& plain)
{
    std::u16string units(plain.begin(), plain.end());
    vettle::ScrambleText(units.data(), units.size());
    return std::string(units.begin(), units.end());
}

// A text in the file's encoding: UTF-8 as written, or its 8-bit form (the
// generator only uses characters of Latin-1 outside ASCII).
std::string Encoded(std::string_view utf8, bool toUtf8)
{
    if (toUtf8) return std::string(utf8);
    std::string bytes;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            bytes.push_back(static_cast<char>(((c & 0x1F) << 6) | (utf8[++i] & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(c));
        }
    }
    return bytes;
}

std::string CsvQuoted(std::string_view text)
{
    std::string quoted = "\"";
    for (char c : text) {
        quoted.push_back(c);
        if (c == '"') quoted.push_back('"');
    }
    return quoted + "\"";
}

}  // namespace

std::string MarkerField(uint32_t checksum, const std::string& guid, int32_t low, int32_t high)
{
    const std::string plain =
        std::to_string(checksum) + "*" + guid + "*" + std::to_string(low) + "*" + std::to_string(high);
    return CsvQuoted(ScrambleAscii(plain));
}

std::string TrailerLine(const std::string& guid, int64_t rows, int headerCommas, bool withChecksum)
{
    std::string plain = guid + "*" + std::to_string(rows) + "*" + std::to_string(headerCommas);
    if (withChecksum) plain += "*" + std::to_string(vettle::BytesCrc32(plain));
    return ScrambleAscii(plain);
}

IntegrityLogWriter::IntegrityLogWriter(std::ostream& out, const LogOptions& options)
    : out_(out), options_(options), low_(options.startLow), high_(options.startHigh)
{}

void IntegrityLogWriter::WriteLine(std::string_view text, size_t breakAt)
{
    if (first_ && options_.utf8) out_ << kBom;
    first_ = false;
    const std::string checksummed = std::string(text) + "\r\n";
    const uint32_t checksum = vettle::BytesCrc32(checksummed);
    if (breakAt < text.size()) {
        out_ << text.substr(0, breakAt) << "\n;" << text.substr(breakAt);
    } else {
        out_ << text;
    }
    out_ << ',' << MarkerField(checksum, options_.guid, low_, high_) << "\r\n";
    if (++low_ > 65536) {
        low_ = 1;
        ++high_;
    }
}

void IntegrityLogWriter::WriteTrailer(int64_t rows, int headerCommas)
{
    out_ << TrailerLine(options_.guid, rows, headerCommas, options_.trailerChecksum) << "\r\n";
}

std::string HeaderText(const LogOptions& options)
{
    std::string header = Encoded("Zeit", options.utf8);
    for (int column = 1; column < options.columns; ++column) {
        header +=
            ',' + Encoded(column == 1 ? "Temperatur °C" : "Wert " + std::to_string(column), options.utf8);
    }
    return header;
}

std::string RowText(const LogOptions& options, int64_t row)
{
    const int64_t seconds = row * 7;
    std::string text = "2026-12-08 " + std::to_string(10 + seconds / 3600 % 14) + ":" +
                       std::to_string(seconds / 60 % 60 + 10) + ":" + std::to_string(seconds % 60 + 10);
    for (int column = 1; column < options.columns; ++column) {
        if (options.quotedFields && column == options.columns - 1) {
            text += ',' + CsvQuoted(Encoded("Füllstand \"Tank " + std::to_string(row % 7) + "\", ok",
                                            options.utf8));
        } else {
            text += ',' + std::to_string((row * 37 + column * 11) % 1000) + "." + std::to_string(row % 10);
        }
    }
    return text;
}

void WriteIntegrityLog(std::ostream& out, const LogOptions& options)
{
    IntegrityLogWriter writer(out, options);
    writer.WriteLine(HeaderText(options));
    for (int64_t row = 1; row <= options.rows; ++row) {
        const bool broken = options.continuationEvery > 0 && row % options.continuationEvery == 0;
        writer.WriteLine(RowText(options, row), broken ? 5 : std::string_view::npos);
    }
    writer.WriteTrailer(options.rows, options.columns);
}

std::string MakeIntegrityLog(const LogOptions& options)
{
    std::ostringstream out;
    WriteIntegrityLog(out, options);
    return out.str();
}

}  // namespace integritycsv
