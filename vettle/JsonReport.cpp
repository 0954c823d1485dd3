#include "vettle/JsonReport.h"

#include "common/text/Utf.h"
#include "vettle/TextCodec.h"

namespace vettle {

namespace {

void AppendUnicodeEscape(std::string& json, unsigned code)
{
    constexpr const char* kHex = "0123456789abcdef";
    json += "\\u00";
    json += kHex[code >> 4];
    json += kHex[code & 0xF];
}

}  // namespace

std::string_view VerdictWord(DetectVerdict verdict)
{
    switch (verdict) {
        case DetectVerdict::Passed:
            return "passed";
        case DetectVerdict::Tampered:
            return "tampered";
        case DetectVerdict::RowsAltered:
            return "rows";
        case DetectVerdict::ColumnsAltered:
            return "columns";
        case DetectVerdict::Unmarked:
            return "unmarked";
        case DetectVerdict::Corrupted:
            return "corrupted";
        case DetectVerdict::FileMissing:
            return "missing";
        case DetectVerdict::FileNotOpened:
            return "unopened";
        case DetectVerdict::FileNotRead:
            return "unreadable";
        case DetectVerdict::None:  // a run that has not ended is one cut short
        case DetectVerdict::Cancelled:
            break;
    }
    return "cancelled";
}

std::string JsonString(std::string_view text)
{
    // Through UTF-16 and back: what remains is well-formed UTF-8.
    const std::string utf8 = common::Utf16ToUtf8Replacing(DecodeUtf8(text), '?');
    std::string json = "\"";
    json.reserve(utf8.size() + 2);
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte == '"' || byte == '\\') {
            json += '\\';
            json += static_cast<char>(byte);
        } else if (byte == '\n') {
            json += "\\n";
        } else if (byte == '\r') {
            json += "\\r";
        } else if (byte == '\t') {
            json += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            AppendUnicodeEscape(json, byte);
        } else if (byte == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            // U+0080 to U+009F, the C1 controls.
            AppendUnicodeEscape(json, static_cast<unsigned char>(utf8[++i]));
        } else {
            json += static_cast<char>(byte);
        }
    }
    return json + "\"";
}

std::string JsonReport::Begin() const
{
    return "{\"files\": [\n";
}

std::string JsonReport::Entry(std::string_view file, DetectVerdict verdict, int64_t line,
                              std::string_view report)
{
    std::string entry = first_ ? "  {\"file\": " : ",\n  {\"file\": ";
    first_ = false;
    entry += JsonString(file);
    entry += verdict == DetectVerdict::Passed ? ", \"passed\": true" : ", \"passed\": false";
    entry += ", \"line\": " + (line > 0 ? std::to_string(line) : std::string("null"));
    entry += ", \"verdict\": \"" + std::string(VerdictWord(verdict)) + "\"";
    const size_t end = report.find_last_not_of("\r\n");
    entry += ", \"report\": " + JsonString(report.substr(0, end == std::string_view::npos ? 0 : end + 1));
    return entry + "}";
}

std::string JsonReport::End() const
{
    return first_ ? "]}\n" : "\n]}\n";
}

}  // namespace vettle
