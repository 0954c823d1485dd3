#pragma once
// The detection run: examines one integrity-marked CSV data log and leaves
// its report text and verdict in the run state.

#include "common/bytes/ByteSource.h"
#include "vettle/BufferedReader.h"
#include "vettle/DetectRunState.h"

namespace vettle {

// The worker's body: reads the run state's detect file path. Returns 1 for a
// null state, 0 after a run; clears the running flag at every end.
int DetectTamper(DetectRunState* state);

// Where the lines of a run are checked in two parts side by side:
// kSplitBySize halves a source of at least kSplitMinimum bytes, kNoSplit
// keeps one part; an offset (tests) starts the second part at the first line
// after it.
inline constexpr int64_t kSplitBySize = -1;
inline constexpr int64_t kNoSplit = -2;
inline constexpr int64_t kSplitMinimum = 16 << 20;

// The run over bytes already at hand (the file is open): replaces the report
// and its first line and returns the verdict; does not touch the running
// flag. `window` is the read-ahead size; any size, and any split, gives the
// same result.
DetectVerdict DetectInSource(const common::ByteSource& source, DetectRunState& state,
                             size_t window = BufferedReader::kDefaultWindow, int64_t splitAt = kNoSplit);

// At most this many findings are listed in one report; the rest are counted.
inline constexpr int64_t kMaxListedFindings = 10000;

}  // namespace vettle
