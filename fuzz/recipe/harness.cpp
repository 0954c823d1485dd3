// Recipe files through the conversion from memory: arbitrary bytes as a
// whole file, and valid compound files whose streams hold arbitrary bytes,
// each record formatted as the CSV export's line.
#include <cstdint>
#include <optional>
#include <vector>

#include "FuzzInput.h"
#include "fuzz/common/FormattedRecords.h"
#include "fuzz/common/FuzzContext.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/convert/Conversion.h"
#include "logora/engine/recipe/CConvertRppToDBF.h"
#include "platform/compound/CompoundWriter.h"

namespace {

// The recipe file an input stands for; nothing when there is none.
std::optional<recipefuzz::Bytes> recipeOf(const uint8_t* data, size_t size)
{
    if (size == 0) return std::nullopt;
    if (data[0] % 2 == 0) return recipefuzz::Bytes(data + 1, data + size);
    const std::vector<recipefuzz::Bytes> streams = recipefuzz::UnpackStreams(data + 1, size - 1);
    std::vector<platform::CompoundElement> elements;
    for (size_t i = 0; i < streams.size(); ++i)
        elements.push_back({recipefuzz::StreamPaths()[i], streams[i]});
    return platform::CompoundFileBytes(elements);
}

}  // namespace

// The compound-file library leaks on some malformed files; the suppression in
// tests/support/lsan.supp names its frames, which only the slow unwinder
// finds in a library built without frame pointers.
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<recipefuzz::Bytes> recipe = recipeOf(data, size);
    if (!recipe) return 0;
    logora::CConvertRppToDBF converter(fuzzsupport::FuzzContext());
    fuzzsupport::FormattedRecords lines;
    try {
        converter.OpenMemory(*recipe, "input.rpp");
        logora::ConvertToSink(converter, lines);
    } catch (const logora::ConversionError&) {
        // A recipe the converter refuses: reported by the document.
    }
    return 0;
}
