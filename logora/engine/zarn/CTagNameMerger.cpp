#include "logora/engine/zarn/CTagNameMerger.h"

#include <algorithm>
#include <cstring>

#include "common/text/AsciiCase.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/dbf/ColumnRoles.h"
#include "logora/engine/dbf/CompleteTable.h"
#include "logora/engine/export/KeyedLineStage.h"
#include "logora/engine/zarn/TagFilePath.h"
#include "logora/engine/zarn/ZarnLineFields.h"

namespace logora {

namespace {

constexpr uint32_t kMaxRecordLength = 65535;
// Data records up to this long go to an export's threads whole.
constexpr uint32_t kLongestItem = 256;
// "TagIndex" holds at most five digits, so later tag records are unreachable.
constexpr uint32_t kMaxTagNames = 100000;

bool ReadHeader(CLargeFile& file, DBFHeader& header)
{
    uint8_t bytes[kDBFHeaderSize];
    if (!file.ReadInto(bytes, 0, kDBFHeaderSize)) return false;
    header = DBFHeader::Decode(bytes);
    return header.headerLength >= kDBFHeaderSize && header.headerLength <= file.GetPosition() &&
           header.recordLength >= 1;
}

// The tag name's descriptor, in place of the tag number's at `displacement`.
DBFField TagNameField(uint32_t displacement)
{
    DBFField field;
    std::copy_n("Tagname", 7, field.name);
    field.type = 'C';
    field.displacement = displacement;
    field.length = CTagNameMerger::kTagNameLength;
    return field;
}

// The five "TagIndex" characters as sscanf's "%d" reads them: blanks, an
// optional sign, at least one digit.
bool ParseTagNumber(const uint8_t* digits, int& number)
{
    uint32_t i = 0;
    while (i < CTagNameMerger::kTagIndexLength && (digits[i] == ' ' || digits[i] == '\t')) ++i;
    bool negative = false;
    if (i < CTagNameMerger::kTagIndexLength && (digits[i] == '-' || digits[i] == '+'))
        negative = digits[i++] == '-';
    const uint32_t first = i;
    int value = 0;
    for (; i < CTagNameMerger::kTagIndexLength && digits[i] >= '0' && digits[i] <= '9'; ++i) {
        value = value * 10 + (digits[i] - '0');
    }
    number = negative ? -value : value;
    return i > first;
}

}  // namespace

// Merges the data records handed to it and appends them to its table.
class CTagNameMerger::Maker : public RecordMaker
{
public:
    Maker(const CTagNameMerger& merger, CDBF& table)
        : merger_(merger), table_(table), merged_(merger.header_.recordLength)
    {}
    // A table of its own, whose records go to `sink`.
    Maker(const CTagNameMerger& merger, DBFRecordSink& sink)
        : merger_(merger),
          ownTable_(std::make_unique<CDBF>()),
          table_(*ownTable_),
          merged_(merger.header_.recordLength)
    {
        table_.OpenSink(sink);
        merger_.WriteHeader(table_);
    }

