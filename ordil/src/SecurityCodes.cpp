// Security code letters: A to P stand for bits 0 to 15 of a mask, `*` for all.
#include "ordil/include/ordil.h"

extern "C" {

// Lower-case letters give the bits of their upper-case forms; other
// characters give 1 shifted by their distance from 'A' modulo 32.
uint32_t UtlSecMapCharToMask(char16_t code)
{
    if (code == u'*') return 0xFFFF;
    return uint32_t(1) << ((unsigned(code) - unsigned(u'A')) % 32u);
}

// 'A' plus the index of the highest set bit; a mask of 0 gives '@'.
char16_t UtlSecMapMaskToChar(uint16_t mask)
{
    if (mask == 0xFFFF) return u'*';
    int highest = -1;
    for (int bit = 0; bit < 16; ++bit) {
        if (mask & (1u << bit)) highest = bit;
    }
    return char16_t(u'A' + highest);
}

}  // extern "C"
