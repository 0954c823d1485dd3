#include "logora/engine/alarm/CTrigger.h"

#include "logora/engine/alarm/ArchiveReader.h"

namespace logora {

bool CTrigger::Read(ArchiveReader& archive, int32_t version)
{
    archive.ReadString(tagName);
    archive.ReadInt(numbers[0]);
    archive.ReadInt(numbers[1]);
    if (version >= 4 && version <= 12) archive.ReadString(texts[0]);
    if (version != 1) archive.ReadInt(numbers[2]);
    archive.ReadInt(numbers[3]);
    for (size_t i = 1; i <= 4; ++i) archive.ReadString(texts[i]);
    if (version >= 5) archive.ReadString(texts[5]);
    if (version >= 10) {
        archive.ReadString(texts[6]);
        archive.ReadString(texts[7]);
    }
    if (version >= 12) archive.ReadInt(numbers[4]);
    return !archive.Failed();
}

}  // namespace logora
