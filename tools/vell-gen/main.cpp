// vell-gen: writes Vell datalogs with tag files.
//   vell-gen samples <folder>             a small set of sample datalogs
//   vell-gen big <file.log> <records> [tags]  a large wrapped datalog with tag file
#include <cstdio>
#include <cstdlib>
#include <string>

#include "VellSamples.h"
#include "tools/cmdline/GeneratorOptions.h"

namespace {

using namespace vellgen;

constexpr const char* kUsage =
    "usage: vell-gen samples <folder>\n"
    "       vell-gen big <file.log> <records> [tags]\n";

// 2026-03-29 00:59:50 UTC: the sample crosses the European spring change.
constexpr uint32_t kSampleStart = 1774745990;

int writeSamples(const std::string& folder)
{
    // A wrapped ring of 40 records with tag file and non-ASCII tag names.
    bool ok = WritePatternDatalog(folder + "/sample.log", 40, 13, 6, kSampleStart) &&
              WriteFile(folder + "/sample.tag", BuildTagFile(SampleTagNames(6)));
    // No tag file: the table carries tag numbers.
    ok = ok && WritePatternDatalog(folder + "/numbers.log", 25, 0, 7, kSampleStart);
    if (!ok) std::fprintf(stderr, "vell-gen: cannot write the samples into %s\n", folder.c_str());
    return ok ? 0 : 1;
}

int writeBig(const std::string& path, long records, int tags)
{
    if (records < 1 || records > 0x7FFFFFFF || tags < 1 || tags > 65535 || path.size() < 4) {
        std::fprintf(stderr, "vell-gen: bad arguments\n");
        return 2;
    }
    std::string tagPath = path.substr(0, path.size() - 3) + "tag";
    bool ok = WritePatternDatalog(path, static_cast<int32_t>(records), static_cast<int32_t>(records / 3),
                                  static_cast<uint16_t>(tags), kSampleStart) &&
              WriteFile(tagPath, BuildTagFile(SampleTagNames(static_cast<uint16_t>(tags))));
    if (!ok) std::fprintf(stderr, "vell-gen: cannot write %s\n", path.c_str());
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (const auto status = toolcmdline::AnswerHelpOrRefuse("vell-gen", argc, argv, kUsage)) return *status;
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "samples" && argc == 3) return writeSamples(argv[2]);
    if (mode == "big" && (argc == 4 || argc == 5)) {
        return writeBig(argv[2], std::strtol(argv[3], nullptr, 10), argc == 5 ? std::atoi(argv[4]) : 8);
    }
    std::fputs(kUsage, stderr);
    return 2;
}
