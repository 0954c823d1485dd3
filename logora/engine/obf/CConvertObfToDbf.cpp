#include "logora/engine/obf/CConvertObfToDbf.h"

#include <cstdio>
#include <ctime>

#include "logora/engine/context/ConversionError.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/dbf/CompleteTable.h"
#include "logora/engine/obf/ObfRecord.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"

namespace logora {

namespace {

enum Column { kDate, kTime, kMillitm, kTagIndex, kCommError, kMarker, kValue, kInternal };

// Local date and time texts; a time that cannot be broken down gives year,
// month and day 0 and -1 for hour, minute and second. The records of one
// time stamp (one per tag) follow each other, so the texts of the last time
// are kept.
class LocalTimeTexts
{
public:
    void Store(CDBF& table, uint32_t seconds)
    {
        if (!known_ || seconds != seconds_) Format(seconds);
        table.SetFieldString(kDate, std::string_view(date_, dateLength_));
        table.SetFieldString(kTime, std::string_view(time_, timeLength_));
    }

private:
    // `value` as exactly `count` digits.
    static void PutDigits(char* out, int value, int count)
    {
        for (int i = count - 1; i >= 0; --i, value /= 10) out[i] = static_cast<char>('0' + value % 10);
    }

    void Format(uint32_t seconds)
    {
        std::tm parts{};
        const time_t time = static_cast<time_t>(seconds);
        int year = 0, month = 0, day = 0, hour = -1, minute = -1, second = -1;
        if (localtime_r(&time, &parts)) {
            year = parts.tm_year + 1900;
            month = parts.tm_mon + 1;
            day = parts.tm_mday;
            hour = parts.tm_hour;
            minute = parts.tm_min;
            second = parts.tm_sec;
        }
        if (year >= 1000 && year <= 9999) {
            // "%4d%02d%02d" and "%02d:%02d:%02d" of a broken-down time.
            PutDigits(date_, year, 4);
            PutDigits(date_ + 4, month, 2);
            PutDigits(date_ + 6, day, 2);
            dateLength_ = 8;
            PutDigits(time_, hour, 2);
            time_[2] = ':';
            PutDigits(time_ + 3, minute, 2);
            time_[5] = ':';
            PutDigits(time_ + 6, second, 2);
            timeLength_ = 8;
        } else {
            dateLength_ = Length(std::snprintf(date_, sizeof date_, "%4d%02d%02d", year, month, day));
            timeLength_ = Length(std::snprintf(time_, sizeof time_, "%02d:%02d:%02d", hour, minute, second));
        }
        seconds_ = seconds;
        known_ = true;
    }

    static size_t Length(int written) { return written > 0 ? static_cast<size_t>(written) : 0; }

