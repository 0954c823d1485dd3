// Fuzzes the .OBF conversion from memory: the container's header and
// descriptors, both record layouts, short and missing records, each record
// formatted as the CSV export's line.
#include <cstdint>
#include <span>

#include "fuzz/common/FormattedRecords.h"
#include "fuzz/common/FuzzContext.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/convert/Conversion.h"
#include "logora/engine/obf/CConvertObfToDbf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    logora::CConvertObfToDbf converter(fuzzsupport::FuzzContext());
    fuzzsupport::FormattedRecords lines;
    try {
        converter.OpenMemory(std::span<const uint8_t>(data, size), "in.obf");
        logora::ConvertToSink(converter, lines);
    } catch (const logora::ConversionError&) {
        // A container refused, or shorter than its header says: reported by the document.
    }
    return 0;
}
