#include "logora/engine/zarn/CTagNameMerger.h"

#include <algorithm>
#include <cstring>

#include "common/text/AsciiCase.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/dbf/ColumnRoles.h"
#include "logora/engine/dbf/CompleteTable.h"
#include "logora/engine/export/KeyedLineStage.h"
#include "logora/engine/zarn/TagFilePath.h"
#include "logora/engine/zarn/ZarnInPlace.h"
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
            merger_.merge_.Merge(items + i * merger_.recordLength_, merged_.data());
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
    : reportError_(reportError), dataFile_(reportError), tagFile_(reportError)
{}

bool CTagNameMerger::Open(const std::string& dataPath)
{
    dataPath_ = dataPath;
    if (IsTagFilePath(dataPath)) return false;
    if (!dataFile_.OpenRead(dataPath) || !ReadDataLayout()) return false;
    fromFile_ = true;
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
    merge_.recordLength = recordLength_;
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
            merge_.tagIndexDisplacement = displacement;
            field = TagNameField(displacement);
        }
        displacement += field.length;
        fields_.push_back(field);
    }
    if (tagIndexField_ < 0 || merge_.tagIndexDisplacement + kTagIndexLength > recordLength_) return false;
    if (recordLength_ + kTagNameLength - kTagIndexLength > kMaxRecordLength) return false;
    merge_.bytesBehindTagIndex = recordLength_ - merge_.tagIndexDisplacement - kTagIndexLength;
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
        merge_.tagNames.emplace_back(name, std::find(name, name + nameLength, '\0'));
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
    // The records the file holds whole go to an intake a read window at a
    // time; the rest one by one, for the record that lies beyond the end.
    const uint64_t bytes = dataFile_.GetPosition();
    const uint64_t whole = bytes > headerLength_ ? (bytes - headerLength_) / recordLength_ : 0;
    const uint32_t held = uint32_t(std::min<uint64_t>(recordCount_, whole));
    for (uint32_t r = 0; r < recordCount_;) {
        const uint64_t offset = headerLength_ + uint64_t(r) * recordLength_;
        const uint32_t run = intake != nullptr && r < held
                                 ? std::min(dataFile_.WindowBytesFrom(offset) / recordLength_, held - r)
                                 : 0;
        if (run == 0) {
            const uint8_t* record = CheckedRecord(r++);
            if (intake != nullptr)
                intake->TakeItems(record, 1);
            else
                maker.Make(record, 1);
            continue;
        }
        r += TakeCheckedRecords(*intake, r, run);
    }
}

uint32_t CTagNameMerger::TakeCheckedRecords(ItemIntake& intake, uint32_t first, uint32_t count)
{
    const uint8_t* records =
        dataFile_.View(headerLength_ + uint64_t(first) * recordLength_, count * recordLength_);
    if (records == nullptr) {
        intake.TakeItems(CheckedRecord(first), 1);
        return 1;
    }
    uint32_t named = 0;
    while (named < count && IsNamed(records + named * recordLength_ + merge_.tagIndexDisplacement)) ++named;
    // The records before one refused still make the table.
    intake.TakeItems(records, named);
    if (named < count)
        RefuseUnnamedTag(records + named * recordLength_ + merge_.tagIndexDisplacement, first + named);
    return count;
}

const uint8_t* CTagNameMerger::CheckedRecord(uint32_t r)
{
    const uint8_t* record = dataFile_.View(headerLength_ + uint64_t(r) * recordLength_, recordLength_);
    if (record == nullptr) {
        throw ConversionError::Stopped(
            dataPath_, dataPath_ + ": record " + std::to_string(r + 1) + " lies beyond the end of the file")
            .AtRecord(r);
    }
    RefuseUnnamedTag(record + merge_.tagIndexDisplacement, r);
    return record;
}

