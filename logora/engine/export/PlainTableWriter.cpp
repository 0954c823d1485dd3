#include "logora/engine/export/PlainTableWriter.h"

#include <algorithm>
#include <cstring>

#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"

namespace logora {

namespace {

constexpr uint32_t kMaxRecordLength = 65535;

std::vector<DBFField> FieldsOf(const CDBF& table)
{
    std::vector<DBFField> fields;
    for (int i = 0; i < table.GetFieldCount(); ++i) fields.push_back(table.GetField(i));
    return fields;
}

}  // namespace

PlainTableWriter::PlainTableWriter(const MappingErrorSink& reportError, int floatLength, int floatDecimals)
    : reportError_(reportError), floatLength_(floatLength), floatDecimals_(floatDecimals)
{}

PlainTableWriter::~PlainTableWriter()
{
    output_.reset();
    replacement_.Discard();
}

bool PlainTableWriter::Create(const std::string& path)
{
    output_ = std::make_unique<CDBF>(reportError_);
    if (output_->Create(path)) return true;
    output_.reset();
    return false;
}

void PlainTableWriter::BeginRecords(const CDBF& table)
{
    uint32_t recordLength = 0;
    plan_ = PlanPlainFields(FieldsOf(table), floatLength_, floatDecimals_, recordLength);
    if (!output_ || recordLength > kMaxRecordLength) {
        failed_ = true;
        return;
    }
    DBFHeader header = table.GetHeader();
    header.recordLength = uint16_t(recordLength);
    header.recordCount = recordCount_.value_or(header.recordCount);
    // Only the descriptors written here precede the records.
    header.headerLength = uint16_t(kDBFHeaderSize * (plan_.size() + 1) + 1);
    output_->WriteRawHeader(header);
    for (const PlainField& field : plan_) output_->WriteField(field.descriptor);
    output_->WriteHeaderTerminator();

    sourceLength_ = table.GetRecordLength();
    uint32_t sourceEnd = sourceLength_;
    for (const PlainField& field : plan_)
        sourceEnd = std::max(sourceEnd, field.sourceDisplacement + field.sourceLength);
    sourceRecord_.assign(sourceEnd, 0);
    record_.assign(recordLength + 1, 0);
    record_[0] = char(kDBFRecordLive);
}

void PlainTableWriter::TakeRecord(const uint8_t* record)
{
    if (failed_) return;
    std::memcpy(sourceRecord_.data(), record, sourceLength_);
    for (const PlainField& field : plan_) {
        field.routine(&sourceRecord_[field.sourceDisplacement], field.sourceLength,
                      &record_[field.descriptor.displacement], field.descriptor.length,
                      field.descriptor.decimals);
    }
    output_->WriteBytes(record_.data(), uint32_t(record_.size() - 1));
}

bool PlainTableWriter::End()
{
    // A failed append, write or final cut shows here, not in the file's size.
    const bool written = !failed_ && output_ && output_->Finish();
    output_.reset();
    return written;
}

bool PlainTableWriter::Prepare(const std::string& path)
{
    if (replacement_.Begin(path) && Create(replacement_.TemporaryPath())) return true;
    replacement_.Discard();
    return false;
}

bool PlainTableWriter::Finish(bool complete)
{
    const bool ended = End();
    if (complete && ended && replacement_.Commit()) return true;
    replacement_.Discard();
    if (complete && run_ != nullptr)
        run_->ReportError(strings::OutputCannotBeWritten, replacement_.TargetPath());
    return false;
}

}  // namespace logora
