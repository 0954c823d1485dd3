#pragma once
// The report as one JSON document, written a file at a time as the checks
// end, so that the report of many files never has to be held at once:
//
//   {"files": [
//     {"file": "a.csv", "passed": false, "line": 4, "verdict": "tampered", "report": "..."}
//   ]}
//
// Texts are UTF-8; bytes that are not (a file name in a legacy encoding)
// become U+FFFD each, as in the report file.

#include <cstdint>
#include <string>
#include <string_view>

#include "vettle/DetectRunState.h"

namespace vettle {

// The lower-case word of a verdict in the "verdict" field.
std::string_view VerdictWord(DetectVerdict verdict);

// `text` as a JSON string: quoted, with the quote, the backslash and every
// control character (C0, DEL, C1) escaped, malformed UTF-8 replaced.
std::string JsonString(std::string_view text);

class JsonReport
{
public:
    std::string Begin() const;
    // One file's entry: `line` is the first line its report names, 0 for
    // none; the report's trailing line breaks are left out.
    std::string Entry(std::string_view file, DetectVerdict verdict, int64_t line, std::string_view report);
    std::string End() const;

private:
    bool first_ = true;
};

}  // namespace vettle
