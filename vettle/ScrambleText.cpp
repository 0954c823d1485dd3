#include "vettle/ScrambleText.h"

namespace vettle {

void ScrambleText(char16_t* text, size_t count)
{
    for (size_t i = 0; i < count; ++i) text[i] ^= kScrambleKey[i % 4];
}

}  // namespace vettle
