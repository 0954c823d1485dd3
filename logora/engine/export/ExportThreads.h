#pragma once
// How many threads a list-form CSV export uses. One keeps the whole export on
// the calling thread; with N, the calling thread reads the records while N - 1
// worker threads format and write blocks of them. The output is the same byte
// for byte.

namespace logora {

// The threads for the "ExportThreads" setting: the number set, or one per core
// for 0.
unsigned ExportThreadsFor(unsigned setting);

}  // namespace logora
