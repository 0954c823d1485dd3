// Arbitrary bytes as a Zarn data file and its tag file, through the merge,
// the load, the cell texts, the trend samples, Save As plain dBASE and the
// CSV export straight from the merge (the form chosen by the first byte).
// Input: 4 bytes little-endian length of the data file part, the data file,
// then the tag file (absent when empty).
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "fuzz/common/FuzzContext.h"
#include "fuzz/common/ScratchFolder.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/run/ConsoleProgress.h"

namespace {

constexpr int64_t kMaxCellRecords = 64;

// The input files and the temporary tables go in the scratch folder.
const std::string& Folder()
{
    static const std::string& folder = fuzzsupport::ScratchFolder();
    return folder;
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& folder = Folder();
    const std::string dataPath = folder + "/Fuzz(1).DAT";
    const std::string tagPath = folder + "/Fuzz(Tagname).DAT";
    const std::string savedPath = folder + "/saved.dbf";
    std::remove(tagPath.c_str());
    if (size < 4) return 0;
    size_t dataLength =
        size_t(data[0]) | size_t(data[1]) << 8 | size_t(data[2]) << 16 | size_t(data[3]) << 24;
    if (dataLength > size - 4) dataLength = size - 4;
    WriteFile(dataPath, data + 4, dataLength);
    if (size - 4 > dataLength) WriteFile(tagPath, data + 4 + dataLength, size - 4 - dataLength);

    logora::CDatReaderDoc document(fuzzsupport::FuzzContext());
    if (document.ConvertAndLoad(dataPath)) {
        std::string text;
        const int64_t records =
            document.GetRecordCount() < kMaxCellRecords ? document.GetRecordCount() : kMaxCellRecords;
        for (int64_t r = 0; r < records; ++r) {
            for (int f = 0; f < document.GetFieldCount(); ++f) document.GetValue(r, f, text);
        }
        logora::ConsoleProgress progress;
        document.IsTrendTable();
        document.LoadTrendData(progress);
        document.GetTable().Convert(savedPath, progress);
    }
    document.OnCloseDocument();
    logora::CDatReaderDoc straight(fuzzsupport::FuzzContext());
    straight.SetExportForm(data[0] & 1 ? logora::CDatReaderDoc::kTableForm
                                       : logora::CDatReaderDoc::kListForm);
    straight.ExportStraightToCsv(dataPath, folder + "/out.csv");
    return 0;
}
