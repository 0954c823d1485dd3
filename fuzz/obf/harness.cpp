// Fuzzes the .OBF conversion: the container's header and descriptors, both
// record layouts, short and missing records. The input is written to a
// scratch folder and converted into a table there.
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/common/FuzzContext.h"
#include "fuzz/common/ScratchFolder.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/obf/CConvertObfToDbf.h"
#include "logora/engine/run/ConsoleProgress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& folder = fuzzsupport::ScratchFolder();
    const std::string input = folder + "/in.obf";
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    logora::CConvertObfToDbf converter(fuzzsupport::FuzzContext());
    logora::ConsoleProgress quiet;
    try {
        converter.Open(input);
        logora::CDBF table;
        if (!table.Create(folder + "/out.dbf")) return 0;
        converter.Declare(table);
        converter.Run(table, quiet);
    } catch (const logora::ConversionError&) {
        // A container refused, or shorter than its header says: reported by the document.
    }
    return 0;
}
