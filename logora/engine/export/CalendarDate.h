#pragma once
// Calendar arithmetic for the date texts: day numbers of the proleptic
// Gregorian calendar and the OLE Automation date (days since 30 December 1899,
// the fraction being the time of day).

#include <cstdint>

#include "common/time/CivilCalendar.h"

namespace logora {

struct CalendarParts
{
    int year = -1;
    int month = -1;
    int day = -1;
    int hour = -1;
    int minute = -1;
    int second = -1;
};

bool IsValidDate(int year, int month, int day);

// The OLE Automation date `value` to its parts, rounded to whole seconds.
// False (parts untouched) outside years 100 to 9999 or for NaN.
bool OleDateToParts(double value, CalendarParts& parts);

}  // namespace logora
