#pragma once
// Appends records to a finished dBASE table file in place: the records go
// where the end-of-file mark stood, the mark behind them, and the header's
// record count is raised last, so that a reader meanwhile sees the table it
// saw before.

#include <cstddef>
#include <cstdint>
#include <string>

namespace logora {

// Appends `count` records of the table's record length (deletion flag
// first) to the table at `path`. Empty when done; otherwise why not, naming
// the file.
std::string AppendToTable(const std::string& path, const uint8_t* records, size_t count, size_t recordLength);

}  // namespace logora
