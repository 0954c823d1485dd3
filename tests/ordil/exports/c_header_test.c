/* The public header compiles as C and the library can be called from C. */
#include "ordil.h"

#include <stdio.h>

static int reported;

static int countOption(char16_t option, const char16_t* argument, void* user)
{
    (void)option;
    (void)argument;
    ++*(int*)user;
    return 1;
}

int main(void)
{
    int failures = 0;
    char16_t text[32] = u"keep /a /b out";
    char16_t block[UTL_BLOCK_SIZE];
    UtlSystemTime time;
    const char16_t* formatted;

    failures += UtlIsValidFloat(u"1.5e3") != 1;
    failures += UtlFloatStringToULong(u"12.345", 2) != 1234u;
    formatted = UtlULongToFloatString(5u, 2);
    failures += formatted == NULL || formatted[0] != u'0' || formatted[3] != u'5' || formatted[4] != 0;
    failures += UtlParseOptions(text, u"ab:", countOption, &reported) != UTL_S_OK || reported != 2;
    failures += text[0] != u'k' || text[4] != u' ' || text[5] != 0;
    UtlBuildBlock(u"k", u"v", block);
    failures += block[1] != u'|';
    failures += UtlConvertToSystemTime(0, &time) != 1 || time.year != 1970;
    failures += UtlSecMapMaskToChar(UtlSecMapCharToMask(u'C')) != u'C';
    if (failures) fprintf(stderr, "%d checks failed\n", failures);
    return failures != 0;
}
