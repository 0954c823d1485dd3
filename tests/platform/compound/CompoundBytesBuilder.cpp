#include "CompoundBytesBuilder.h"

#include <cstring>
#include <stdexcept>

#include "common/bytes/ByteReader.h"

namespace testsupport {

namespace {

constexpr size_t kSector = 512;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFatSector = 0xFFFFFFFD;
constexpr uint32_t kFree = 0xFFFFFFFF;

template <typename T>
void Put(std::vector<uint8_t>& bytes, size_t offset, T value)
{
    logora::storeLE<T>(bytes.data() + offset, value);
}

// Where directory entry `entry` lies: the directory is one chain of
// consecutive sectors.
size_t EntryOffset(const std::vector<uint8_t>& bytes, uint32_t entry)
{
    const uint32_t firstDirectory = logora::ByteReader::decode<uint32_t>(bytes.data() + 48);
    return kSector * (1 + firstDirectory) + 128 * size_t{entry};
}

}  // namespace

std::vector<uint8_t> BuildCompoundBytes(const std::vector<DirectoryEntry>& entries)
{
    const size_t directorySectors = (entries.size() + 3) / 4;
    std::vector<uint32_t> fat(kSector / 4, kFree);
    fat[0] = kFatSector;
    uint32_t next = 1;
    auto chain = [&](size_t sectors) {
        uint32_t first = next;
        for (size_t i = 0; i < sectors; ++i, ++next) fat.at(next) = i + 1 == sectors ? kEndOfChain : next + 1;
        return first;
    };
    const uint32_t firstDirectory = chain(directorySectors);
    std::vector<uint32_t> starts;
    for (const DirectoryEntry& entry : entries) {
        if (!entry.data.empty() && entry.data.size() < 4096)
            throw std::invalid_argument("stream data below 4096 bytes needs a mini stream");
        starts.push_back(entry.data.empty() ? kEndOfChain
                                            : chain((entry.data.size() + kSector - 1) / kSector));
    }

    std::vector<uint8_t> bytes(kSector * (1 + next), 0);
    const uint8_t signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::memcpy(bytes.data(), signature, sizeof signature);
    Put<uint16_t>(bytes, 24, 0x003E);
    Put<uint16_t>(bytes, 26, 3);
    Put<uint16_t>(bytes, 28, 0xFFFE);
    Put<uint16_t>(bytes, 30, 9);
    Put<uint16_t>(bytes, 32, 6);
    Put<uint32_t>(bytes, 44, 1);
    Put<uint32_t>(bytes, 48, firstDirectory);
    Put<uint32_t>(bytes, 56, 4096);
    Put<uint32_t>(bytes, 60, kEndOfChain);
    Put<uint32_t>(bytes, 68, kEndOfChain);
    Put<uint32_t>(bytes, 76, 0);
    for (size_t i = 1; i < 109; ++i) Put<uint32_t>(bytes, 76 + 4 * i, kFree);

    const size_t fatOffset = kSector;
    for (size_t i = 0; i < fat.size(); ++i) Put<uint32_t>(bytes, fatOffset + 4 * i, fat[i]);

    for (size_t i = 0; i < directorySectors * 4; ++i) {
        size_t at = kSector * (1 + firstDirectory) + 128 * i;
        if (i >= entries.size()) {
            Put<uint32_t>(bytes, at + 68, kNoEntry);
            Put<uint32_t>(bytes, at + 72, kNoEntry);
            Put<uint32_t>(bytes, at + 76, kNoEntry);
            continue;
        }
        const DirectoryEntry& entry = entries[i];
        if (entry.name.size() > 31) throw std::invalid_argument("name longer than 31 characters");
        for (size_t c = 0; c < entry.name.size(); ++c) Put<uint16_t>(bytes, at + 2 * c, entry.name[c]);
        Put<uint16_t>(bytes, at + 64, static_cast<uint16_t>(2 * (entry.name.size() + 1)));
        bytes[at + 66] = entry.type;
        bytes[at + 67] = entry.color;
        Put<uint32_t>(bytes, at + 68, entry.left);
        Put<uint32_t>(bytes, at + 72, entry.right);
        Put<uint32_t>(bytes, at + 76, entry.child);
        Put<uint32_t>(bytes, at + 116, starts[i]);
        Put<uint32_t>(bytes, at + 120, static_cast<uint32_t>(entry.data.size()));
        if (!entry.data.empty())
            std::memcpy(bytes.data() + kSector * (1 + starts[i]), entry.data.data(), entry.data.size());
    }
    return bytes;
}

void SetNextSector(std::vector<uint8_t>& bytes, uint32_t sector, uint32_t next)
{
    Put<uint32_t>(bytes, kSector + 4 * size_t{sector}, next);
}

uint32_t FirstSectorOf(const std::vector<uint8_t>& bytes, uint32_t entry)
{
    return logora::ByteReader::decode<uint32_t>(bytes.data() + EntryOffset(bytes, entry) + 116);
}

void SetStreamSize(std::vector<uint8_t>& bytes, uint32_t entry, uint32_t size)
{
    Put<uint32_t>(bytes, EntryOffset(bytes, entry) + 120, size);
}

}  // namespace testsupport
