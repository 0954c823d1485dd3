#pragma once
// Datalog-shaped dBASE tables for the export benchmark and the samples: the
// columns of a Vell datalog table (Date D 8, Time C 8, Millitm N 3, Marker
// C 1, TagIndex C 10, Status C 1, Value), written through CDBF.

#include <cstdint>
#include <string>
#include <vector>

namespace dbfgen {

enum class ValueColumn {
    RawDouble,  // "Value" C 8 holding the double's bytes, as the converters write it
    PlainText,  // "Value" F 17.8, readable by any dBASE reader
};

// Tag names used by the tables: one record per tag and time stamp.
std::vector<std::string> DatalogTags();

// Writes `records` records to `path`; false when the table cannot be built.
bool WriteDatalogTable(const std::string& path, uint32_t records, ValueColumn value);

}  // namespace dbfgen
