#include "logora/engine/alarm/CConvertAlmToDBF.h"

#include <algorithm>
#include <cstring>

#include "common/bytes/ByteReader.h"
#include "logora/engine/alarm/AlarmInPlace.h"
#include "logora/engine/alarm/AlarmLineStage.h"
#include "logora/engine/alarm/AlarmTextLookup.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/dbf/CompleteTable.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"

namespace logora {

namespace {

constexpr uint32_t kFormatNumber = 3;
// Records are read in batches of this many.
constexpr uint32_t kBatchSize = 64;

}  // namespace

CConvertAlmToDBF::CConvertAlmToDBF(const EngineContext& context, int version, std::string setupPath)
    : context_(context),
      setupPath_(std::move(setupPath)),
      layout_(AlarmRecordLayout::ForVersion(version)),
      setup_(std::make_shared<CAlarmSetup>(context.codePage)),
      log_(context.run.MappingErrors()),
      embedded_(std::make_shared<CEmbeddedAlarmReader>(context.codePage))
{}

void CConvertAlmToDBF::Refuse(const std::string& detail) const
{
    throw ConversionError(ConversionError::Kind::Refused, logPath_, strings::ConvertLogFileError, detail);
}

bool CConvertAlmToDBF::Open(const std::string& logPath)
{
    logPath_ = logPath;
    embeddedPresent_ = embedded_->Load(CEmbeddedAlarmReader::EmbeddedPathFor(logPath));
    if (!embedded_->GetRefusal().empty()) Refuse(embedded_->GetRefusal());
    if (!log_.OpenRead(logPath)) Refuse(log_.GetFailure());
    fromFile_ = true;
    LoadSetup(setupPath_);
    return true;
}

void CConvertAlmToDBF::OpenMemory(std::span<const uint8_t> log, const std::string& name,
                                  std::span<const uint8_t> embedded)
{
    logPath_ = name;
    embeddedPresent_ = !embedded.empty();
    embedded_->LoadBytes(embedded);
    if (!log_.OpenMemory(log, name)) Refuse(log_.GetFailure());
}

bool CConvertAlmToDBF::LoadSetup(const std::string& setupPath)
{
    setupLoaded_ = setup_->Load(setupPath);
    if (!setup_->GetRefusal().empty()) Refuse(setup_->GetRefusal());
    return setupLoaded_;
}

bool CConvertAlmToDBF::LoadSetupArchive(std::span<const uint8_t> archive)
{
    setupLoaded_ = setup_->LoadArchive(archive);
    return setupLoaded_;
}

ConversionError CConvertAlmToDBF::Unreadable(uint32_t messageId, const std::string& detail) const
{
    return ConversionError(ConversionError::Kind::Refused, logPath_, messageId, detail)
        .ThenReport(strings::ConvertLogFileError);
}

void CConvertAlmToDBF::Declare(CDBF& table)
{
    if (!log_.IsOpen()) Refuse(logPath_ + ": no log to convert");
    uint8_t head[kAlarmLogHeaderSize];
    if (!log_.ReadInto(head, 0, kAlarmLogHeaderSize)) {
        throw Unreadable(strings::AlarmFileCannotBeOpened,
                         logPath_ + ": " + std::to_string(log_.GetPosition()) + " bytes, fewer than the " +
                             std::to_string(kAlarmLogHeaderSize) + " of an alarm log header");
    }
    if (const uint32_t format = ByteReader::decode<uint32_t>(head); format != kFormatNumber) {
        throw Unreadable(strings::AlarmFileCannotBeOpened,
                         logPath_ + ": format number " + std::to_string(format) + " at byte 0, expected " +
                             std::to_string(kFormatNumber))
            .AtOffset(0);
    }
    readPosition_ = kAlarmLogHeaderSize;
    const uint64_t records = (log_.GetPosition() - kAlarmLogHeaderSize) / layout_.size;
    // The table header holds a 32-bit count; a larger log is not one the
    // terminals write, and is converted up to that count.
    recordCount_ = records > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(records);

    columns_ = AlarmColumns::Declare(table, setupLoaded_);
    table.WriteHeader(recordCount_);
}

void CConvertAlmToDBF::Run(CDBF& table)
{
    Run(table, *context_.OpenProgress(std::string(LoadString(strings::ConvertingAlarmCaption)),
                                      FormatString(strings::ConvertingFile, logPath_)));
}

void CConvertAlmToDBF::Run(CDBF& table, ControlProcess& progress)
{
    progress.SetMessage(FormatString(strings::ConvertingFile, logPath_));

    tableTexts_ = TableTexts();
    // An export on several threads builds the records there; otherwise
    // they are built here, by the same maker.
    ItemIntake* intake = table.TakeItemsOf(*this);
    ItemsEnd itemsEnd(intake);
    AlarmRecordMaker maker(tableTexts_, table, columns_);
    uint8_t items[kBatchSize * AlarmRecordLayout::kLargestSize];
    bool cancelled = false;
    for (uint32_t done = 0; done < recordCount_ && !cancelled;) {
        const uint32_t wanted = std::min(kBatchSize, recordCount_ - done);
        uint32_t read = 0;
        const uint8_t* batch = ReadBatch(items, wanted, read);
        // A cancel ends the conversion after the record it came with.
        uint32_t taken = 0;
        while (taken < read && !cancelled) {
            progress.SetProgress(recordCount_, ++done);
            ++taken;
            cancelled = progress.IsCancelled();
        }
        if (intake != nullptr)
            intake->TakeItems(batch, taken);
        else
            maker.Make(batch, taken);
        if (read < wanted && !cancelled) RefuseUnreadRecord(done);
    }
    itemsEnd.Now();
    const uint8_t endOfFile = kDBFEndOfFile;
    table.WriteBytes(&endOfFile, 1);
    CompleteTable(table, logPath_);
    if (setupLoaded_ && !allMatched_) context_.run.ReportError(strings::AlarmSetupMismatch);
}

const uint8_t* CConvertAlmToDBF::ReadBatch(uint8_t* items, uint32_t wanted, uint32_t& read)
{
    if (const uint8_t* batch = log_.View(readPosition_, static_cast<uint32_t>(wanted * layout_.size))) {
        readPosition_ += wanted * layout_.size;
        read = wanted;
        return batch;
    }
    // Record by record, up to the one that cannot be read.
    read = 0;
    while (read < wanted &&
           log_.ReadInto(items + read * layout_.size, readPosition_, static_cast<uint32_t>(layout_.size))) {
        readPosition_ += layout_.size;
        ++read;
    }
    return items;
}

void CConvertAlmToDBF::RefuseUnreadRecord(uint32_t record) const
{
    const std::string& why = log_.GetFailure();
    throw Unreadable(ConversionError::kNoMessage, logPath_ + ": record " + std::to_string(record) +
                                                      " cannot be read" +
                                                      (why.empty() ? "" : " (" + why + ")"))
        .AtRecord(record)
        .AtOffset(readPosition_);
}

AlarmTableTexts CConvertAlmToDBF::TableTexts()
{
    return {layout_, setupLoaded_ ? setup_.get() : nullptr, embeddedPresent_ ? embedded_.get() : nullptr,
            &allMatched_};
}

bool CConvertAlmToDBF::ReadInPlace(std::shared_ptr<InPlaceTable>& table)
{
    if (!fromFile_) return false;
    MadeTableShape shape = DeclaredShape();
    tableTexts_ = TableTexts();
    uint32_t held = recordCount_;
    if (setupLoaded_) {
        held = MatchAlarms(*context_.OpenProgress(std::string(LoadString(strings::ConvertingAlarmCaption)),
                                                  FormatString(strings::ConvertingFile, logPath_)));
    }
    shape.recordsHeld = held;
    shape.endMark = true;
    LastRecord last;
    if (held > 0) {
        last.offset = kAlarmLogHeaderSize + uint64_t(held - 1) * layout_.size;
        last.bytes.resize(layout_.size);
        if (!log_.ReadInto(last.bytes.data(), last.offset, static_cast<uint32_t>(layout_.size)))
            RefuseUnreadRecord(held - 1);
    }
    AlarmTableTexts readerTexts = tableTexts_;
    readerTexts.allMatched = nullptr;
    table = AlarmTableInPlace(logPath_, {setup_, embedded_, readerTexts}, std::move(shape), std::move(last),
                              context_.run.MappingErrors());
    if (setupLoaded_ && !allMatched_) context_.run.ReportError(strings::AlarmSetupMismatch);
    return true;
}

uint32_t CConvertAlmToDBF::MatchAlarms(ControlProcess& progress)
{
    uint8_t items[kBatchSize * AlarmRecordLayout::kLargestSize];
    readPosition_ = kAlarmLogHeaderSize;
    for (uint32_t done = 0; done < recordCount_;) {
        const uint32_t wanted = std::min(kBatchSize, recordCount_ - done);
        uint32_t read = 0;
        const uint8_t* batch = ReadBatch(items, wanted, read);
        for (uint32_t i = 0; i < read; ++i) {
            if (!SetupMatches(tableTexts_, AlarmRecord::Decode(batch + i * layout_.size, layout_))) {
                allMatched_ = false;
                return recordCount_;
            }
        }
        done += read;
        if (read < wanted) RefuseUnreadRecord(done);
        progress.SetProgress(recordCount_, done);
        if (progress.IsCancelled()) return done;
    }
    return recordCount_;
}

std::unique_ptr<RecordMaker> CConvertAlmToDBF::MakerFor(DBFRecordSink& sink) const
{
    return std::make_unique<AlarmRecordMaker>(tableTexts_, sink);
}

std::unique_ptr<RecordStage> CConvertAlmToDBF::ItemLineStage(std::unique_ptr<ListLineFormatter> lines) const
{
    return std::make_unique<AlarmLineStage>(tableTexts_, std::move(lines));
}

}  // namespace logora
