#include "logora/engine/alarm/CConvertAlmToDBF.h"

#include <algorithm>

#include "logora/engine/alarm/AlarmTextFormat.h"
#include "logora/engine/common/ByteReader.h"
#include "logora/engine/common/Prefetch.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/dbf/CompleteTable.h"
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
constexpr uint32_t kBatchSize = 16;

}  // namespace

CConvertAlmToDBF::CConvertAlmToDBF(const EngineContext& context, int version)
    : context_(context),
      layout_(AlarmRecordLayout::ForVersion(version)),
      setup_(context.codePage),
      log_(context.run.MappingErrors()),
      table_(context.run.MappingErrors()),
      embedded_(context.codePage)
{}

void CConvertAlmToDBF::Refuse(const std::string& detail) const
{
    throw ConversionError(ConversionError::Kind::Refused, logPath_, strings::ConvertLogFileError, detail);
}

void CConvertAlmToDBF::Open(const std::string& logPath)
{
    logPath_ = logPath;
    embeddedPresent_ = embedded_.Load(CEmbeddedAlarmReader::EmbeddedPathFor(logPath));
    if (!embedded_.GetRefusal().empty()) Refuse(embedded_.GetRefusal());
    if (!log_.OpenRead(logPath)) Refuse(log_.GetFailure());
}

void CConvertAlmToDBF::OpenMemory(std::span<const uint8_t> log, const std::string& name,
                                  std::span<const uint8_t> embedded)
{
    logPath_ = name;
    embeddedPresent_ = !embedded.empty();
    embedded_.LoadBytes(embedded);
    if (!log_.OpenMemory(log, name)) Refuse(log_.GetFailure());
}

void CConvertAlmToDBF::CreateTable(const std::string& tablePath)
{
    if (!table_.Open(tablePath, CDBF::kModeCreate)) Refuse(table_.GetFailure());
}

void CConvertAlmToDBF::CreateTable(CDBFRecordSink& sink)
{
    if (!table_.OpenSink(sink)) Refuse(table_.GetFailure());
}

