#pragma once
// How much of an incomplete table there is: the records read of those
// announced (by the input's header, or by a conversion that was cancelled or
// stopped part way), and the text that says so wherever it is shown.

#include <cstdint>
#include <string>

namespace logora {

struct RecordsRead
{
    int64_t read = 0;
    int64_t announced = 0;
    bool operator==(const RecordsRead&) const = default;
};

// "incomplete: 6,300,000 of 10,000,000 records".
std::string IncompleteText(const RecordsRead& records);

// 6300000 as "6,300,000": the same in every locale, like the rest of the text.
std::string WithThousandsSeparators(int64_t number);

}  // namespace logora
