// obf-gen <folder>: writes sample Zarn .OBF datalogs in both record layouts
// (plant-aligned.obf, plant-packed.obf) into <folder>.

#include <cstdio>
#include <filesystem>

#include "ObfSample.h"
#include "tools/cmdline/GeneratorOptions.h"

int main(int argc, char** argv)
{
    constexpr const char* kUsage = "usage: obf-gen <folder>\n";
    if (const auto status = toolcmdline::AnswerHelpOrRefuse("obf-gen", argc, argv, kUsage)) return *status;
    if (argc != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    obfgen::ObfSample aligned{12, true, obfgen::PlantRecords(200), -1};
    obfgen::ObfSample packed{10, true, obfgen::PlantRecords(200), -1};
    if (!obfgen::WriteObfFile((folder / "plant-aligned.obf").string(), aligned) ||
        !obfgen::WriteObfFile((folder / "plant-packed.obf").string(), packed)) {
        std::fprintf(stderr, "obf-gen: cannot write the samples into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