    void Make(const uint8_t* items, size_t count) override
    {
        for (size_t i = 0; i < count; ++i) {
            merger_.Merge(items + i * merger_.recordLength_, merged_.data());
            table_.AppendRawRecord(merged_.data());
        }
    }

private:
    const CTagNameMerger& merger_;
    std::unique_ptr<CDBF> ownTable_;
    CDBF& table_;
    std::vector<uint8_t> merged_;
};

CTagNameMerger::CTagNameMerger(const MappingErrorSink& reportError)
    : dataFile_(reportError), tagFile_(reportError)
{}

bool CTagNameMerger::Open(const std::string& dataPath)
{
    dataPath_ = dataPath;
    if (IsTagFilePath(dataPath)) return false;
    if (!dataFile_.OpenRead(dataPath) || !ReadDataLayout()) return false;
    tagPath_ = TagFilePathFor(dataPath);
    tagFileOpen_ = tagFile_.OpenRead(tagPath_);
    return tagFileOpen_ && ReadTagNames();
}

bool CTagNameMerger::OpenMemory(std::span<const uint8_t> data, const std::string& name,
                                std::optional<std::span<const uint8_t>> tagFile)
{
    dataPath_ = name;
    if (IsTagFilePath(name)) return false;
    if (!dataFile_.OpenMemory(data, name) || !ReadDataLayout()) return false;
    tagPath_ = TagFileNameFor(name);
    tagFileOpen_ = tagFile && tagFile_.OpenMemory(*tagFile, tagPath_);
    return tagFileOpen_ && ReadTagNames();
}

bool CTagNameMerger::ReadDataLayout()
{
    if (!ReadHeader(dataFile_, header_)) return false;
    recordCount_ = header_.recordCount;
    recordLength_ = header_.recordLength;
    headerLength_ = header_.headerLength;
    const uint32_t fieldCount = (headerLength_ - kDBFHeaderSize) / kDBFFieldSize;
    std::vector<uint8_t> descriptors(kDBFFieldSize * fieldCount);
    if (!dataFile_.ReadInto(descriptors.data(), kDBFHeaderSize, uint32_t(descriptors.size()))) return false;

    uint32_t displacement = 1;
    for (uint32_t i = 0; i < fieldCount; ++i) {
        DBFField field = DBFField::Decode(&descriptors[kDBFFieldSize * i]);
        if (tagIndexField_ < 0 && common::EqualsIgnoringAsciiCase(field.Name(), "TagIndex")) {
            if (field.length != kTagIndexLength) return false;
            tagIndexField_ = int(i);
            tagIndexDisplacement_ = displacement;
            field = TagNameField(displacement);
        }
        displacement += field.length;
        fields_.push_back(field);
    }
    if (tagIndexField_ < 0 || tagIndexDisplacement_ + kTagIndexLength > recordLength_) return false;
    if (recordLength_ + kTagNameLength - kTagIndexLength > kMaxRecordLength) return false;
    bytesBehindTagIndex_ = recordLength_ - tagIndexDisplacement_ - kTagIndexLength;
    header_.recordLength = uint16_t(recordLength_ + kTagNameLength - kTagIndexLength);
    return true;
}

bool CTagNameMerger::ReadTagNames()
{
    DBFHeader header;
    if (!ReadHeader(tagFile_, header) || header.headerLength < 2 * kDBFHeaderSize) return false;
    uint8_t descriptor[kDBFFieldSize];
    if (!tagFile_.ReadInto(descriptor, kDBFHeaderSize, kDBFFieldSize)) return false;
    const uint32_t nameLength =
        std::min({kTagNameLength, uint32_t(DBFField::Decode(descriptor).length), header.recordLength - 1u});
    const uint32_t count = std::min(header.recordCount, kMaxTagNames);
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t offset = header.headerLength + uint64_t(i) * header.recordLength;
        const uint8_t* record = tagFile_.View(offset, header.recordLength);
        if (record == nullptr) return false;
        const char* name = reinterpret_cast<const char*>(record + 1);
        tagNames_.emplace_back(name, std::find(name, name + nameLength, '\0'));
    }
    return true;
}

void CTagNameMerger::RefuseTable(const std::string& failure) const
{
    throw ConversionError(ConversionError::Kind::Refused, dataPath_, ConversionError::kNoMessage, failure);
}

bool CTagNameMerger::TableFormKnownBeforeRecords() const
{
    return HasTableFormColumns(fields_);
}

void CTagNameMerger::Declare(CDBF& table)
{
    if (!tagFileOpen_ || tagIndexField_ < 0)
        throw ConversionError::Stopped(dataPath_, dataPath_ + ": not a Zarn data file with tag file");
    WriteHeader(table);
}

void CTagNameMerger::Run(CDBF& table)
{
    try {
        WriteRecords(table);
    } catch (const ConversionError&) {
        // A table that could not be written fails as such, whatever stopped the merge.
        CompleteTable(table, dataPath_);
        throw;
    }
    CompleteTable(table, dataPath_);
}

// The data file's header, zero in place of its terminator and up to its
// stated header length.
void CTagNameMerger::WriteHeader(CDBF& table) const
{
    table.WriteRawHeader(header_);
    for (const DBFField& field : fields_) table.WriteField(field);
    table.EndHeaderWithZeros();
}

