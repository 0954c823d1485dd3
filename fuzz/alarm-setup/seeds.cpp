// Writes seed archives for the alarm setup harness into the folder given as
// the only argument: the sample machine's setup in several versions, with
// UTF-16 texts and with escaped counts.
#include <cstdio>
#include <filesystem>
#include <string>

#include "AlarmLogSample.h"
#include "SampleSet.h"

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    const std::filesystem::path folder(argv[1]);
    bool ok = true;
    for (int32_t version : {1, 2, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14}) {
        alarmgen::SampleSetup setup = alarmgen::MachineSetup(version);
        setup.wideText = version % 2 == 0;
        setup.escapedCounts = version % 3 == 0;
        const std::string name = "setup-v" + std::to_string(version);
        ok = alarmgen::WriteBytesToFile((folder / name).string(), alarmgen::BuildSetupArchive(setup)) && ok;
    }
    return ok ? 0 : 1;
}
