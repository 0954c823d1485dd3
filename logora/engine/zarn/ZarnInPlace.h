#pragma once
// A Zarn data file's table merged with its tag names, read in place: each
// read window's records are merged from the data file's records when a reader
// reads them. The data file's writer only appends, so the records held at
// the open stay where they are; one that can no longer be read fails the
// reader.

#include <cstdint>
#include <memory>
#include <string>

#include "logora/engine/dbf/MadeTable.h"
#include "logora/engine/largefile/MappingErrorSink.h"
#include "logora/engine/zarn/CTagNameMerger.h"

namespace logora {

// The records of the data file at `path`, whose records start at
// `headerLength`, as `shape` holds them and `merge` merges them, `last` the
// last of them; the data file's failed mappings go to `report`.
std::shared_ptr<InPlaceTable> ZarnTableInPlace(std::string path, uint32_t headerLength,
                                               const TagNameMerge& merge, MadeTableShape shape,
                                               LastRecord last, MappingErrorSink report);

}  // namespace logora
