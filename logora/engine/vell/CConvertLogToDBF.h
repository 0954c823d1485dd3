#pragma once
// Converts a Vell datalog (.log), with its tag file (.tag) when there is one,
// into a dBASE table with one record per logged value, the time stamps shown
// in the destination time zone.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/dbf/RecordMaking.h"
#include "logora/engine/largefile/CLargeFile.h"
#include "logora/engine/timezone/OffsetClock.h"
#include "logora/engine/vell/VellRecord.h"
#include "logora/engine/vell/VellRecordMaker.h"
#include "platform/files/InputFile.h"

namespace logora {

struct EngineContext;

// Every failure is a ConversionError naming the file and what is wrong.
class CConvertLogToDBF : public RecordMaking
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
    void OpenLog(const std::string& path);

    // Creates the output table (replacing a file of that name).
    void CreateTable(const std::string& tablePath);
    // Builds the table into `sink` instead of a file.
    void CreateTable(CDBFRecordSink& sink);

    // Validates the datalog and the tag file and writes every record; a wrong
    // header in either file is refused. Cancelling stops after the current
    // record and still succeeds. Stops for a record that cannot be read or a
    // tag number beyond the tag file's names (after the records before it
    // were written), and for a corrupt datalog (after the records that exist
    // were written and the table completed).
    void Convert();

    // The tag names (with a tag file) or "0" up to the highest tag index seen.
    const std::vector<std::string>& GetTagList() const { return tagList_; }
    bool IsTagFileOpen() const { return tagFileOpen_; }
    // The tag index (tag number - 1) of the record being written, for a
    // record sink that takes it.
    int CurrentTagIndex() const { return currentTagIndex_; }
    // Has Convert append each written record's tag index to `tags` when two
    // tag names are alike in the table (they print as the same 8-bit text),
    // so the table form can still give each tag its column.
    void KeepRecordTagsWhenNamesAlike(std::vector<uint16_t>* tags) { recordTags_ = tags; }

    // The records of the datalog's records, built by makers of an export's
    // threads while Convert reads.
    size_t ItemLength() const override;
    std::unique_ptr<RecordMaker> MakerFor(CDBFRecordSink& sink) const override;

private:
    // Refused with the datalog or tag file and what is wrong with it.
    [[noreturn]] void Refuse(const std::string& file, const std::string& detail) const;
    void ReadLogHeader();
    // Checks the tag number of the record at `position` (throws for one
    // beyond the tag list) and notes its tag.
    void TakeTag(const vell::VellRecord& record, int64_t position);

    const EngineContext& context_;
    CLargeFile log_;
    CDBF table_;
    platform::InputFile tagFile_;
    std::string tagFilePath_;
    std::vector<std::string> tagList_;
    std::string logPath_;
    bool tagFileOpen_ = false;
    int32_t recordCount_ = 0;
    int32_t oldestIndex_ = 0;
    int32_t newestIndex_ = 0;
    int highestTagIndex_ = 0;
    int currentTagIndex_ = -1;
    std::vector<uint16_t>* recordTags_ = nullptr;
    bool keepRecordTags_ = false;

    // Per conversion: the destination clock, and the layout its makers share.
    std::unique_ptr<COffsetClock> clock_;
    VellTableLayout layout_;
};

}  // namespace logora
