#include "logora/engine/zarn/CTagNameMerger.h"

#include <algorithm>
#include <cstring>

#include "common/text/AsciiCase.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/dbf/CompleteTable.h"
#include "logora/engine/zarn/TagFilePath.h"

namespace logora {

namespace {

constexpr uint32_t kMaxRecordLength = 65535;
// "TagIndex" holds at most five digits, so later tag records are unreachable.
constexpr uint32_t kMaxTagNames = 100000;

bool ReadHeader(CLargeFile& file, DBFHeader& header)
{
    uint8_t bytes[kDBFHeaderSize];
    if (!file.Read(bytes, 0, kDBFHeaderSize, true)) return false;
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

CTagNameMerger::CTagNameMerger(const MappingErrorSink& reportError)
    : dataFile_(reportError), table_(reportError), tagFile_(reportError)
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

bool CTagNameMerger::ReadDataLayout()
{
    if (!ReadHeader(dataFile_, header_)) return false;
    recordCount_ = header_.recordCount;
    recordLength_ = header_.recordLength;
    headerLength_ = header_.headerLength;
    const uint32_t fieldCount = (headerLength_ - kDBFHeaderSize) / kDBFFieldSize;
    std::vector<uint8_t> descriptors(kDBFFieldSize * fieldCount);
    if (!dataFile_.Read(descriptors.data(), kDBFHeaderSize, uint32_t(descriptors.size()), true)) return false;

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
    if (!tagFile_.Read(descriptor, kDBFHeaderSize, kDBFFieldSize, true)) return false;
    const uint32_t nameLength =
        std::min({kTagNameLength, uint32_t(DBFField::Decode(descriptor).length), header.recordLength - 1u});
    const uint32_t count = std::min(header.recordCount, kMaxTagNames);
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* record = nullptr;
        const uint64_t offset = header.headerLength + uint64_t(i) * header.recordLength;
        if (!tagFile_.Read(&record, offset, header.recordLength, false)) return false;
        const char* name = reinterpret_cast<const char*>(record + 1);
        tagNames_.emplace_back(name, std::find(name, name + nameLength, '\0'));
    }
    return true;
}

bool CTagNameMerger::CreateOutput(const std::string& path)
{
    return table_.Open(path, CDBF::kModeCreate);
}

bool CTagNameMerger::CreateOutput(CDBFRecordSink& sink)
{
    return table_.OpenSink(sink);
}

void CTagNameMerger::Convert()
{
    if (!tagFileOpen_ || tagIndexField_ < 0)
        throw ConversionError::Stopped(dataPath_, dataPath_ + ": not a Zarn data file with tag file");
    if (!table_.IsOpen())
        throw ConversionError::TableUnwritten(dataPath_, dataPath_ + ": no table to merge into");
    WriteHeader();
    try {
        WriteRecords();
    } catch (const ConversionError&) {
        // A table that could not be written fails as such, whatever stopped the merge.
        CompleteTable(table_, dataPath_);
        throw;
    }
    CompleteTable(table_, dataPath_);
}

// The data file's header, zero in place of its terminator and up to its
// stated header length.
void CTagNameMerger::WriteHeader()
{
    table_.WriteRawHeader(header_);
    for (const DBFField& field : fields_) table_.WriteField(field);
    table_.EndHeaderWithZeros();
}

void CTagNameMerger::WriteRecords()
{
    std::vector<uint8_t> merged(header_.recordLength);
    uint8_t* const tagName = merged.data() + tagIndexDisplacement_;
    for (uint32_t r = 0; r < recordCount_; ++r) {
        const uint8_t* record = nullptr;
        if (!dataFile_.Read(&record, headerLength_ + uint64_t(r) * recordLength_, recordLength_, false)) {
            throw ConversionError::Stopped(dataPath_, dataPath_ + ": record " + std::to_string(r + 1) +
                                                          " lies beyond the end of the file")
                .AtRecord(r);
        }
        const std::string& name = TagNameOf(record + tagIndexDisplacement_, r);
        std::memcpy(merged.data(), record, tagIndexDisplacement_);
        std::memcpy(tagName, name.data(), name.size());
        std::memset(tagName + name.size(), 0, kTagNameLength - name.size());
        std::memcpy(tagName + kTagNameLength, record + tagIndexDisplacement_ + kTagIndexLength,
                    bytesBehindTagIndex_);
        table_.AppendRawRecord(merged.data());
    }
}

const std::string& CTagNameMerger::TagNameOf(const uint8_t* digits, uint32_t record) const
{
    int number = 0;
    if (!ParseTagNumber(digits, number) || number < 0 || size_t(number) >= tagNames_.size()) {
        throw ConversionError::Stopped(
            dataPath_, dataPath_ + ": record " + std::to_string(record + 1) + " names tag \"" +
                           std::string(reinterpret_cast<const char*>(digits), kTagIndexLength) +
                           "\", which is not in " + tagPath_)
            .AtRecord(record);
    }
    return tagNames_[size_t(number)];
}

}  // namespace logora
