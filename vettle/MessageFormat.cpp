#include "vettle/MessageFormat.h"

#include <cstdio>
#include <vector>

namespace vettle {

namespace {

template <typename Value>
std::string Format(const char* format, Value value)
{
    const int length = std::snprintf(nullptr, 0, format, value);
    if (length <= 0) return {};
    std::vector<char> text(static_cast<size_t>(length) + 1);
    std::snprintf(text.data(), text.size(), format, value);
    return {text.data(), static_cast<size_t>(length)};
}

}  // namespace

std::string FormatWithPath(const char* format, const std::string& path)
{
    return Format(format, path.c_str());
}

std::string FormatWithNumber(const char* format, int64_t number)
{
    return Format(format, static_cast<long>(number));
}

}  // namespace vettle
