#pragma once
// Converts a Zarn .OBF datalog (a dBASE-style container whose records are
// packed binary structures) into an ordinary dBASE table with one text
// column per item: Date, Time, Millitm, TagIndex, CommError, Marker, Value,
// Internal. Times are broken down in the machine's local time zone.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "logora/engine/convert/Converter.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/export/ItemLines.h"
#include "logora/engine/obf/ObfRecordMaker.h"

namespace logora {

class ControlProcess;
struct EngineContext;

class CConvertObfToDbf : public Converter, public ItemLineMaking
{
public:
    explicit CConvertObfToDbf(const EngineContext& context);

    // Width and decimals of the Value column: the viewer's FloatLength and
    // DecimalCount at the time of the conversion (17 and 8 unless set).
    void SetFloatFormat(int floatLength, int decimalCount);

    // Refused (the detail alone) when the input cannot be opened, has no
    // column descriptor or has records too short for their layout.
    bool Open(const std::string& path) override;
    // Open for bytes in memory, `name` standing for their path; the bytes
    // must outlive the conversion.
    void OpenMemory(std::span<const uint8_t> bytes, const std::string& name);
    void Declare(CDBF& table) override;
    // Converts, also up to a cancel. Stops, naming the file and the records
    // missing, when the input holds fewer records than its header announces
    // (after the table was completed with those it holds).
    void Run(CDBF& table) override;
    // The same with a progress reporter of the caller's.
    void Run(CDBF& table, ControlProcess& progress);
    [[noreturn]] void RefuseTable(const std::string& failure) const override { Refuse(failure); }

    // The records of the packed records, built by makers of an export's
    // threads while Convert reads.
    size_t ItemLength() const override { return tableLayout_.ItemLength(); }
    std::unique_ptr<RecordMaker> MakerFor(DBFRecordSink& sink) const override;
    // An export's lines straight from the packed records; the table form
    // goes through the records.
    std::unique_ptr<RecordStage> ItemLineStage(std::unique_ptr<ListLineFormatter> lines) const override;
    std::unique_ptr<ItemTableStage> ItemTableStageFor(std::unique_ptr<TableFormLines>) const override
    {
        return nullptr;
    }
    // A datalog opened from its file reads in place.
    bool ReadInPlace(std::shared_ptr<InPlaceTable>& table) override;

private:
    [[noreturn]] void Refuse(const std::string& detail) const;
    // Refuses an opened input whose records have no layout.
    void CheckLayout() const;
    // Stops the conversion of an input that holds only `converted` of the
    // records its header announces.
    [[noreturn]] void StopShort(uint32_t converted) const;

    const EngineContext& context_;
    std::string inputPath_;
    CDBF input_;
    bool fromFile_ = false;
    uint32_t recordCount_ = 0;
    int floatLength_ = 17;
    int decimalCount_ = 8;
    ObfTableLayout tableLayout_{ObfLayout(0), 0, 0, 0};
};

}  // namespace logora
