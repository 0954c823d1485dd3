// Datalog and tag file bytes through the Vell conversion into a table, and
// straight into a CSV file (the table form when there is a tag file).
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/common/FuzzContext.h"
#include "fuzz/common/ScratchFolder.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/convert/Conversion.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/vell/CConvertLogToDBF.h"

namespace {

// A private folder for the files of one input.
const std::filesystem::path& workFolder()
{
    static const std::filesystem::path folder = [] {
        setenv("TZ", "Europe/Berlin", 1);
        return std::filesystem::path(fuzzsupport::ScratchFolder());
    }();
    return folder;
}

void writeFile(const std::filesystem::path& path, const uint8_t* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4) return 0;
    size_t logSize = size_t{data[0]} | size_t{data[1]} << 8 | size_t{data[2]} << 16 | size_t{data[3]} << 24;
    if (logSize > size - 4) return 0;
    const auto& folder = workFolder();
    writeFile(folder / "input.log", data + 4, logSize);
    std::filesystem::remove(folder / "input.tag");
    const bool withTags = size - 4 > logSize;
    if (withTags) writeFile(folder / "input.tag", data + 4 + logSize, size - 4 - logSize);

    {
        logora::CConvertLogToDBF converter(fuzzsupport::FuzzContext());
        try {
            converter.Open((folder / "input.log").string());
            logora::ConvertToTableFile(converter, (folder / "out.dbf").string(),
                                       fuzzsupport::FuzzContext().run.MappingErrors());
        } catch (const logora::ConversionError&) {
            // Refused inputs, unknown tag numbers and corrupt rings: reported by the document.
        }
    }
    logora::CDatReaderDoc document(fuzzsupport::FuzzContext());
    document.SetExportForm(withTags ? logora::CDatReaderDoc::kTableForm : logora::CDatReaderDoc::kListForm);
    document.ExportStraightToCsv((folder / "input.log").string(), (folder / "out.csv").string());
    return 0;
}
