#include "logora/engine/alarm/CConvertAlmToDBF.h"

#include "logora/engine/alarm/AlarmTextFormat.h"
#include "logora/engine/common/ByteReader.h"
#include "logora/engine/dbf/TableWriteError.h"
#include "logora/engine/run/ProgressFactory.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"

namespace logora {

namespace {

constexpr uint32_t kFormatNumber = 3;
constexpr uint64_t kHeaderSize = 12;
constexpr int kNumberLength = 10;
constexpr int kTextLength = 255;
constexpr int kTimeLength = 20;
constexpr const char* kNotFound = "not found";

}  // namespace

CConvertAlmToDBF::CConvertAlmToDBF(int version) : layout_(AlarmRecordLayout::ForVersion(version)) {}

bool CConvertAlmToDBF::Open(const std::string& logPath)
{
    logPath_ = logPath;
    embeddedPresent_ = embedded_.Load(CEmbeddedAlarmReader::EmbeddedPathFor(logPath));
    if (!embedded_.GetRefusal().empty()) return false;
    return log_.OpenRead(logPath);
}

bool CConvertAlmToDBF::OpenMemory(std::span<const uint8_t> log, const std::string& name,
                                  std::span<const uint8_t> embedded)
{
    logPath_ = name;
    embeddedPresent_ = !embedded.empty();
    embedded_.LoadBytes(embedded);
    return log_.OpenMemory(log, name);
}

std::string CConvertAlmToDBF::GetFailureReason() const
{
    if (!embedded_.GetRefusal().empty()) return embedded_.GetRefusal();
    return log_.IsOpen() ? table_.GetFailure() : log_.GetFailure();
}

bool CConvertAlmToDBF::CreateTable(const std::string& tablePath)
{
    return table_.Open(tablePath, CDBF::kModeCreate);
}

bool CConvertAlmToDBF::CreateTable(CDBFRecordSink& sink)
{
    return table_.OpenSink(sink);
}

bool CConvertAlmToDBF::LoadSetup(const std::string& setupPath)
{
    setupLoaded_ = setup_.Load(setupPath);
    return setupLoaded_;
}

bool CConvertAlmToDBF::LoadSetupArchive(std::span<const uint8_t> archive)
{
    setupLoaded_ = setup_.LoadArchive(archive);
    return setupLoaded_;
}

void CConvertAlmToDBF::DeclareColumns()
{
    int next = 0;
    auto add = [&](const char* name, char type, int length, bool present) {
        if (!present) return -1;
        table_.AddField(name, type, length, 0);
        return next++;
    };
    columns_.trigIdx = add("TrigIdx", 'N', kNumberLength, true);
    columns_.trigTag = add("TrigTag", 'C', kTextLength, setupLoaded_);
    columns_.id = add("ID", 'N', kNumberLength, true);
    columns_.message = add("Message", 'C', kTextLength, setupLoaded_);
    columns_.evIndex = add("EVIndex", 'N', kNumberLength, true);
    columns_.allTrigMsg = add("AllTrigMsg", 'N', kNumberLength, true);
    columns_.active = add("Active", 'N', kNumberLength, true);
    columns_.timeOn = add("TimeOn", 'C', kTimeLength, true);
    columns_.timeAck = add("TimeAck", 'C', kTimeLength, true);
}

bool CConvertAlmToDBF::Convert()
{
    auto progress = OpenProgress(std::string(LoadString(strings::ConvertingAlarmCaption)),
                                 FormatString(strings::ConvertingFile, logPath_));
    return Convert(*progress);
}

bool CConvertAlmToDBF::Convert(ControlProcess& progress)
{
    if (!log_.IsOpen() || !table_.IsOpen()) return false;
    uint8_t head[kHeaderSize];
    if (!log_.Read(head, 0, kHeaderSize, true)) {
        ReportFailure(strings::AlarmFileCannotBeOpened,
                      logPath_ + ": " + std::to_string(log_.GetPosition()) + " bytes, fewer than the " +
                          std::to_string(kHeaderSize) + " of an alarm log header");
        return false;
    }
    if (const uint32_t format = ByteReader::decode<uint32_t>(head); format != kFormatNumber) {
        ReportFailure(strings::AlarmFileCannotBeOpened, logPath_ + ": format number " +
                                                            std::to_string(format) + " at byte 0, expected " +
                                                            std::to_string(kFormatNumber));
        return false;
    }
    readPosition_ = kHeaderSize;
    const uint64_t records = (log_.GetPosition() - kHeaderSize) / layout_.size;
    // The table header holds a 32-bit count; a larger log is not one the
    // terminals write, and is converted up to that count.
    recordCount_ = records > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(records);

    DeclareColumns();
    table_.WriteHeader(recordCount_);
    progress.SetMessage(FormatString(strings::ConvertingFile, logPath_));

    for (uint32_t done = 0; done < recordCount_; ++done) {
        const uint8_t* bytes = nullptr;
        if (!log_.Read(&bytes, readPosition_, static_cast<uint32_t>(layout_.size), false)) {
            const std::string& why = log_.GetFailure();
            ReportDetail(logPath_ + ": record " + std::to_string(done) + " cannot be read" +
                         (why.empty() ? "" : " (" + why + ")"));
            return false;
        }
        readPosition_ += layout_.size;
        ConvertRecord(AlarmRecord::Decode(bytes, layout_));
        progress.SetProgress(recordCount_, done + 1);
        if (progress.IsCancelled()) break;
    }
    const uint8_t endOfFile = kDBFEndOfFile;
    table_.WriteBytes(&endOfFile, 1);
    CompleteTable(table_);
    if (setupLoaded_ && !allMatched_) ReportError(strings::AlarmSetupMismatch);
    return true;
}

const std::string& CConvertAlmToDBF::MessageFor(const AlarmRecord& record) const
{
    if (embeddedPresent_) {
        const std::string& text = embedded_.Lookup(static_cast<uint32_t>(record.eventIndex));
        if (!text.empty()) return text;
    }
    return setup_.FindMessage(record.triggerIndex, record.triggerValue);
}

void CConvertAlmToDBF::ConvertRecord(const AlarmRecord& record)
{
    SetNumber(columns_.trigIdx, record.triggerIndex);
    SetNumber(columns_.id, record.triggerValue);
    if (setupLoaded_) {
        // A negative index addresses no trigger, like one beyond the last.
        if (record.triggerIndex >= 0 && record.triggerIndex < setup_.GetTriggerCount()) {
            table_.SetFieldString(columns_.trigTag, setup_.GetTrigger(record.triggerIndex).tagName);
        } else {
            table_.SetFieldString(columns_.trigTag, kNotFound);
            allMatched_ = false;
        }
        const std::string& message = MessageFor(record);
        if (message.empty()) allMatched_ = false;
        table_.SetFieldString(columns_.message, message.empty() ? std::string_view(kNotFound) : message);
    }
    SetNumber(columns_.evIndex, record.eventIndex);
    SetNumber(columns_.allTrigMsg, record.allTriggerMessage ? 1 : 0);
    SetNumber(columns_.active, record.active ? 1 : 0);
    SetTime(columns_.timeOn, record.timeOn);
    SetTime(columns_.timeAck, record.timeAcknowledged);
    table_.AppendRecord();
}

void CConvertAlmToDBF::SetNumber(int field, int32_t value)
{
    char text[kNumberLength];
    FormatFixedWidthInt(value, kNumberLength, text);
    table_.SetFieldString(field, std::string_view(text, kNumberLength));
}

void CConvertAlmToDBF::SetTime(int field, int64_t seconds)
{
    if (seconds <= 0) {
        table_.SetFieldString(field, "0");
        return;
    }
    table_.SetFieldString(field, timeText_.Format(seconds));
}

}  // namespace logora
