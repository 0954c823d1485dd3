// Seed inputs for the compound-file harness: the generated recipe files and
// alarm setup files, as they are.
#include <cstdio>
#include <filesystem>
#include <string>

#include "RecipeFile.h"
#include "SampleSet.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus-folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    std::filesystem::create_directories(folder + "/recipes");
    return recipegen::WriteSampleSet(folder + "/recipes") && alarmgen::WriteSampleSet(folder + "/alarms") ? 0
                                                                                                          : 1;
}
