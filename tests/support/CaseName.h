// Names for the rows of parameterised suites, so test listings read as words
// instead of raw parameter bytes. GoogleTest accepts only letters, digits and
// underscores in these names, and each must be unique within its suite.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// Each run of other characters becomes one underscore; "Empty" when nothing is left.
template <class Char>
std::string IdentifierFrom(std::basic_string_view<Char> text)
{
    std::string name;
    bool gap = false;
    for (Char c : text) {
        auto code = static_cast<unsigned long>(c);
        bool keep =
            (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
        if (!keep) {
            gap = !name.empty();
            continue;
        }
        if (gap) name += '_';
        gap = false;
        name += static_cast<char>(c);
    }
    return name.empty() ? "Empty" : name;
}

inline std::string IdentifierFrom(const char* text)
{
    return IdentifierFrom(std::string_view(text ? text : ""));
}

inline std::string IdentifierFrom(const char16_t* text)
{
    return IdentifierFrom(std::u16string_view(text ? text : u""));
}

inline std::string IdentifierFrom(const std::string& text)
{
    return IdentifierFrom(std::string_view(text));
}

inline std::string IdentifierFrom(const std::u16string& text)
{
    return IdentifierFrom(std::u16string_view(text));
}

// Command-line style cases: the arguments read one after the other.
inline std::string IdentifierFrom(const std::vector<std::string>& arguments)
{
    std::string joined;
    for (const std::string& argument : arguments) joined += argument + " ";
    return IdentifierFrom(joined);
}

// For rows without a name of their own: the row's position keeps the name
// unique where two texts reduce to the same identifier or are cut alike.
template <class Param, class Text>
std::string IndexedName(const testing::TestParamInfo<Param>& info, const Text& text)
{
    constexpr size_t kLongestText = 40;
    return std::to_string(info.index) + "_" + IdentifierFrom(text).substr(0, kLongestText);
}

}  // namespace testsupport
