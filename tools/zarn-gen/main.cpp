// zarn-gen: writes a generated Zarn datalog (data file and tag file).
//   zarn-gen <folder> [--records N] [--tags N] [--timestmp] [--base NAME]
// Prints the data file's path.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/cmdline/GeneratorOptions.h"
#include "tools/zarn-gen/ZarnGen.h"

namespace {

constexpr const char* kUsage =
    "usage: zarn-gen <folder> [--records N] [--tags N] [--timestmp] [--base NAME]\n";

int Usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

bool ParseCount(const char* text, uint64_t& value)
{
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end != text && *end == '\0';
}

}  // namespace

int main(int argc, char** argv)
{
    const auto status = toolcmdline::AnswerHelpOrRefuse(
        "zarn-gen", argc, argv, kUsage,
        {{"--records", true}, {"--tags", true}, {"--timestmp"}, {"--base", true}});
    if (status) return *status;
    // The folder comes first.
    if (argc < 2 || argv[1][0] == '-') return Usage();
    logora::zarngen::ZarnSampleSpec spec;
    std::string base = "Plant";
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        uint64_t count = 0;
        if (arg == "--timestmp") {
            spec.withTimestmp = true;
        } else if (i + 1 < argc && arg == "--base") {
            base = argv[++i];
        } else if (i + 1 < argc && arg == "--records" && ParseCount(argv[i + 1], count) &&
                   count <= 0xFFFFFFFFu) {
            spec.records = count;
            ++i;
        } else if (i + 1 < argc && arg == "--tags" && ParseCount(argv[i + 1], count) && count >= 1 &&
                   count <= 100000) {
            spec.tagCount = uint32_t(count);
            ++i;
        } else {
            return Usage();
        }
    }
    std::string error;
    const std::string dataPath = logora::zarngen::WriteZarnDatalog(argv[1], base, spec, error);
    if (dataPath.empty()) {
        std::fprintf(stderr, "zarn-gen: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", dataPath.c_str());
    return 0;
}
