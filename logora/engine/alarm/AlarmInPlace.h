#pragma once
// An alarm log's table read in place: each read window's records are made
// from the log's records by an AlarmRecordMaker, with the texts of the
// conversion that opened it. The runtime only appends to its log, so the
// records held at the open stay where they are; one that can no longer be
// read fails the reader.

#include <memory>
#include <string>

#include "logora/engine/alarm/AlarmRecordMaker.h"
#include "logora/engine/dbf/MadeTable.h"
#include "logora/engine/largefile/MappingErrorSink.h"

namespace logora {

class CAlarmSetup;
class CEmbeddedAlarmReader;

// The texts of a log's table, kept for as long as its readers need them:
// those of `texts` point into `setup` and `embedded`.
struct AlarmReaderTexts
{
    std::shared_ptr<const CAlarmSetup> setup;
    std::shared_ptr<const CEmbeddedAlarmReader> embedded;
    AlarmTableTexts texts;
};

// The records of the log at `path` as `shape` holds them, `last` the last
// of them; the log's failed mappings go to `report`.
std::shared_ptr<InPlaceTable> AlarmTableInPlace(std::string path, AlarmReaderTexts texts,
                                                MadeTableShape shape, LastRecord last,
                                                MappingErrorSink report);

}  // namespace logora
