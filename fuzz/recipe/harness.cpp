// Recipe files through the conversion: arbitrary bytes as a whole file, and
// valid compound files whose streams hold arbitrary bytes.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzInput.h"
#include "fuzz/common/FuzzContext.h"
#include "fuzz/common/ScratchFolder.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/convert/Conversion.h"
#include "logora/engine/recipe/CConvertRppToDBF.h"
#include "platform/compound/CompoundWriter.h"

namespace {

// A private folder for the files of one input.
const std::filesystem::path& workFolder()
{
    static const std::filesystem::path folder = fuzzsupport::ScratchFolder();
    return folder;
}

bool writeInput(const std::string& path, const uint8_t* data, size_t size)
{
    if (size == 0) return false;
    if (data[0] % 2 == 0) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
        return static_cast<bool>(out);
    }
    const std::vector<recipefuzz::Bytes> streams = recipefuzz::UnpackStreams(data + 1, size - 1);
    std::vector<platform::CompoundElement> elements;
    for (size_t i = 0; i < streams.size(); ++i)
        elements.push_back({recipefuzz::StreamPaths()[i], streams[i]});
    return platform::WriteCompoundFile(path, elements);
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
    const std::string input = (workFolder() / "input.rpp").string();
    if (!writeInput(input, data, size)) return 0;
    logora::CConvertRppToDBF converter(fuzzsupport::FuzzContext());
    try {
        converter.Open(input);
        logora::ConvertToTableFile(converter, (workFolder() / "out.dbf").string(),
                                   fuzzsupport::FuzzContext().run.MappingErrors());
    } catch (const logora::ConversionError&) {
        // A recipe the converter refuses: reported by the document.
    }
    return 0;
}
