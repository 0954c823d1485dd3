#include "logora/engine/document/RecordsRead.h"

namespace logora {

std::string IncompleteText(const RecordsRead& records)
{
    return "incomplete: " + WithThousandsSeparators(records.read) + " of " +
           WithThousandsSeparators(records.announced) + " records";
}

std::string WithThousandsSeparators(int64_t number)
{
    const std::string digits = std::to_string(number);
    const size_t sign = number < 0 ? 1 : 0;
    std::string grouped = digits.substr(0, sign);
    for (size_t i = sign; i < digits.size(); ++i) {
        if (i > sign && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

}  // namespace logora
