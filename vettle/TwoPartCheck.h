#pragma once
// The lines of a large log checked in two parts at once, with the report of a
// check in one part.
//
// The second part starts at the first line start after the split offset and
// runs on a thread of its own, numbering its lines as if they came third on.
// When the first part arrives at that line start, it checks on into the second
// part until its state agrees with the second part's after the same line (the
// order numbers and GUID a line hands on: with intact markers after the first
// line); from there on the second part judged every line as one pass would, and
// its findings join the first part's, renumbered. Should the first part not
// arrive exactly there, or the states not agree within a few lines, the first
// part simply checks on to the end.

#include <cstdint>

#include "common/bytes/ByteSource.h"
#include "vettle/CIntegrityCheck.h"
#include "vettle/DetectRunState.h"

namespace vettle {

// `check` is prepared and its reader at the first line; the second part reads
// `source` through a reader of `window` bytes.
DetectVerdict CheckLinesInTwoParts(const common::ByteSource& source, CIntegrityCheck& check,
                                   DetectRunState& state, size_t window, int64_t splitAt);

}  // namespace vettle
