// Writes seed .OBF files for the .OBF harness into the folder given as the
// only argument: both record layouts, a header promising more records than
// the file holds, and a container without columns.
#include <filesystem>

#include "ObfSample.h"

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    const std::filesystem::path folder(argv[1]);
    const auto records = obfgen::PlantRecords(8);
    bool ok = obfgen::WriteObfFile((folder / "aligned.obf").string(), {12, true, records, -1});
    ok = obfgen::WriteObfFile((folder / "packed.obf").string(), {10, true, records, -1}) && ok;
    ok = obfgen::WriteObfFile((folder / "short.obf").string(), {12, true, records, 100}) && ok;
    ok = obfgen::WriteObfFile((folder / "nocolumns.obf").string(), {12, false, {}, 2}) && ok;
    return ok ? 0 : 1;
}
