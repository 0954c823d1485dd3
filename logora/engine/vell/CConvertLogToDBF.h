#pragma once
// Converts a Vell datalog (.log), with its tag file (.tag) when there is one,
// into a dBASE table with one record per logged value, the time stamps shown
// in the destination time zone.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/bytes/ByteSource.h"
#include "logora/engine/convert/Converter.h"
#include "logora/engine/export/ItemLines.h"
#include "logora/engine/largefile/CLargeFile.h"
#include "logora/engine/timezone/OffsetClock.h"
#include "logora/engine/vell/VellRecord.h"
#include "logora/engine/vell/VellRecordMaker.h"
#include "logora/engine/vell/VellRing.h"

namespace logora {

struct EngineContext;

class CConvertLogToDBF : public Converter, public ItemLineMaking
{
public:
    explicit CConvertLogToDBF(const EngineContext& context);
    ~CConvertLogToDBF();
    CConvertLogToDBF(const CConvertLogToDBF&) = delete;
    CConvertLogToDBF& operator=(const CConvertLogToDBF&) = delete;

    // Opens the datalog for reading (refused when that fails) and, when it can
    // be opened, the tag file: the path with its last three characters
    // replaced by "tag", or the file whose name differs from that only in
    // letter case. A missing tag file is no error; it selects the table
    // layout with tag numbers. A tag file that is no regular file (a named
    // pipe, a folder) fails the open.
    bool Open(const std::string& path) override;
    // Open for bytes in memory: `log` read in place of the datalog, `name`
    // standing for its path, `tagFile` as the tag file's bytes (none when
    // absent). Both must outlive the conversion.
    void OpenMemory(std::span<const uint8_t> log, const std::string& name,
                    std::optional<std::span<const uint8_t>> tagFile);
    // Validates the datalog's header and the tag file's (a wrong one in
    // either is refused), reads the tag names and lays out the table.
    void Declare(CDBF& table) override;
    // Writes every record. Cancelling stops after the current record and
    // still succeeds. Stops for a record that cannot be read or a tag number
    // beyond the tag file's names (after the records before it were
    // written), and for a corrupt datalog (after the records that exist
    // were written and the table completed).
    void Run(CDBF& table) override;
    [[noreturn]] void RefuseTable(const std::string& failure) const override { Refuse(logPath_, failure); }

    bool HasTagFile() const override { return tagFileOpen_; }
    // The tag names (with a tag file) or "0" up to the highest tag index seen.
    const std::vector<std::string>& TagNames() const override { return tagList_; }
    bool TableFormKnownBeforeRecords() const override { return tagFileOpen_; }
    // The tag index (tag number - 1) of the record being written.
    size_t CurrentTag() const override { return size_t(currentTagIndex_); }
    void KeepRecordTagsWhenNamesAlike(std::vector<uint16_t>* tags) override { recordTags_ = tags; }

    // The records of the datalog's records, built by makers of an export's
    // threads while Run reads.
    size_t ItemLength() const override;
    std::string ItemProblem(const uint8_t* item) const override;
    size_t TakeItemTag(const uint8_t* item) override;
    std::vector<uint8_t> HeaderRead() const override { return headerRead_; }
    // A datalog opened from its file reads in place.
    bool ReadInPlace(std::shared_ptr<InPlaceTable>& table) override;
    std::unique_ptr<RecordMaker> MakerFor(DBFRecordSink& sink) const override;
    // An export's lines straight from the datalog's records.
    std::unique_ptr<RecordStage> ItemLineStage(std::unique_ptr<ListLineFormatter> lines) const override;
    std::unique_ptr<ItemTableStage> ItemTableStageFor(std::unique_ptr<TableFormLines> lines) const override;

private:
    // Refused with the datalog or tag file and what is wrong with it.
    [[noreturn]] void Refuse(const std::string& file, const std::string& detail) const;
    void ReadLogHeader();
    void ReadTagNames();
    // The `count` records from `index` on, in one read window unless
    // `count` is 1; stops the conversion when they cannot be read.
    const uint8_t* RecordsAt(int64_t index, int64_t count);
    // Checks the tag number of the record at `position` (throws for one
    // beyond the tag list) and notes its tag.
    void TakeTag(const vell::VellRecord& record, int64_t position);
    // Why the tag file does not name the tag of `record`; empty when it does.
    std::string UnnamedTag(const vell::VellRecord& record) const;

    const EngineContext& context_;
    CLargeFile log_;
    std::unique_ptr<common::ByteSource> tagFile_;
    std::string tagFilePath_;
    std::vector<std::string> tagList_;
    std::string logPath_;
    bool tagFileOpen_ = false;
    bool fromFile_ = false;
    std::vector<uint8_t> headerRead_;
    int32_t recordCount_ = 0;
    int32_t oldestIndex_ = 0;
    int32_t newestIndex_ = 0;
    int highestTagIndex_ = 0;
    int currentTagIndex_ = -1;
    std::vector<uint16_t>* recordTags_ = nullptr;
    bool keepRecordTags_ = false;

    // Per conversion: the ring order, the destination clock, and the layout
    // its makers share.
    vell::RingPlan plan_;
    std::unique_ptr<OffsetClock> clock_;
    VellTableLayout layout_;
};

}  // namespace logora
