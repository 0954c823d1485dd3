// recipe-gen <folder>: writes sample recipe files (.rpp compound files) into
// <folder>: a complete recipe, one without tag sets, one without ingredients
// and one with damaged entries.

#include <cstdio>

#include "RecipeFile.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: recipe-gen <folder>\n");
        return 2;
    }
    if (!recipegen::WriteSampleSet(argv[1])) {
        std::fprintf(stderr, "recipe-gen: cannot write the samples into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
