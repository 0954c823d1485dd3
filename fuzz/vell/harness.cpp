// Datalog and tag file bytes through the Vell conversion from memory, each
// record formatted as the CSV export's line.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "fuzz/common/FormattedRecords.h"
#include "fuzz/common/FuzzContext.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/convert/Conversion.h"
#include "logora/engine/vell/CConvertLogToDBF.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A zone with summer time, so the destination clock meets its changes.
    static const int zoneSet = setenv("TZ", "Europe/Berlin", 1);
    (void)zoneSet;
    if (size < 4) return 0;
    size_t logSize = size_t{data[0]} | size_t{data[1]} << 8 | size_t{data[2]} << 16 | size_t{data[3]} << 24;
    if (logSize > size - 4) return 0;
    const std::span<const uint8_t> log(data + 4, logSize);
    std::optional<std::span<const uint8_t>> tagFile;
    if (size - 4 > logSize) tagFile = std::span<const uint8_t>(data + 4 + logSize, size - 4 - logSize);

    logora::CConvertLogToDBF converter(fuzzsupport::FuzzContext());
    fuzzsupport::FormattedRecords lines;
    try {
        converter.OpenMemory(log, "input.log", tagFile);
        logora::ConvertToSink(converter, lines);
    } catch (const logora::ConversionError&) {
        // Refused inputs, unknown tag numbers and corrupt rings: reported by the document.
    }
    return 0;
}
