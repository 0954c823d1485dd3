#include "logora/ui/dialogs/DecimalOptions.h"

#include <cctype>
#include <charconv>

#include "logora/engine/run/StringTable.h"

namespace logora::ui {

namespace {

bool ParseInteger(std::string_view text, int& value)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool CheckRange(std::string_view text, int low, int high, int& value, std::string& message)
{
    if (ParseInteger(text, value) && value >= low && value <= high) return true;
    message = "Please enter an integer between " + std::to_string(low) + " and " + std::to_string(high) + ".";
    return false;
}

}  // namespace

DecimalOptionsCheck CheckDecimalOptions(std::string_view digitsText, std::string_view decimalsText)
{
    DecimalOptionsCheck check;
    if (!CheckRange(digitsText, 2, 99, check.digits, check.message)) {
        check.invalidField = DecimalOptionsCheck::kDigits;
    } else if (!CheckRange(decimalsText, 1, 99, check.decimals, check.message)) {
        check.invalidField = DecimalOptionsCheck::kDecimals;
    } else if (check.decimals >= check.digits) {
        check.invalidField = DecimalOptionsCheck::kDecimals;
        check.message = std::string(LoadString(strings::DecimalCountTooLarge));
    }
    return check;
}

}  // namespace logora::ui
