#pragma once
// Converts an alarm log (.ALM) into a dBASE table: one record per alarm, with
// the trigger's tag and the message text when the alarm setup file could be
// loaded, messages from "embedded.alm" beside the log winning over the
// setup file's.
//
// A setup file that cannot be used does not stop the conversion: the table
// then has no tag and message columns.

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "logora/engine/alarm/AlarmRecord.h"
#include "logora/engine/alarm/AlarmRecordMaker.h"
#include "logora/engine/alarm/CAlarmSetup.h"
#include "logora/engine/alarm/CEmbeddedAlarmReader.h"
#include "logora/engine/convert/Converter.h"
#include "logora/engine/export/ItemLines.h"
#include "logora/engine/largefile/CLargeFile.h"

namespace logora {

class ControlProcess;
class ConversionError;
struct EngineContext;

class CConvertAlmToDBF : public Converter, public ItemLineMaking
{
public:
    // `version`: the generator version (1, 2, 3, 5, 6; anything else reads
    // 32-byte records). `setupPath`: the alarm setup file Open loads (none
    // when empty).
    CConvertAlmToDBF(const EngineContext& context, int version, std::string setupPath = {});

    // Remembers the path, loads the embedded file beside it, opens the log
    // and loads the setup file; refused when the log cannot be opened or the
    // embedded file or the setup file was refused (no regular file, or too
    // large).
    bool Open(const std::string& logPath) override;
    // Open for bytes in memory: `log` read in place of the log file, `name`
    // standing for its path, `embedded` as the embedded file's bytes (empty
    // when there is none). Both must outlive the conversion.
    void OpenMemory(std::span<const uint8_t> log, const std::string& name, std::span<const uint8_t> embedded);
    // True when the setup file was loaded; false when it is missing or
    // unusable. Refused when the setup file itself is (no regular file, or
    // too large).
    bool LoadSetup(const std::string& setupPath);
    // LoadSetup for a setup archive already in memory.
    bool LoadSetupArchive(std::span<const uint8_t> archive);
    // Refused with 30802 and why when the log is shorter than its header or
    // its format number is not 3, followed by "Convert log file error".
    void Declare(CDBF& table) override;
    // Converts up to a cancel; refused with which record could not be read
    // when a read of the log fails (the file became shorter, say), followed
    // by "Convert log file error". Reports 30804 when the setup file does not
    // match every alarm.
    void Run(CDBF& table) override;
    // The same with a progress reporter of the caller's.
    void Run(CDBF& table, ControlProcess& progress);
    [[noreturn]] void RefuseTable(const std::string& failure) const override { Refuse(failure); }

    bool IsSetupLoaded() const { return setupLoaded_; }
    uint32_t GetRecordCount() const { return recordCount_; }

    // The records of the log's raw records, built by makers of an export's
    // threads while Convert reads.
    size_t ItemLength() const override { return layout_.size; }
    std::unique_ptr<RecordMaker> MakerFor(DBFRecordSink& sink) const override;
    // The list-form lines straight from the log's records (AlarmLineStage).
    std::unique_ptr<RecordStage> ItemLineStage(std::unique_ptr<ListLineFormatter> lines) const override;
    std::unique_ptr<ItemTableStage> ItemTableStageFor(std::unique_ptr<TableFormLines>) const override
    {
        return nullptr;
    }
    // The log's records read where they are (AlarmTableInPlace): whether the
    // setup matches every alarm is told here, as Run tells it, by a look-up
    // of the alarms up to the first that does not match.
    bool ReadInPlace(std::shared_ptr<InPlaceTable>& table) override;

private:
    [[noreturn]] void Refuse(const std::string& detail) const;
    // The log's unreadable header or record, refused with `messageId`.
    ConversionError Unreadable(uint32_t messageId, const std::string& detail) const;
    // Up to `wanted` records from the read position on: in place, read at
    // once, or where that fails copied into `items` one by one up to the
    // record that cannot be read; `read` tells how many.
    const uint8_t* ReadBatch(uint8_t* items, uint32_t wanted, uint32_t& read);
    // Refuses the conversion at `record`, which could not be read.
    [[noreturn]] void RefuseUnreadRecord(uint32_t record) const;
    // The texts the makers share, once Declare has run.
    AlarmTableTexts TableTexts();
    // Looks the alarms up from the first on, until one the setup does not
    // match (clearing allMatched_) or a cancel of `progress`; the alarms the
    // table then holds: all, or those before the cancel. Refused as Run
    // refuses a record that cannot be read.
    uint32_t MatchAlarms(ControlProcess& progress);

    const EngineContext& context_;
    std::string setupPath_;
    AlarmRecordLayout layout_;
    // Shared with the tables read in place, which outlive the conversion.
    std::shared_ptr<CAlarmSetup> setup_;
    bool setupLoaded_ = false;
    CLargeFile log_;
    std::string logPath_;
    bool fromFile_ = false;
    std::shared_ptr<CEmbeddedAlarmReader> embedded_;
    bool embeddedPresent_ = false;
    uint64_t readPosition_ = 0;
    uint32_t recordCount_ = 0;
    std::atomic<bool> allMatched_ = true;
    AlarmColumns columns_{};
    AlarmTableTexts tableTexts_{};
};

}  // namespace logora
