// recipe-gen <folder>: writes sample recipe files (.rpp compound files) into
// <folder>: a complete recipe, one without tag sets, one without ingredients
// and one with damaged entries.

#include <cstdio>

#include "RecipeFile.h"
#include "tools/cmdline/GeneratorOptions.h"

int main(int argc, char** argv)
{
    constexpr const char* kUsage = "usage: recipe-gen <folder>\n";
    if (const auto status = toolcmdline::AnswerHelpOrRefuse("recipe-gen", argc, argv, kUsage)) return *status;
    if (argc != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!recipegen::WriteSampleSet(argv[1])) {
        std::fprintf(stderr, "recipe-gen: cannot write the samples into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
