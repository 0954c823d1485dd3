#pragma once
// The tamper check of one integrity-marked CSV log, as the Python module
// gives it: the verdict, the first line a finding names, and the report as
// vettle's console prints it.

#include <cstdint>
#include <optional>
#include <string>

namespace logora::python {

struct IntegrityVerdict
{
    // False when the file could not be checked at all (missing, unreadable);
    // `report` then says why, naming the file.
    bool checked = false;
    bool passed = false;
    std::optional<int64_t> line;
    std::string report;
};

IntegrityVerdict CheckIntegrity(const std::string& path);

// The first line number a report's findings name ("... at line 7."), if any.
std::optional<int64_t> FirstReportedLine(const std::string& report);

}  // namespace logora::python
