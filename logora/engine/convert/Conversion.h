#pragma once
// The one road of a conversion: an opened converter declares its table and
// produces its records into a table file or into a record sink (the CSV
// export in either form, for one). The sink gets the converter's tag names
// before the records, and each record with its tag entry when the converter
// knows it, so tags whose names print alike keep their own columns.

#include <string>

#include "logora/engine/largefile/MappingErrorSink.h"

namespace logora {

class DBFRecordSink;
class Converter;

// Builds the table file at `tablePath`, replacing the file there; its
// failed mappings go to `reportError`.
void ConvertToTableFile(Converter& converter, const std::string& tablePath,
                        const MappingErrorSink& reportError);
// Builds the table into `sink`, which must outlive the call.
void ConvertToSink(Converter& converter, DBFRecordSink& sink);

}  // namespace logora
