// Arbitrary bytes as a Zarn data file and its tag file, from memory: through
// the merge, each merged record formatted as the CSV export's line, and the
// data file loaded as a table as it is (as the document loads it when the
// merge refuses it): its cell texts, its trend samples and the plain dBASE
// fields Save As makes of its records.
// Input: 4 bytes little-endian length of the data file part, the data file,
// then the tag file (absent when empty).
#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "fuzz/common/FormattedRecords.h"
#include "fuzz/common/FuzzContext.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/convert/Conversion.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/document/TrendLoader.h"
#include "logora/engine/document/TrendRecord.h"
#include "logora/engine/document/TrendShape.h"
#include "logora/engine/export/CDataFormatHelper.h"
#include "logora/engine/export/PlainFieldPlan.h"
#include "logora/engine/zarn/CTagNameMerger.h"

namespace {

constexpr int64_t kMaxCellRecords = 64;

void IgnoreMappingError(const std::string&, const std::string&, const std::string&) {}

void Merge(std::span<const uint8_t> data, std::optional<std::span<const uint8_t>> tagFile)
{
    logora::CTagNameMerger merger(IgnoreMappingError);
    fuzzsupport::FormattedRecords lines;
    try {
        if (merger.OpenMemory(data, "Fuzz(1).DAT", tagFile)) logora::ConvertToSink(merger, lines);
    } catch (const logora::ConversionError&) {
        // An unreadable record or tag number: reported by the document.
    }
}

// The cell texts of the first records, as the list shows them.
void ShowCells(logora::CDBF& table)
{
    const logora::EngineContext& context = fuzzsupport::FuzzContext();
    std::string text;
    const int64_t records = std::min(table.GetRecordsHeld(), kMaxCellRecords);
    for (int64_t r = 0; r < records && table.GoToRecord(r); ++r) {
        for (int f = 0; f < table.GetFieldCount(); ++f) {
            logora::CDataFormatHelper::FormatCellText(table, f, table.GetField(f).Name(), text,
                                                      context.options.floatLength,
                                                      context.options.decimalCount);
        }
    }
}

// The trend samples of every record, as the plot loads them.
void LoadTrend(logora::CDBF& table, const std::vector<logora::DBFField>& fields)
{
    logora::HasTrendShape(fields);
    const logora::TrendLayout* layout = logora::FindTrendLayout(table.GetRecordLength());
    if (!layout) return;
    logora::TagPens pens;
    logora::TrendSamples samples;
    logora::TrendLoader loader(*layout, SIZE_MAX, pens, samples);
    const int64_t count = table.GetRecordsHeld();
    for (int64_t r = 0; r < count;) {
        const uint8_t* records = nullptr;
        const int64_t run = table.ReadRecords(r, count - r, &records);
        if (run == 0) break;
        for (int64_t i = 0; i < run; ++i) loader.Add(records + i * layout->recordLength);
        r += run;
    }
}

// The plain fields of the first records, as Save As converts them.
void MakePlainRecords(logora::CDBF& table, const std::vector<logora::DBFField>& fields)
{
    const logora::EngineContext& context = fuzzsupport::FuzzContext();
    uint32_t plainLength = 0;
    const std::vector<logora::PlainField> plan = logora::PlanPlainFields(
        fields, context.options.floatLength, context.options.decimalCount, plainLength);
    // The source record zero-extended, as the writer reads fields reaching past it.
    uint32_t sourceEnd = table.GetRecordLength();
    for (const logora::PlainField& field : plan)
        sourceEnd = std::max(sourceEnd, field.sourceDisplacement + field.sourceLength);
    std::vector<uint8_t> source(sourceEnd, 0);
    std::vector<char> plain(plainLength + 1, 0);
    const int64_t records = std::min(table.GetRecordsHeld(), kMaxCellRecords);
    for (int64_t r = 0; r < records; ++r) {
        const uint8_t* record = nullptr;
        if (!table.ReadRecord(r, &record) || record == nullptr) return;
        std::copy_n(record, table.GetRecordLength(), source.begin());
        for (const logora::PlainField& field : plan) {
            field.routine(&source[field.sourceDisplacement], field.sourceLength,
                          &plain[field.descriptor.displacement], field.descriptor.length,
                          field.descriptor.decimals);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4) return 0;
    size_t dataLength =
        size_t(data[0]) | size_t(data[1]) << 8 | size_t(data[2]) << 16 | size_t(data[3]) << 24;
    if (dataLength > size - 4) dataLength = size - 4;
    const std::span<const uint8_t> dataFile(data + 4, dataLength);
    std::optional<std::span<const uint8_t>> tagFile;
    if (size - 4 > dataLength)
        tagFile = std::span<const uint8_t>(data + 4 + dataLength, size - 4 - dataLength);
    Merge(dataFile, tagFile);

    logora::CDBF table(IgnoreMappingError);
    // The document loads only a table whose header fits the file.
    if (!table.OpenMemory(dataFile, "Fuzz(1).DAT") || table.GetHeaderLength() <= logora::kDBFHeaderSize ||
        table.GetHeaderLength() > dataFile.size() || table.GetRecordLength() < 1)
        return 0;
    table.ReadFieldDescriptors();
    std::vector<logora::DBFField> fields;
    for (int f = 0; f < table.GetFieldCount(); ++f) fields.push_back(table.GetField(f));
    ShowCells(table);
    LoadTrend(table, fields);
    MakePlainRecords(table, fields);
    return 0;
}
