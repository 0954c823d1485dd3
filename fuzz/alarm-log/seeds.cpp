// Writes seed inputs for the alarm log harness into the folder given as the
// only argument: the sample history in every generator layout, with and
// without an embedded alarm file, and a log with stray bytes.
#include <filesystem>
#include <string>

#include "AlarmLogInput.h"
#include "SampleSet.h"

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    const std::filesystem::path folder(argv[1]);
    const auto history = alarmgen::MachineHistory(12);
    const auto embedded = alarmgen::BuildEmbeddedFile(alarmgen::MachineEmbeddedTexts(12));
    bool ok = true;
    for (uint8_t index = 0; index < std::size(alarmfuzz::kVersions); ++index) {
        const int version = alarmfuzz::kVersions[index];
        const auto log = alarmgen::BuildAlarmLog(version, history, 3, index);
        const std::string name = "log-v" + std::to_string(version);
        ok = alarmgen::WriteBytesToFile((folder / name).string(), alarmfuzz::Join(index, {}, log)) && ok;
        ok = alarmgen::WriteBytesToFile((folder / (name + "-embedded")).string(),
                                        alarmfuzz::Join(index, embedded, log)) &&
             ok;
    }
    return ok ? 0 : 1;
}
