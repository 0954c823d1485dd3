/* Calls both installed libraries through their installed headers. */
#include <guidara/guidara.h>
#include <ordil/ordil.h>

int main(void)
{
    /* An absolute page is refused before any help folder is looked up. */
    return UtlIsValidInt(u"42") == 1 && InvokeHelpDirectA("/etc/passwd") == 0 ? 0 : 1;
}
