#pragma once
// How many threads format the lines of a list-form CSV export. One keeps the
// whole export on the calling thread; more put the formatting of record
// blocks on that many worker threads while the caller reads and writes. The
// output is the same byte for byte.

namespace logora {

// The number in force: the one set, or one per core when none is (0).
unsigned ExportThreads();

// 0 for one per core; a run that exports several files side by side sets 1.
// Set at start-up, before any export runs.
void SetExportThreads(unsigned threads);

}  // namespace logora
