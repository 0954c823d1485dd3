// Fuzzes the alarm log conversion end to end: the log in the chosen
// generator layout, the embedded alarm file beside it and the sample
// machine's setup file, written to a scratch folder and converted into a table there.
#include <filesystem>
#include <fstream>
#include <string>

#include "AlarmLogInput.h"
#include "SampleSet.h"
#include "fuzz/common/ScratchFolder.h"
#include "logora/engine/alarm/CConvertAlmToDBF.h"
#include "logora/engine/run/ConsoleProgress.h"
#include "logora/engine/run/RunState.h"

namespace {

void Write(const std::string& path, std::span<const uint8_t> bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The sample machine's setup file and the error log live in the scratch folder.
const std::string& Scratch()
{
    static const std::string folder = [] {
        const std::string& scratch = fuzzsupport::ScratchFolder();
        alarmgen::WriteSetupFile(scratch + "/setup.mal", alarmgen::MachineSetup(6));
        logora::RunState().EnterCommandLineMode(scratch + "/fuzz");
        return scratch;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& folder = Scratch();
    const alarmfuzz::AlarmLogInput input = alarmfuzz::Split(std::span<const uint8_t>(data, size));
    std::error_code ignored;
    std::filesystem::remove(folder + "/embedded.alm", ignored);
    if (!input.embedded.empty()) Write(folder + "/embedded.alm", input.embedded);
    Write(folder + "/log.alm", input.log);

    logora::CConvertAlmToDBF converter(input.version);
    logora::CConsoleProgress quiet;
    if (converter.Open(folder + "/log.alm") && converter.CreateTable(folder + "/out.dbf")) {
        converter.LoadSetup(folder + "/setup.mal");
        converter.Convert(quiet);
    }
    return 0;
}
