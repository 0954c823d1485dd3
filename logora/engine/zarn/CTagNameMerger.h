#pragma once
// Merges a Zarn data file with its "(Tagname).DAT" tag file into one table
// whose records carry the tag name (C 255 "Tagname") in place of the tag
// number ("TagIndex", 5 characters).
//
// Open checks the data file's layout and reads the tag names, so a data file
// that is a tag file, lacks a usable "TagIndex" field, has a header that does
// not fit the file, or has no readable tag file is refused there: the caller
// then loads the data file as it is. Run stops with a ConversionError at an
// unreadable record or tag number, and fails with one at a write error; the
// table then holds the records written so far, and its header says so.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "logora/engine/convert/Converter.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/export/ItemLines.h"
#include "logora/engine/largefile/CLargeFile.h"

namespace logora {

// How a data record becomes its merged record; what the makers of a merge
// share, none of it changing once the tag names are read.
struct TagNameMerge
{
    std::vector<std::string> tagNames;
    uint32_t recordLength = 0;  // of a data record
    uint32_t tagIndexDisplacement = 0;
    uint32_t bytesBehindTagIndex = 0;

    // The merged record of data record `record`, whose tag number is in the
    // tag list, into `merged` (the merged record length); or its parts: all
    // but the tag name, and the tag name.
    void Merge(const uint8_t* record, uint8_t* merged) const;
    void MergeAroundTagName(const uint8_t* record, uint8_t* merged) const;
    void MergeTagName(const uint8_t* record, uint8_t* merged) const;
    // The tag number of such a record.
    size_t TagNumberOf(const uint8_t* record) const;
};

class CTagNameMerger : public Converter, public ItemLineMaking
{
public:
    static constexpr uint32_t kTagNameLength = 255;
    static constexpr uint32_t kTagIndexLength = 5;

    // The files' failed mappings go to `reportError` (standard error
    // without one).
    explicit CTagNameMerger(const MappingErrorSink& reportError = {});

    bool Open(const std::string& dataPath) override;
    // Open for bytes in memory: `data` read in place of the data file,
    // `name` standing for its path, `tagFile` as the tag file's bytes (none
    // when absent). Both must outlive the conversion.
    bool OpenMemory(std::span<const uint8_t> data, const std::string& name,
                    std::optional<std::span<const uint8_t>> tagFile);
    void Declare(CDBF& table) override;
    // Writes the merged records.
    void Run(CDBF& table) override;
    [[noreturn]] void RefuseTable(const std::string& failure) const override;

    bool HasTagFile() const override { return tagFileOpen_; }
    // Read from the tag file by Open.
    const std::vector<std::string>& TagNames() const override { return merge_.tagNames; }
    // The table form takes its columns from the tag file, when the merged
    // table has them.
    bool TableFormKnownBeforeRecords() const override;
    // The merged table's fields, known once Open succeeded.
    const std::vector<DBFField>& GetFields() const { return fields_; }

    // The merged records of the data records, built by makers of an export's
    // threads while Convert reads; a data record longer than most is merged
    // where it is read (item length 0).
    size_t ItemLength() const override;
    std::string ItemProblem(const uint8_t* item) const override;
    size_t TakeItemTag(const uint8_t* item) override;
    std::unique_ptr<RecordMaker> MakerFor(DBFRecordSink& sink) const override;
    // A data file opened from its file reads in place.
    bool ReadInPlace(std::shared_ptr<InPlaceTable>& table) override;
    // An export's lines straight from the data records; the table form goes
    // through the records.
    std::unique_ptr<RecordStage> ItemLineStage(std::unique_ptr<ListLineFormatter> lines) const override;
    std::unique_ptr<ItemTableStage> ItemTableStageFor(std::unique_ptr<TableFormLines>) const override
    {
        return nullptr;
    }

private:
    class Maker;

    bool ReadDataLayout();
    bool ReadTagNames();
    // The merged table's header into `table`.
    void WriteHeader(CDBF& table) const;
    void WriteRecords(CDBF& table);
    // Hands `count` records from `first` on, which lie in one read window,
    // to `intake` at once, checked as CheckedRecord checks them; returns how
    // many it took.
    uint32_t TakeCheckedRecords(ItemIntake& intake, uint32_t first, uint32_t count);
    // Whether the tag list has a name for the "TagIndex" characters `digits`.
    bool IsNamed(const uint8_t* digits) const;
    // Throws the ConversionError of record `record` when it has none.
    void RefuseUnnamedTag(const uint8_t* digits, uint32_t record) const;
    // Why the tag list has no name for them; empty when it has.
    std::string UnnamedTag(const uint8_t* digits) const;
    // Record `record` of the data file, checked as the merge checks it: a
    // ConversionError stops at one beyond the file or with a tag number not
    // in the list.
    const uint8_t* CheckedRecord(uint32_t record);

    MappingErrorSink reportError_;
    CLargeFile dataFile_;
    CLargeFile tagFile_;
    std::string tagPath_;
    std::string dataPath_;
    bool tagFileOpen_ = false;
    bool fromFile_ = false;

    uint32_t recordCount_ = 0;
    uint32_t recordLength_ = 0;
    uint32_t headerLength_ = 0;
    TagNameMerge merge_;
    // The data file's header and descriptors as read, the tag number's
    // descriptor replaced by the tag name's: the merged table's layout.
    DBFHeader header_;
    std::vector<DBFField> fields_;
    int tagIndexField_ = -1;
};

}  // namespace logora
