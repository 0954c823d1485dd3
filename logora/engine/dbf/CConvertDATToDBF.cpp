#include "logora/engine/dbf/CConvertDATToDBF.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "logora/engine/export/CDataFormatHelper.h"
#include "logora/engine/export/PlainTableWriter.h"
#include "logora/engine/settings/AppSettings.h"

namespace logora {

namespace {

// The size as the table was opened: a table read in place has no file.
bool HeaderFitsFile(const CDBF& table)
{
    return table.GetHeaderLength() > kDBFHeaderSize && table.GetHeaderLength() <= table.GetFileSize() &&
           table.GetRecordLength() >= 1;
}

}  // namespace

CConvertDATToDBF::CConvertDATToDBF(MappingErrorSink reportError)
    : reportError_(std::move(reportError)),
      floatLength_(settings::kDefaultFloatLength),
      floatDecimals_(settings::kDefaultDecimalCount)
{}

CConvertDATToDBF::~CConvertDATToDBF() = default;

bool CConvertDATToDBF::Open(const std::string& path)
{
    path_ = path;
    currentRecord_ = -1;
    auto table = std::make_unique<CDBF>(reportError_);
    if (!table->OpenRead(path) || !HeaderFitsFile(*table)) return false;
    table->ReadFieldDescriptors();
    table_ = std::move(table);
    return true;
}

void CConvertDATToDBF::Close()
{
    table_.reset();
    currentRecord_ = -1;
}

int64_t CConvertDATToDBF::GetRecordCount() const
{
    return table_ ? table_->GetRecordsHeld() : 0;
}

int64_t CConvertDATToDBF::GetAnnouncedRecordCount() const
{
    return table_ ? table_->GetRecordCount() : 0;
}

void CConvertDATToDBF::SetFloatFormat(int length, int decimals)
{
    floatLength_ = std::clamp(length, 1, 255);
    floatDecimals_ = std::clamp(decimals, 0, std::max(0, floatLength_ - 1));
}

int CConvertDATToDBF::GetFieldCount() const
{
    return table_ ? table_->GetFieldCount() : 0;
}

DBFField CConvertDATToDBF::GetField(int index) const
{
    return table_ ? table_->GetField(index) : DBFField{};
}

void CConvertDATToDBF::GetFieldNames(std::vector<std::string>& names) const
{
    for (int i = 0; i < GetFieldCount(); ++i) names.emplace_back(GetField(i).Name());
}

uint32_t CConvertDATToDBF::GetRecordLength() const
{
    return table_ ? table_->GetRecordLength() : 0;
}

bool CConvertDATToDBF::ReadRecord(int64_t index, const uint8_t** bytes)
{
    if (!table_ || !table_->ReadRecord(index, bytes) || *bytes == nullptr) return false;
    currentRecord_ = index;
    return true;
}

int64_t CConvertDATToDBF::ReadRecords(int64_t index, int64_t count, const uint8_t** bytes)
{
    const int64_t read = table_ ? table_->ReadRecords(index, count, bytes) : 0;
    if (read > 0) currentRecord_ = index;
    return read;
}

void CConvertDATToDBF::GetValue(int64_t record, int field, std::string& text)
{
    if (!table_ || field < 0 || field >= table_->GetFieldCount()) return;
    if (record != currentRecord_) {
        if (!table_->GoToRecord(record)) return;
        currentRecord_ = record;
    }
    CDataFormatHelper::FormatCellText(*table_, field, table_->GetField(field).Name(), text, floatLength_,
                                      floatDecimals_);
}

bool CConvertDATToDBF::Convert(const std::string& outputPath, ControlProcess& progress,
                               const std::vector<uint32_t>* records)
{
    CDBF source(reportError_);
    if (!source.OpenRead(path_) || !HeaderFitsFile(source)) return false;
    source.ReadFieldDescriptors();
    PlainTableWriter output(reportError_, floatLength_, floatDecimals_);
    if (!output.Create(outputPath)) return false;
    const uint32_t count = uint32_t(records ? records->size() : source.GetRecordsHeld());
    output.SetRecordCount(count);
    output.BeginRecords(source);
    for (uint32_t r = 0; r < count; ++r) {
        const uint8_t* bytes = nullptr;
        if (!source.ReadRecord(records ? (*records)[r] : r, &bytes) || bytes == nullptr) return false;
        output.TakeRecord(bytes);
        progress.SetProgress(count, r + 1);
        if (progress.IsCancelled()) break;
    }
    return output.End();
}

}  // namespace logora
