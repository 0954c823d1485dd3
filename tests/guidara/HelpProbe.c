/* Opens one help page through the help library found on the program's path,
   as a program of a plant would: the installers' test checks with it that an
   installed library finds the help folder the installer wrote. */
#include <stdio.h>

#include "guidara/include/guidara.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: guidara_help_probe <page file>\n");
        return 2;
    }
    return InvokeHelpDirectA(argv[1]) == 1 ? 0 : 1;
}
