#pragma once
// One trend sample: a date and time, its milliseconds, and one value per pen
// (indexed by the pen index of the tag). A pen without a value at this sample
// holds 0.0. The document keeps its samples in columns (TrendSamples) and
// gives one out in this form.

#include <vector>

namespace logora {

struct CTrendData
{
    double dateTime = 0.0;  // OLE Automation date
    bool dateTimeValid = false;
    int milliseconds = 0;
    std::vector<double> values;
};

}  // namespace logora
