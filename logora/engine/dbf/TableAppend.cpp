#include "logora/engine/dbf/TableAppend.h"

#include <cerrno>

#include "logora/engine/dbf/DBFStructures.h"
#include "platform/mapping/MappedFile.h"

namespace logora {

namespace {

constexpr uint64_t kRecordCountOffset = 4;

}  // namespace

std::string AppendToTable(const std::string& path, const uint8_t* records, size_t count, size_t recordLength)
{
    platform::MappedFile file;
    if (!file.OpenUpdate(path))
        return path + ": cannot be opened for writing: " + platform::SystemErrorText(errno);
    uint8_t bytes[kDBFHeaderSize];
    if (file.ReadAt(bytes, sizeof bytes, 0) != static_cast<int64_t>(sizeof bytes))
        return path + ": no whole table header";
    DBFHeader header = DBFHeader::Decode(bytes);
    if (header.recordLength != recordLength) {
        return path + ": records of " + std::to_string(header.recordLength) + " bytes, not the " +
               std::to_string(recordLength) + " of those to append";
    }
    const uint64_t end = header.headerLength + uint64_t{header.recordCount} * recordLength;
    const uint8_t endOfFile = kDBFEndOfFile;
    header.recordCount += static_cast<uint32_t>(count);
    header.Encode(bytes);
    int error = file.WriteAt(records, count * recordLength, end);
    if (error == 0) error = file.WriteAt(&endOfFile, 1, end + count * recordLength);
    if (error == 0)
        error = file.WriteAt(bytes + kRecordCountOffset, sizeof header.recordCount, kRecordCountOffset);
    if (error != 0)
        return path + ": the new records could not be written: " + platform::SystemErrorText(error);
    return {};
}

}  // namespace logora