bool CConvertAlmToDBF::LoadSetup(const std::string& setupPath)
{
    setupLoaded_ = setup_.Load(setupPath);
    if (!setup_.GetRefusal().empty()) Refuse(setup_.GetRefusal());
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

void CConvertAlmToDBF::Convert()
{
    auto progress = context_.OpenProgress(std::string(LoadString(strings::ConvertingAlarmCaption)),
                                          FormatString(strings::ConvertingFile, logPath_));
    Convert(*progress);
}

void CConvertAlmToDBF::Convert(ControlProcess& progress)
{
    const auto unreadable = [&](uint32_t messageId, const std::string& detail) {
        return ConversionError(ConversionError::Kind::Refused, logPath_, messageId, detail)
            .ThenReport(strings::ConvertLogFileError);
    };
    if (!log_.IsOpen() || !table_.IsOpen()) Refuse(logPath_ + ": no log or no table to convert into");
    uint8_t head[kHeaderSize];
    if (!log_.Read(head, 0, kHeaderSize, true)) {
        throw unreadable(strings::AlarmFileCannotBeOpened,
                         logPath_ + ": " + std::to_string(log_.GetPosition()) + " bytes, fewer than the " +
                             std::to_string(kHeaderSize) + " of an alarm log header");
    }
    if (const uint32_t format = ByteReader::decode<uint32_t>(head); format != kFormatNumber) {
        throw unreadable(strings::AlarmFileCannotBeOpened,
                         logPath_ + ": format number " + std::to_string(format) + " at byte 0, expected " +
                             std::to_string(kFormatNumber))
            .AtOffset(0);
    }
    readPosition_ = kHeaderSize;
    const uint64_t records = (log_.GetPosition() - kHeaderSize) / layout_.size;
    // The table header holds a 32-bit count; a larger log is not one the
    // terminals write, and is converted up to that count.
    recordCount_ = records > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(records);

    DeclareColumns();
    table_.WriteHeader(recordCount_);
    progress.SetMessage(FormatString(strings::ConvertingFile, logPath_));

    // Alarms are taken in small batches whose setup texts are fetched from
    // memory before they are converted: a log names its triggers in any
    // order, and a large setup does not stay in the caches.
    AlarmRecord alarms[kBatchSize];
    AlarmTexts texts[kBatchSize];
    bool cancelled = false;
    for (uint32_t done = 0; done < recordCount_ && !cancelled;) {
        const uint32_t wanted = std::min(kBatchSize, recordCount_ - done);
        uint32_t read = 0;
        for (const uint8_t* bytes = nullptr;
             read < wanted && log_.Read(&bytes, readPosition_, static_cast<uint32_t>(layout_.size), false);
             ++read) {
            readPosition_ += layout_.size;
            alarms[read] = AlarmRecord::Decode(bytes, layout_);
            if (setupLoaded_) setup_.Prefetch(alarms[read].triggerIndex, alarms[read].triggerValue);
        }
        for (uint32_t i = 0; i < read; ++i) PrepareTexts(alarms[i], texts[i]);
        for (uint32_t i = 0; i < read && !cancelled; ++i) {
            ConvertRecord(alarms[i], texts[i]);
            progress.SetProgress(recordCount_, ++done);
            cancelled = progress.IsCancelled();
        }
        if (read < wanted && !cancelled) {
            const std::string& why = log_.GetFailure();
            throw unreadable(ConversionError::kNoMessage, logPath_ + ": record " + std::to_string(done) +
                                                              " cannot be read" +
                                                              (why.empty() ? "" : " (" + why + ")"))
                .AtRecord(done)
                .AtOffset(readPosition_);
        }
    }
    const uint8_t endOfFile = kDBFEndOfFile;
    table_.WriteBytes(&endOfFile, 1);
    CompleteTable(table_, logPath_);
    if (setupLoaded_ && !allMatched_) context_.run.ReportError(strings::AlarmSetupMismatch);
}

std::string_view CConvertAlmToDBF::MessageFor(const AlarmRecord& record) const
{
    if (embeddedPresent_) {
        const std::string& text = embedded_.Lookup(static_cast<uint32_t>(record.eventIndex));
        if (!text.empty()) return text;
    }
    return setup_.FindMessage(record.triggerIndex, record.triggerValue);
}

void CConvertAlmToDBF::PrepareTexts(const AlarmRecord& record, AlarmTexts& texts)
{
    if (setupLoaded_) {
        // A negative index addresses no trigger, like one beyond the last.
        texts.triggerKnown = record.triggerIndex >= 0 && record.triggerIndex < setup_.GetTriggerCount();
        texts.tag = texts.triggerKnown ? setup_.TagName(record.triggerIndex) : std::string_view();
        texts.message = MessageFor(record);
        Prefetch(texts.tag.data());
        Prefetch(texts.message.data());
    }
    texts.timeOnLength = TimeText(record.timeOn, texts.timeOn);
    texts.timeAckLength = TimeText(record.timeAcknowledged, texts.timeAck);
}

size_t CConvertAlmToDBF::TimeText(int64_t seconds, char* out)
{
    if (seconds > 0) return timeText_.Format(seconds, out);
    out[0] = '0';
    return 1;
}

void CConvertAlmToDBF::ConvertRecord(const AlarmRecord& record, const AlarmTexts& texts)
{
    table_.SetFieldInt(columns_.trigIdx, record.triggerIndex);
    table_.SetFieldInt(columns_.id, record.triggerValue);
    if (setupLoaded_) {
        allMatched_ = allMatched_ && texts.triggerKnown && !texts.message.empty();
        table_.SetFieldString(columns_.trigTag, texts.triggerKnown ? texts.tag : std::string_view(kNotFound));
        table_.SetFieldString(columns_.message,
                              texts.message.empty() ? std::string_view(kNotFound) : texts.message);
    }
    table_.SetFieldInt(columns_.evIndex, record.eventIndex);
    table_.SetFieldInt(columns_.allTrigMsg, record.allTriggerMessage ? 1 : 0);
    table_.SetFieldInt(columns_.active, record.active ? 1 : 0);
    table_.SetFieldString(columns_.timeOn, std::string_view(texts.timeOn, texts.timeOnLength));
    table_.SetFieldString(columns_.timeAck, std::string_view(texts.timeAck, texts.timeAckLength));
    table_.AppendRecord();
}

}  // namespace logora
