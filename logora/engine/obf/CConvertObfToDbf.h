#pragma once
// Converts a Zarn .OBF datalog (a dBASE-style container whose records are
// packed binary structures) into an ordinary dBASE table with one text
// column per item: Date, Time, Millitm, TagIndex, CommError, Marker, Value,
// Internal. Times are broken down in the machine's local time zone.

#include <cstdint>
#include <memory>
#include <string>

#include "logora/engine/dbf/CDBF.h"

namespace logora {

class ControlProcess;

class CConvertObfToDbf
{
public:
    explicit CConvertObfToDbf(std::string inputPath);

    // Width and decimals of the Value column: the viewer's FloatLength and
    // DecimalCount at the time of the conversion (17 and 8 unless set).
    void SetFloatFormat(int floatLength, int decimalCount);

    // False when the input cannot be opened, has no column descriptor,
    // has records too short for their layout, or the table cannot be
    // created (GetFailureReason says why); otherwise converts and returns
    // true, also after a cancel. Throws TableWriteError when the table could
    // not be written completely, and std::invalid_argument, naming the file
    // and the records missing, when the input holds fewer records than its
    // header announces (after the table was completed with those it holds).
    bool Convert(const std::string& tablePath);
    bool Convert(const std::string& tablePath, ControlProcess& progress);
    // The same, building the table into `sink` instead of a file
    // (CDBF::OpenSink); the table cannot fail to be created then.
    bool Convert(CDBFRecordSink& sink);

    // Why Convert returned false: the file and what is wrong with it.
    const std::string& GetFailureReason() const { return failureReason_; }

private:
    void DeclareColumns();
    // Opens the input and checks that its records fit their layout.
    bool OpenInput();
    // Writes the records of the opened input into the opened output.
    bool ConvertRecords(ControlProcess& progress);
    std::unique_ptr<ControlProcess> OpenConversionProgress() const;

    std::string inputPath_;
    CDBF input_;
    CDBF output_;
    uint32_t recordCount_ = 0;
    int floatLength_ = 17;
    int decimalCount_ = 8;
    std::string failureReason_;
};

}  // namespace logora
