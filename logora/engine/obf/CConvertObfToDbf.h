#pragma once
// Converts a Zarn .OBF datalog (a dBASE-style container whose records are
// packed binary structures) into an ordinary dBASE table with one text
// column per item: Date, Time, Millitm, TagIndex, CommError, Marker, Value,
// Internal. Times are broken down in the machine's local time zone.

#include <cstdint>
#include <memory>
#include <string>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/dbf/RecordMaking.h"
#include "logora/engine/obf/ObfRecordMaker.h"

namespace logora {

class ControlProcess;
struct EngineContext;

// Every failure is a ConversionError naming the file and what is wrong.
class CConvertObfToDbf : public RecordMaking
{
public:
    CConvertObfToDbf(const EngineContext& context, std::string inputPath);

    // Width and decimals of the Value column: the viewer's FloatLength and
    // DecimalCount at the time of the conversion (17 and 8 unless set).
    void SetFloatFormat(int floatLength, int decimalCount);

    // Refused (the detail alone) when the input cannot be opened, has no
    // column descriptor, has records too short for their layout, or the
    // table cannot be created; otherwise converts, also up to a cancel.
    // Stops, naming the file and the records missing, when the input holds
    // fewer records than its header announces (after the table was completed
    // with those it holds).
    void Convert(const std::string& tablePath);
    void Convert(const std::string& tablePath, ControlProcess& progress);
    // The same, building the table into `sink` instead of a file
    // (CDBF::OpenSink).
    void Convert(CDBFRecordSink& sink);

    // The records of the packed records, built by makers of an export's
    // threads while Convert reads.
    size_t ItemLength() const override { return tableLayout_.ItemLength(); }
    std::unique_ptr<RecordMaker> MakerFor(CDBFRecordSink& sink) const override;

private:
    [[noreturn]] void Refuse(const std::string& detail) const;
    // Opens the input and checks that its records fit their layout.
    void OpenInput();
    // Writes the records of the opened input into the opened output.
    void ConvertRecords(ControlProcess& progress);
    std::unique_ptr<ControlProcess> OpenConversionProgress() const;

    const EngineContext& context_;
    std::string inputPath_;
    CDBF input_;
    CDBF output_;
    uint32_t recordCount_ = 0;
    int floatLength_ = 17;
    int decimalCount_ = 8;
    ObfTableLayout tableLayout_{ObfLayout(0), 0, 0, 0};
};

}  // namespace logora
