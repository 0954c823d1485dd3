#pragma once
// How many threads a list-form CSV export uses. One keeps the whole export on
// the calling thread; with N, the calling thread reads the records while N - 1
// worker threads format and write blocks of them. The output is the same byte
// for byte.

namespace logora {

// The number in force: the one set, or one per core when none is (0).
unsigned ExportThreads();

// 0 for one per core; a run that exports several files side by side sets 1.
// Set at start-up, before any export runs.
void SetExportThreads(unsigned threads);

}  // namespace logora
