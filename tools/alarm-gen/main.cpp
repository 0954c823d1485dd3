// alarm-gen <folder>: writes sample alarm setup files (several versions,
// plain and compound), alarm logs of every generator version and an
// embedded alarm file into <folder>.

#include <cstdio>

#include "SampleSet.h"
#include "tools/cmdline/GeneratorOptions.h"

int main(int argc, char** argv)
{
    constexpr const char* kUsage = "usage: alarm-gen <folder>\n";
    if (const auto status = toolcmdline::AnswerHelpOrRefuse("alarm-gen", argc, argv, kUsage)) return *status;
    if (argc != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!alarmgen::WriteSampleSet(argv[1])) {
        std::fprintf(stderr, "alarm-gen: cannot write the samples into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
