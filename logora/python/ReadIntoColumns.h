#pragma once
// One read of an input into typed columns, as a batch run converts it to
// CSV: the same conversions, choices and messages, with the reports kept
// for the caller instead of going to the error log and standard error.

#include <optional>
#include <string>
#include <vector>

#include "logora/python/ColumnArrays.h"

namespace logora::python {

struct ReadChoices
{
    // The destination time zone as "/tz<hours>" gives it; none leaves the
    // times as the conversion gives them without one.
    std::optional<double> timeZoneHours;
    std::string alarmSetupPath;   // "--setup"
    int alarmVersion = 0;         // as the alarm switches give it: 0 for none
    std::optional<int> codePage;  // "--codepage"; else the settings' or the locale's
    bool tableForm = false;       // "/table"
};

struct ReadOutcome
{
    bool read = false;
    // What the program would have reported, one line each: the detail (the
    // file and what is wrong) where a report has one, else its text. On a
    // failure they say why.
    std::vector<std::string> lines;
};

// Reads `path` into `columns`; `columns` holds the whole table only when
// the outcome is read. Reads run one at a time in a process (the engine
// keeps process-wide tables); their conversions use threads of their own.
ReadOutcome ReadIntoColumns(const std::string& path, const ReadChoices& choices, ColumnArrays& columns);

// Why `choices` cannot be used; empty when they can.
std::string RefusedChoice(const ReadChoices& choices);

}  // namespace logora::python
