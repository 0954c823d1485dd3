// Fuzzes the alarm log conversion end to end, from memory: the log in the
// chosen generator layout, the embedded alarm file beside it and the sample
// machine's setup archive, converted into a table whose records are dropped.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "AlarmLogInput.h"
#include "SampleSet.h"
#include "fuzz/common/FuzzContext.h"
#include "logora/engine/alarm/CConvertAlmToDBF.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/run/ConsoleProgress.h"

namespace {

class DroppedRecords final : public logora::DBFRecordSink
{
public:
    void BeginRecords(const logora::CDBF&) override {}
    void TakeRecord(const uint8_t*) override {}
};

// Made once; reports of bad inputs go to the harness's context, which drops them.
const std::vector<uint8_t>& SetupArchive()
{
    static const std::vector<uint8_t> archive = alarmgen::BuildSetupArchive(alarmgen::MachineSetup(6));
    return archive;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t>& setup = SetupArchive();
    const alarmfuzz::AlarmLogInput input = alarmfuzz::Split(std::span<const uint8_t>(data, size));
    logora::CConvertAlmToDBF converter(fuzzsupport::FuzzContext(), input.version);
    DroppedRecords table;
    logora::ConsoleProgress quiet;
    try {
        converter.OpenMemory(input.log, "log.alm", input.embedded);
        converter.LoadSetupArchive(setup);
        logora::CDBF records;
        records.OpenSink(table);
        converter.Declare(records);
        converter.Run(records, quiet);
    } catch (const logora::ConversionError&) {
        // A log the converter refuses: reported by the document.
    }
    return 0;
}
