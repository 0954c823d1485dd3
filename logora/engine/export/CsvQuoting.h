#pragma once
// The CSV quoting rule: a text holding a double quote, a comma or a line
// feed is written in double quotes with its double quotes doubled; a carriage
// return alone does not count. The search steps over the second byte of the
// double-byte characters of the code page, which may look like any of them.

#include <cstddef>
#include <cstdint>

namespace logora {

class CsvQuoting
{
public:
    explicit CsvQuoting(int codePage);

    bool Needs(const char* text, size_t length) const;
    // Copies a text column's bytes up to the first NUL to `output` and tells
    // whether the copy needs quoting, in one pass; returns the length.
    // `output` holds `length` bytes, and those beyond the copy may be
    // overwritten.
    size_t CopyText(char* output, const uint8_t* bytes, size_t length, bool& needsQuoting) const;
    // Writes the quoted form of `text` to `output` (2 × length + 2 bytes of
    // room, not overlapping `text`) and returns its length.
    size_t Quote(char* output, const char* text, size_t length) const;

private:
    bool special_[256] = {};
    bool leadByte_[256] = {};
    bool hasLeadBytes_ = false;
};

}  // namespace logora