void CTagNameMerger::WriteRecords(CDBF& table)
{
    // An export on several threads merges the records there; otherwise
    // they are merged here, by the same maker.
    ItemIntake* intake = table.TakeItemsOf(*this);
    ItemsEnd itemsEnd(intake);
    Maker maker(*this, table);
    for (uint32_t r = 0; r < recordCount_;) {
        // An export's threads take the records of a run in one go.
        const uint64_t offset = headerLength_ + uint64_t(r) * recordLength_;
        // The records of a run lie in one read window, and whole in the
        // file: a file cut short fails at its first record missing.
        const uint64_t size = dataFile_.GetPosition();
        const uint64_t held = size > offset ? (size - offset) / recordLength_ : 0;
        const uint32_t run = uint32_t(
            std::clamp<uint64_t>(std::min<uint64_t>(dataFile_.WindowBytesFrom(offset) / recordLength_, held),
                                 1, recordCount_ - r));
        const uint8_t* records = dataFile_.View(offset, run * recordLength_);
        if (records == nullptr) {
            throw ConversionError::Stopped(dataPath_, dataPath_ + ": record " + std::to_string(r + 1) +
                                                          " lies beyond the end of the file")
                .AtRecord(r);
        }
        uint32_t checked = 0;
        try {
            // Refuses a tag number not in the list.
            for (; checked < run; ++checked)
                TagNameOf(records + checked * recordLength_ + tagIndexDisplacement_, r + checked);
        } catch (const ConversionError&) {
            // The records before the one refused still make the table.
            if (intake != nullptr)
                intake->TakeItems(records, checked);
            else
                maker.Make(records, checked);
            throw;
        }
        if (intake != nullptr)
            intake->TakeItems(records, run);
        else
            maker.Make(records, run);
        r += run;
    }
}

void CTagNameMerger::Merge(const uint8_t* record, uint8_t* merged) const
{
    MergeAroundTagName(record, merged);
    MergeTagName(record, merged);
}

void CTagNameMerger::MergeAroundTagName(const uint8_t* record, uint8_t* merged) const
{
    std::memcpy(merged, record, tagIndexDisplacement_);
    std::memcpy(merged + tagIndexDisplacement_ + kTagNameLength,
                record + tagIndexDisplacement_ + kTagIndexLength, bytesBehindTagIndex_);
}

void CTagNameMerger::MergeTagName(const uint8_t* record, uint8_t* merged) const
{
    const std::string& name = tagNames_[TagNumberOf(record + tagIndexDisplacement_)];
    uint8_t* const tagName = merged + tagIndexDisplacement_;
    std::memcpy(tagName, name.data(), name.size());
    std::memset(tagName + name.size(), 0, kTagNameLength - name.size());
}

size_t CTagNameMerger::TagNumberOf(const uint8_t* digits)
{
    int number = 0;
    ParseTagNumber(digits, number);
    return size_t(number);
}

size_t CTagNameMerger::TakeItemTag(const uint8_t* item)
{
    return TagNumberOf(item + tagIndexDisplacement_);
}

size_t CTagNameMerger::ItemLength() const
{
    return recordLength_ <= kLongestItem ? recordLength_ : 0;
}

std::unique_ptr<RecordMaker> CTagNameMerger::MakerFor(DBFRecordSink& sink) const
{
    return std::make_unique<Maker>(*this, sink);
}

const std::string& CTagNameMerger::TagNameOf(const uint8_t* digits, uint32_t record) const
{
    if (const std::string unnamed = UnnamedTag(digits); !unnamed.empty()) {
        throw ConversionError::Stopped(dataPath_,
                                       dataPath_ + ": record " + std::to_string(record + 1) + unnamed)
            .AtRecord(record);
    }
    int number = 0;
    ParseTagNumber(digits, number);
    return tagNames_[size_t(number)];
}

std::string CTagNameMerger::UnnamedTag(const uint8_t* digits) const
{
    int number = 0;
    if (ParseTagNumber(digits, number) && number >= 0 && size_t(number) < tagNames_.size()) return {};
    return " names tag \"" + std::string(reinterpret_cast<const char*>(digits), kTagIndexLength) +
           "\", which is not in " + tagPath_;
}

std::string CTagNameMerger::ItemProblem(const uint8_t* item) const
{
    const std::string unnamed = UnnamedTag(item + tagIndexDisplacement_);
    return unnamed.empty() ? unnamed : dataPath_ + ": a new record" + unnamed;
}

std::unique_ptr<RecordStage> CTagNameMerger::ItemLineStage(std::unique_ptr<ListLineFormatter> lines) const
{
    return std::make_unique<KeyedLineStage<ZarnLineFields>>(std::make_unique<ZarnLineFields>(*this),
                                                            std::move(lines));
}

}  // namespace logora
