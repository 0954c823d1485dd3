#pragma once
// One trend sample: a date and time, its milliseconds, and one value per pen
// (indexed by the pen index of the tag). A pen without a value at this sample
// holds 0.0.

#include <vector>

namespace logora {

struct CTrendData
{
    double dateTime = 0.0;  // OLE Automation date
    bool dateTimeValid = false;
    int milliseconds = 0;
    std::vector<double> values;

    // Same date-time (both invalid, or both valid and equal) and milliseconds.
    bool SameTimeAs(double otherDateTime, bool otherValid, int otherMilliseconds) const
    {
        if (milliseconds != otherMilliseconds || dateTimeValid != otherValid) return false;
        return !dateTimeValid || dateTime == otherDateTime;
    }

    // Puts `value` at `pen`, extending the array with zeros up to it.
    void SetValue(size_t pen, double value)
    {
        if (pen >= values.size()) values.resize(pen + 1, 0.0);
        values[pen] = value;
    }
};

}  // namespace logora
