#include "logora/engine/zarn/CTagNameMerger.h"

#include <algorithm>

#include "common/text/AsciiCase.h"
#include "logora/engine/common/ByteReader.h"
#include "logora/engine/dbf/DBFStructures.h"
#include "logora/engine/zarn/TagFilePath.h"

namespace logora {

namespace {

constexpr uint32_t kRecordCountOffset = 4;
constexpr uint32_t kRecordLengthOffset = 10;
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
    DBFHeader header;
    if (!ReadHeader(dataFile_, header)) return false;
    recordCount_ = header.recordCount;
    recordLength_ = header.recordLength;
    headerLength_ = header.headerLength;
    fieldCount_ = (headerLength_ - kDBFHeaderSize) / kDBFFieldSize;
    header_.resize(kDBFHeaderSize * (fieldCount_ + 1));
    if (!dataFile_.Read(header_.data(), 0, uint32_t(header_.size()), true)) return false;

    uint32_t displacement = 1;
    for (uint32_t i = 0; i < fieldCount_; ++i) {
        const DBFField field = DBFField::Decode(&header_[kDBFHeaderSize * (i + 1)]);
        if (tagIndexField_ < 0 && common::EqualsIgnoringAsciiCase(field.Name(), "TagIndex")) {
            if (field.length != kTagIndexLength) return false;
            tagIndexField_ = int(i);
            tagIndexDisplacement_ = displacement;
            displacement += kTagNameLength;
        } else {
            displacement += field.length;
        }
    }
    if (tagIndexField_ < 0 || tagIndexDisplacement_ + kTagIndexLength > recordLength_) return false;
    if (recordLength_ + kTagNameLength - kTagIndexLength > kMaxRecordLength) return false;
    bytesBehindTagIndex_ = recordLength_ - tagIndexDisplacement_ - kTagIndexLength;
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
    return output_.Open(path);
}

void CTagNameMerger::Convert()
{
    if (!tagFileOpen_ || tagIndexField_ < 0)
        throw ZarnMergeError(dataPath_ + ": not a Zarn data file with tag file");
    uint32_t written = 0;
    try {
        WriteHeader();
        WriteRecords(written);
        output_.Close();
    } catch (...) {
        MarkRecordsWritten(written);
        throw;
    }
}

void CTagNameMerger::WriteHeader()
{
    std::vector<uint8_t> header = header_;
    storeLE<uint16_t>(&header[kRecordLengthOffset],
                      uint16_t(recordLength_ + kTagNameLength - kTagIndexLength));
    DBFField tagName;
    std::copy_n("Tagname", 7, tagName.name);
    tagName.type = 'C';
    tagName.displacement = tagIndexDisplacement_;
    tagName.length = kTagNameLength;
    tagName.Encode(&header[kDBFHeaderSize * (tagIndexField_ + 1)]);
    output_.Write(header.data(), header.size());
    // Zero in place of the terminator, and up to the stated header length.
    output_.WriteZeros(headerLength_ - header.size());
}

void CTagNameMerger::WriteRecords(uint32_t& written)
{
    for (uint32_t r = 0; r < recordCount_; ++r) {
        const uint8_t* record = nullptr;
        if (!dataFile_.Read(&record, headerLength_ + uint64_t(r) * recordLength_, recordLength_, false)) {
            throw ZarnMergeError(dataPath_ + ": record " + std::to_string(r + 1) +
                                 " lies beyond the end of the file");
        }
        const std::string& name = TagNameOf(record + tagIndexDisplacement_, r);
        output_.Write(record, tagIndexDisplacement_);
        output_.Write(name.data(), name.size());
        output_.WriteZeros(kTagNameLength - name.size());
        output_.Write(record + tagIndexDisplacement_ + kTagIndexLength, bytesBehindTagIndex_);
        written = r + 1;
    }
}

const std::string& CTagNameMerger::TagNameOf(const uint8_t* digits, uint32_t record) const
{
    int number = 0;
    if (!ParseTagNumber(digits, number) || number < 0 || size_t(number) >= tagNames_.size()) {
        throw ZarnMergeError(dataPath_ + ": record " + std::to_string(record + 1) + " names tag \"" +
                             std::string(reinterpret_cast<const char*>(digits), kTagIndexLength) +
                             "\", which is not in " + tagPath_);
    }
    return tagNames_[size_t(number)];
}

void CTagNameMerger::MarkRecordsWritten(uint32_t written)
{
    uint8_t count[4];
    storeLE<uint32_t>(count, written);
    try {
        output_.Overwrite(kRecordCountOffset, count, sizeof count);
        output_.Close();
    } catch (const FileWriteError&) {
        // The table is unusable anyway; the caller reports the first error.
    }
}

}  // namespace logora