// Only the records are checked here: they are merged when a reader reads them.
bool CTagNameMerger::ReadInPlace(std::shared_ptr<InPlaceTable>& table)
{
    if (!fromFile_) return false;
    MadeTableShape shape = DeclaredShape();
    uint32_t checked = 0;
    const auto hold = [&] {
        shape.recordsHeld = checked;
        LastRecord last;
        last.offset = headerLength_ + uint64_t(checked - 1) * recordLength_;
        if (const uint8_t* bytes = checked > 0 ? dataFile_.View(last.offset, recordLength_) : nullptr)
            last.bytes.assign(bytes, bytes + recordLength_);
        table = ZarnTableInPlace(dataPath_, headerLength_, merge_, std::move(shape), std::move(last),
                                 reportError_);
    };
    try {
        for (; checked < recordCount_; ++checked) CheckedRecord(checked);
    } catch (const ConversionError&) {
        hold();
        throw;
    }
    hold();
    return true;
}

void TagNameMerge::Merge(const uint8_t* record, uint8_t* merged) const
{
    MergeAroundTagName(record, merged);
    MergeTagName(record, merged);
}

void TagNameMerge::MergeAroundTagName(const uint8_t* record, uint8_t* merged) const
{
    std::memcpy(merged, record, tagIndexDisplacement);
    std::memcpy(merged + tagIndexDisplacement + CTagNameMerger::kTagNameLength,
                record + tagIndexDisplacement + CTagNameMerger::kTagIndexLength, bytesBehindTagIndex);
}

void TagNameMerge::MergeTagName(const uint8_t* record, uint8_t* merged) const
{
    const std::string& name = tagNames[TagNumberOf(record)];
    uint8_t* const tagName = merged + tagIndexDisplacement;
    std::memcpy(tagName, name.data(), name.size());
    std::memset(tagName + name.size(), 0, CTagNameMerger::kTagNameLength - name.size());
}

size_t TagNameMerge::TagNumberOf(const uint8_t* record) const
{
    int number = 0;
    ParseTagNumber(record + tagIndexDisplacement, number);
    return size_t(number);
}

size_t CTagNameMerger::TakeItemTag(const uint8_t* item)
{
    return merge_.TagNumberOf(item);
}

size_t CTagNameMerger::ItemLength() const
{
    return recordLength_ <= kLongestItem ? recordLength_ : 0;
}

std::unique_ptr<RecordMaker> CTagNameMerger::MakerFor(DBFRecordSink& sink) const
{
    return std::make_unique<Maker>(*this, sink);
}

bool CTagNameMerger::IsNamed(const uint8_t* digits) const
{
    int number = 0;
    return ParseTagNumber(digits, number) && number >= 0 && size_t(number) < merge_.tagNames.size();
}

void CTagNameMerger::RefuseUnnamedTag(const uint8_t* digits, uint32_t record) const
{
    if (IsNamed(digits)) return;
    throw ConversionError::Stopped(dataPath_,
                                   dataPath_ + ": record " + std::to_string(record + 1) + UnnamedTag(digits))
        .AtRecord(record);
}

std::string CTagNameMerger::UnnamedTag(const uint8_t* digits) const
{
    if (IsNamed(digits)) return {};
    return " names tag \"" + std::string(reinterpret_cast<const char*>(digits), kTagIndexLength) +
           "\", which is not in " + tagPath_;
}

std::string CTagNameMerger::ItemProblem(const uint8_t* item) const
{
    const std::string unnamed = UnnamedTag(item + merge_.tagIndexDisplacement);
    return unnamed.empty() ? unnamed : dataPath_ + ": a new record" + unnamed;
}

std::unique_ptr<RecordStage> CTagNameMerger::ItemLineStage(std::unique_ptr<ListLineFormatter> lines) const
{
    return std::make_unique<KeyedLineStage<ZarnLineFields>>(
        std::make_unique<ZarnLineFields>(merge_, header_.recordLength), std::move(lines));
}

}  // namespace logora
