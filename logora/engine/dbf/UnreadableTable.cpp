#include "logora/engine/dbf/UnreadableTable.h"

#include "logora/engine/dbf/CDBF.h"
#include "platform/files/InputFile.h"

namespace logora {

std::string DescribeUnreadableTable(const std::string& path, const MappingErrorSink& reportError)
{
    CDBF table(reportError);
    if (!table.OpenRead(path)) return table.GetFailure();
    const std::optional<uint64_t> size = platform::RegularFileSize(path);
    const uint32_t headerLength = table.GetHeaderLength();
    if (headerLength <= kDBFHeaderSize) {
        return path + ": header length " + std::to_string(headerLength) +
               " at byte 8 leaves no room for a field descriptor";
    }
    if (size && headerLength > *size) {
        return path + ": header length " + std::to_string(headerLength) + " at byte 8 reaches beyond the " +
               std::to_string(*size) + " bytes of the file";
    }
    if (table.GetRecordLength() == 0) return path + ": record length 0 at byte 10";
    return path + ": not a readable dBASE table";
}

}  // namespace logora
