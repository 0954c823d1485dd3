#include "logora/ui/plotdata/TimeOffset.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace logora::ui {

namespace {

void SkipSpaces(std::string_view& text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
}

// A number without sign: digits with an optional fraction.
std::optional<double> TakeNumber(std::string_view& text)
{
    size_t length = 0;
    bool digits = false, point = false;
    for (; length < text.size(); ++length) {
        char c = text[length];
        if (std::isdigit(static_cast<unsigned char>(c)))
            digits = true;
        else if ((c == '.' || c == ',') && !point)
            point = true;
        else
            break;
    }
    if (!digits) return std::nullopt;
    std::string number(text.substr(0, length));
    for (char& c : number)
        if (c == ',') c = '.';
    text.remove_prefix(length);
    return std::strtod(number.c_str(), nullptr);
}

// The seconds of a unit word ("h", "hours", "min", ...), 0 for none.
double TakeUnit(std::string_view& text)
{
    size_t length = 0;
    while (length < text.size() && std::isalpha(static_cast<unsigned char>(text[length]))) ++length;
    std::string word;
    for (char c : text.substr(0, length)) word += char(std::tolower(static_cast<unsigned char>(c)));
    double seconds = 0;
    if (word == "h" || word == "hr" || word == "hrs" || word == "hour" || word == "hours")
        seconds = 3600;
    else if (word == "m" || word == "min" || word == "mins" || word == "minute" || word == "minutes")
        seconds = 60;
    else if (word == "s" || word == "sec" || word == "secs" || word == "second" || word == "seconds")
        seconds = 1;
    if (seconds > 0) text.remove_prefix(length);
    return seconds;
}

}  // namespace

std::optional<double> ParseTimeOffset(std::string_view text)
{
    SkipSpaces(text);
    double sign = 1;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        sign = text.front() == '-' ? -1 : 1;
        text.remove_prefix(1);
        SkipSpaces(text);
    }
    double seconds = 0;
    bool any = false;
    double lastUnit = 0;  // each unit once, the larger first
    while (true) {
        SkipSpaces(text);
        if (text.empty()) break;
        std::optional<double> number = TakeNumber(text);
        if (!number) return std::nullopt;
        if (!text.empty() && text.front() == ':') {
            // Hours and minutes as a clock reads them.
            if (any) return std::nullopt;
            text.remove_prefix(1);
            std::optional<double> minutes = TakeNumber(text);
            if (!minutes || *minutes >= 60 || *number != std::floor(*number)) return std::nullopt;
            seconds = *number * 3600 + *minutes * 60;
            lastUnit = 60;
            any = true;
            continue;
        }
        SkipSpaces(text);
        double unit = TakeUnit(text);
        if (unit == 0) {
            // A bare number is hours, and only on its own.
            SkipSpaces(text);
            if (any || !text.empty()) return std::nullopt;
            unit = 3600;
        }
        if (lastUnit != 0 && unit >= lastUnit) return std::nullopt;
        seconds += *number * unit;
        lastUnit = unit;
        any = true;
    }
    if (!any || seconds > kMaxOffsetHours * 3600) return std::nullopt;
    return sign * std::round(seconds);
}

std::string FormatTimeOffset(double seconds)
{
    const long long total = std::llround(std::fabs(seconds));
    if (total == 0) return "0 h";
    std::string text = seconds < 0 ? "-" : "+";
    const long long parts[] = {total / 3600, total % 3600 / 60, total % 60};
    const char* units[] = {" h", " min", " s"};
    for (size_t i = 0; i < 3; ++i) {
        if (parts[i] == 0) continue;
        if (text.size() > 1) text += ' ';
        text += std::to_string(parts[i]) + units[i];
    }
    return text;
}

}  // namespace logora::ui