    char date_[48] = {};
    char time_[48] = {};
    size_t dateLength_ = 0;
    size_t timeLength_ = 0;
    uint32_t seconds_ = 0;
    bool known_ = false;
};

}  // namespace

CConvertObfToDbf::CConvertObfToDbf(const EngineContext& context, std::string inputPath)
    : context_(context),
      inputPath_(std::move(inputPath)),
      input_(context.run.MappingErrors()),
      output_(context.run.MappingErrors())
{}

void CConvertObfToDbf::Refuse(const std::string& detail) const
{
    throw ConversionError(ConversionError::Kind::Refused, inputPath_, ConversionError::kNoMessage, detail);
}

void CConvertObfToDbf::SetFloatFormat(int floatLength, int decimalCount)
{
    floatLength_ = floatLength;
    decimalCount_ = decimalCount;
}

void CConvertObfToDbf::DeclareColumns()
{
    output_.AddField("Date", 'D', 8, 0);
    output_.AddField("Time", 'C', 8, 0);
    output_.AddField("Millitm", 'N', 3, 0);
    output_.AddField("TagIndex", 'N', 10, 0);
    output_.AddField("CommError", 'C', 1, 0);
    output_.AddField("Marker", 'C', 1, 0);
    output_.AddField("Value", 'F', floatLength_, decimalCount_);
    output_.AddField("Internal", 'N', 10, 0);
}

std::unique_ptr<ControlProcess> CConvertObfToDbf::OpenConversionProgress() const
{
    return context_.OpenProgress(std::string(LoadString(strings::ConvertingLogCaption)),
                                 FormatString(strings::ConvertingFile, inputPath_));
}

void CConvertObfToDbf::Convert(const std::string& tablePath)
{
    Convert(tablePath, *OpenConversionProgress());
}

void CConvertObfToDbf::Convert(CDBFRecordSink& sink)
{
    const auto progress = OpenConversionProgress();
    OpenInput();
    if (!output_.OpenSink(sink)) Refuse(output_.GetFailure());
    ConvertRecords(*progress);
}

void CConvertObfToDbf::OpenInput()
{
    if (!input_.Open(inputPath_, CDBF::kModeRead) || !input_.ReadFieldDescriptors())
        Refuse(input_.GetFailure());
    // The layout is chosen by the first column's length: without a column
    // there is no layout, and records too short for it cannot be read.
    if (input_.GetFieldCount() == 0) {
        Refuse(inputPath_ + ": header length " + std::to_string(input_.GetHeaderLength()) +
               " leaves no room for a column descriptor; the record layout needs the first column");
    }
    const ObfLayout layout(input_.GetField(0).length);
    if (input_.GetRecordLength() < layout.RequiredBytes()) {
        Refuse(inputPath_ + ": records of " + std::to_string(input_.GetRecordLength()) +
               " bytes, but a first column of " + std::to_string(input_.GetField(0).length) +
               " bytes needs records of " + std::to_string(layout.RequiredBytes()));
    }
}

void CConvertObfToDbf::Convert(const std::string& tablePath, ControlProcess& progress)
{
    OpenInput();
    if (!output_.Open(tablePath, CDBF::kModeCreate)) Refuse(output_.GetFailure());
    ConvertRecords(progress);
}

void CConvertObfToDbf::ConvertRecords(ControlProcess& progress)
{
    const ObfLayout layout(input_.GetField(0).length);
    const uint32_t recordLength = input_.GetRecordLength();
    recordCount_ = static_cast<uint32_t>(input_.GetRecordCount());
    DeclareColumns();
    output_.WriteHeader(recordCount_);
    progress.SetMessage(FormatString(strings::ConvertingFile, inputPath_));

    LocalTimeTexts localTime;
    uint32_t converted = 0;
    bool cancelled = false;
    for (uint32_t index = 0; index < recordCount_ && !cancelled; ++index) {
        const uint8_t* bytes = nullptr;
        if (!input_.ReadRecord(index, &bytes) || !bytes) break;
        const auto record = layout.Decode(std::span(bytes, recordLength));
        if (!record) break;
        localTime.Store(output_, record->time);
        output_.SetFieldInt(kMillitm, record->milliseconds);
        output_.SetFieldInt(kTagIndex, record->tagIndex);
        output_.SetFieldChar(kCommError, static_cast<char>(record->commError));
        output_.SetFieldChar(kMarker, static_cast<char>(record->marker));
        output_.SetFieldDouble(kValue, record->value);
        output_.SetFieldInt(kInternal, record->internal);
        output_.AppendRecord();
        converted = index + 1;
        progress.SetProgress(recordCount_, converted);
        cancelled = progress.IsCancelled();
    }
    const uint8_t endOfFile = kDBFEndOfFile;
    output_.WriteBytes(&endOfFile, 1);
    CompleteTable(output_, inputPath_);
    if (!cancelled && converted < recordCount_) {
        throw ConversionError::Stopped(
            inputPath_, inputPath_ + ": the header announces " + std::to_string(recordCount_) +
                            " records of " + std::to_string(recordLength) +
                            " bytes, but the file holds only " + std::to_string(converted) + " (" +
                            std::to_string(recordCount_ - converted) + " missing)")
            .AtRecord(converted);
    }
}

}  // namespace logora
