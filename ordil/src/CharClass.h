// Character classes of the library. They agree with the C library's classes on
// ASCII and do not depend on the process locale, so results are the same for
// every caller.
#pragma once

namespace ordil {

// The C library's space class: blank, tab, line feed, vertical tab, form feed, carriage return.
constexpr bool isBlank(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

constexpr bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

constexpr bool isAsciiLetter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

constexpr bool isAlnum(char16_t c)
{
    return isAsciiLetter(c) || isDigit(c);
}

constexpr char16_t toUpper(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c;
}

constexpr bool isSeparator(char16_t c)
{
    return c == u'\\' || c == u'/';
}

constexpr bool isQuote(char16_t c)
{
    return c == u'"' || c == u'\'';
}

// A character allowed in a file name: letters, digits, 24 punctuation
// characters and every character outside ASCII. Other ASCII characters above
// 0x57 (backslash, vertical bar, DEL) are refused, although the older rule
// admitted every code above 0x57: they separate folders or are invalid in file
// names on the platforms the product family writes to.
bool isValidFilenameChar(char16_t c);

}  // namespace ordil
