/* Compiled as C: the public header must serve C callers too. */
#include "guidara/include/guidara.h"

int GuidaraHeaderCompilesAsC(void)
{
    const char16_t page[] = u"Vettle\\Help\\1001.htm";
    InvokeHelpWFunc invokeHelp = 0;
    InvokeHelpDirectWFunc invokeDirect = 0;
    return invokeHelp == 0 && invokeDirect == 0 && sizeof page[0] == 2;
}
