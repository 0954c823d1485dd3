#pragma once
// A Zarn .OBF datalog's table read in place: each read window's records are
// made from the datalog's packed records by an ObfRecordMaker. The datalog
// is itself a table whose writer only appends, so the records held at the
// open stay where they are; one that can no longer be read fails the reader.

#include <memory>
#include <string>

#include "logora/engine/dbf/MadeTable.h"
#include "logora/engine/largefile/MappingErrorSink.h"
#include "logora/engine/obf/ObfRecordMaker.h"

namespace logora {

// The records of the datalog at `path` as `shape` holds them, made as
// `layout` declares them, `last` the last of them; the datalog's failed
// mappings go to `report`.
std::shared_ptr<InPlaceTable> ObfTableInPlace(std::string path, const ObfTableLayout& layout,
                                              MadeTableShape shape, LastRecord last, MappingErrorSink report);

}  // namespace logora
