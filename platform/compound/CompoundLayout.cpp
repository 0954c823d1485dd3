#include "platform/compound/CompoundLayout.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "common/text/Utf.h"

namespace platform {

namespace {

constexpr std::array<uint8_t, 8> kSignature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

// Header fields.
constexpr uint64_t kHeaderSize = 512;
constexpr size_t kMajorVersionOffset = 26;
constexpr size_t kByteOrderOffset = 28;
constexpr size_t kSectorShiftOffset = 30;
constexpr size_t kMiniSectorShiftOffset = 32;
constexpr size_t kFatSectorCountOffset = 44;
constexpr size_t kFirstDirectorySectorOffset = 48;
constexpr size_t kMiniStreamCutoffOffset = 56;
constexpr size_t kFirstMiniFatSectorOffset = 60;
constexpr size_t kFirstDifatSectorOffset = 68;
constexpr size_t kDifatSectorCountOffset = 72;
constexpr size_t kHeaderDifatOffset = 76;
constexpr uint32_t kHeaderDifatEntries = 109;
constexpr uint16_t kByteOrderMark = 0xFFFE;
constexpr uint16_t kMiniSectorShift = 6;
constexpr uint32_t kMiniSectorSize = 1u << kMiniSectorShift;
// Version 4 files store 64-bit stream sizes; version 3 ones only the low half.
constexpr uint16_t kWideSizeVersion = 4;

// Directory entries.
constexpr size_t kEntrySize = 128;
constexpr size_t kEntryNameUnits = 32;
constexpr size_t kEntryNameLengthOffset = 64;  // in bytes, the terminator included
constexpr size_t kEntryTypeOffset = 66;
constexpr size_t kEntryLeftOffset = 68;
constexpr size_t kEntryRightOffset = 72;
constexpr size_t kEntryChildOffset = 76;
constexpr size_t kEntryStartOffset = 116;
constexpr size_t kEntrySizeOffset = 120;
constexpr uint8_t kStorageType = 1;
constexpr uint8_t kStreamType = 2;
constexpr uint8_t kRootType = 5;
constexpr uint32_t kNoEntry = 0xFFFFFFFF;

// Sector numbers with a meaning of their own.
constexpr uint32_t kDifatSectorMark = 0xFFFFFFFC;
constexpr uint32_t kFatSectorMark = 0xFFFFFFFD;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFreeSector = 0xFFFFFFFF;

uint16_t U16At(std::span<const uint8_t> bytes, size_t offset)
{
    return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

uint32_t U32At(std::span<const uint8_t> bytes, size_t offset)
{
    return U16At(bytes, offset) | static_cast<uint32_t>(U16At(bytes, offset + 2)) << 16;
}

uint64_t U64At(std::span<const uint8_t> bytes, size_t offset)
{
    return U32At(bytes, offset) | static_cast<uint64_t>(U32At(bytes, offset + 4)) << 32;
}

struct Damage
{
    std::string detail;
};

struct ReadFailure
{
    std::string detail;
};

// A table of next-sector numbers (the FAT or the mini FAT) with the sectors
// it may address, each of which one chain at most may hold.
struct SectorTable
{
    std::vector<uint32_t> next;
    std::vector<bool> used;
    std::string unit;    // "sector", "mini sector"
    std::string within;  // "the file", "the mini stream"

    uint32_t NextOf(uint32_t sector) const { return sector < next.size() ? next[sector] : kFreeSector; }
    std::string Describe(uint32_t sector) const
    {
        switch (sector) {
            case kFreeSector:
                return "a free " + unit;
            case kEndOfChain:
                return "the end of the chain";
            case kFatSectorMark:
                return "the mark of a FAT sector";
            case kDifatSectorMark:
                return "the mark of a DIFAT sector";
            default:
                return unit + " " + std::to_string(sector) + ", beyond the " + std::to_string(used.size()) +
                       " " + unit + "s of " + within;
        }
    }
};

class LayoutChecker
{
public:
    LayoutChecker(uint64_t fileSize, const CompoundByteReader& read) : fileSize_(fileSize), read_(read) {}

    void Check()
    {
        ReadHeader();
        ReadFat();
        ReadDirectory();
        const std::vector<uint32_t> streams = StreamsOfTheTree();
        ReadMiniFat();
        for (uint32_t entry : streams) CheckStream(entry);
    }

private:
    void Read(uint64_t offset, std::span<uint8_t> out) const
    {
        if (std::string why = read_(offset, out); !why.empty()) throw ReadFailure{why};
    }

    uint64_t SectorOffset(uint32_t sector) const { return (uint64_t{sector} + 1) << shift_; }

    std::vector<uint8_t> ReadSectors(const std::vector<uint32_t>& sectors, const std::string& what) const
    {
        std::vector<uint8_t> bytes(sectors.size() * sectorSize_);
        for (size_t i = 0; i < sectors.size(); ++i) {
            if (SectorOffset(sectors[i]) + sectorSize_ > fileSize_) {
                throw Damage{what + ": its sector " + std::to_string(sectors[i]) +
                             " ends beyond the end of the file"};
            }
            Read(SectorOffset(sectors[i]), std::span(bytes).subspan(i * sectorSize_, sectorSize_));
        }
        return bytes;
    }

    // The chain from `start` to its end, claiming its sectors in `table`.
    static std::vector<uint32_t> Walk(uint32_t start, SectorTable& table, const std::string& what)
    {
        std::vector<uint32_t> chain;
        for (uint32_t sector = start; sector != kEndOfChain; sector = table.NextOf(sector)) {
            if (sector >= table.used.size())
                throw Damage{"the sector chain of " + what + " leads to " + table.Describe(sector)};
            if (table.used[sector]) {
                throw Damage{"the sector chain of " + what + " comes back to " + table.unit + " " +
                             std::to_string(sector) + ", which is in use already"};
            }
            table.used[sector] = true;
            chain.push_back(sector);
        }
        return chain;
    }

    void ReadHeader()
    {
        if (fileSize_ < kHeaderSize) {
            throw Damage{std::to_string(fileSize_) + " bytes, fewer than the " + std::to_string(kHeaderSize) +
                         " of its header"};
        }
        header_.resize(kHeaderSize);
        Read(0, header_);
        if (U16At(header_, kByteOrderOffset) != kByteOrderMark)
            throw Damage{"no byte order mark (FE FF) at byte " + std::to_string(kByteOrderOffset)};
        shift_ = U16At(header_, kSectorShiftOffset);
        if (shift_ != 9 && shift_ != 12) {
            throw Damage{"sector shift " + std::to_string(shift_) + " at byte " +
                         std::to_string(kSectorShiftOffset) + ", expected 9 or 12"};
        }
        if (const uint16_t mini = U16At(header_, kMiniSectorShiftOffset); mini != kMiniSectorShift) {
            throw Damage{"mini sector shift " + std::to_string(mini) + " at byte " +
                         std::to_string(kMiniSectorShiftOffset) + ", expected " +
                         std::to_string(kMiniSectorShift)};
        }
        sectorSize_ = 1u << shift_;
        wideSizes_ = U16At(header_, kMajorVersionOffset) >= kWideSizeVersion;
        cutoff_ = U32At(header_, kMiniStreamCutoffOffset);
        // Sector n starts at (n + 1) sector sizes; the header fills the first.
        const uint64_t sectors = fileSize_ > sectorSize_ ? (fileSize_ - 1) / sectorSize_ : 0;
        fat_.used.assign(static_cast<size_t>(std::min<uint64_t>(sectors, kDifatSectorMark)), false);
        fat_.unit = "sector";
        fat_.within = "the file";
    }

    void ReadFat()
    {
        const uint32_t fatSectors = U32At(header_, kFatSectorCountOffset);
        const size_t sectors = fat_.used.size();
        if (fatSectors > sectors) {
            throw Damage{"its header states " + std::to_string(fatSectors) + " FAT sectors, more than the " +
                         std::to_string(sectors) + " sectors of the file"};
        }
        std::vector<uint32_t> list;
        for (uint32_t i = 0; i < std::min(fatSectors, kHeaderDifatEntries); ++i)
            list.push_back(U32At(header_, kHeaderDifatOffset + 4 * i));
        // The rest of the list continues in a chain of its own sectors, each
        // ending with the number of the next; readers read as many of them as
        // the header states, needed or not.
        const uint32_t difatSectors = U32At(header_, kDifatSectorCountOffset);
        const uint32_t perDifatSector = sectorSize_ / 4 - 1;
        uint32_t difat = U32At(header_, kFirstDifatSectorOffset);
        for (uint32_t read = 0; list.size() < fatSectors || read < difatSectors; ++read) {
            if (difat >= sectors || fat_.used[difat]) {
                throw Damage{"the list of FAT sectors breaks off after " + std::to_string(read) +
                             " of its sectors at " +
                             (difat < sectors ? "sector " + std::to_string(difat) + ", in use already"
                                              : fat_.Describe(difat))};
            }
            fat_.used[difat] = true;
            const std::vector<uint8_t> sector = ReadSectors({difat}, "the list of FAT sectors");
            for (uint32_t j = 0; j < perDifatSector && list.size() < fatSectors; ++j)
                list.push_back(U32At(sector, 4 * j));
            difat = U32At(sector, 4 * perDifatSector);
        }
        const size_t perFatSector = sectorSize_ / 4;
        fat_.next.assign(std::min(sectors, list.size() * perFatSector), kFreeSector);
        for (size_t i = 0; i < list.size(); ++i) {
            const uint32_t sector = list[i];
            if (sector >= sectors || fat_.used[sector]) {
                throw Damage{"FAT sector " + std::to_string(i) + " is " +
                             (sector < sectors ? "sector " + std::to_string(sector) + ", in use already"
                                               : fat_.Describe(sector))};
            }
            fat_.used[sector] = true;
            // Entries for sectors beyond the file are never looked at.
            if (i * perFatSector >= fat_.next.size()) continue;
            const std::vector<uint8_t> entries = ReadSectors({sector}, "the FAT");
            for (size_t j = 0; j < perFatSector && i * perFatSector + j < fat_.next.size(); ++j)
                fat_.next[i * perFatSector + j] = U32At(entries, 4 * j);
        }
    }

    void ReadDirectory()
    {
        const std::vector<uint32_t> sectors =
            Walk(U32At(header_, kFirstDirectorySectorOffset), fat_, "the directory");
        directory_ = ReadSectors(sectors, "the directory");
        entries_ = static_cast<uint32_t>(directory_.size() / kEntrySize);
        if (entries_ == 0) throw Damage{"its directory has no entries"};
        if (Type(0) != kRootType)
            throw Damage{"directory entry 0 is no root entry (type " + std::to_string(Type(0)) + ")"};
    }

    // Walks the tree from the root with a stack of its own, each entry once.
    std::vector<uint32_t> StreamsOfTheTree() const
    {
        struct Link
        {
            uint32_t from, to;
        };
        std::vector<uint32_t> streams;
        std::vector<bool> reached(entries_, false);
        reached[0] = true;
        // The root has no siblings, yet readers follow its links like any
        // entry's.
        std::vector<Link> pending = {{0, Field(0, kEntryLeftOffset)},
                                     {0, Field(0, kEntryRightOffset)},
                                     {0, Field(0, kEntryChildOffset)}};
        while (!pending.empty()) {
            const Link link = pending.back();
            pending.pop_back();
            if (link.to == kNoEntry) continue;
            const std::string from = "directory entry " + std::to_string(link.from);
            if (link.to == 0) throw Damage{from + " leads back to the root entry"};
            if (link.to >= entries_) {
                throw Damage{from + " points at entry " + std::to_string(link.to) + ", beyond the " +
                             std::to_string(entries_) + " entries"};
            }
            if (reached[link.to]) {
                throw Damage{"directory entry " + std::to_string(link.to) +
                             " is reached twice: the directory tree has a cycle"};
            }
            reached[link.to] = true;
            pending.push_back({link.to, Field(link.to, kEntryLeftOffset)});
            pending.push_back({link.to, Field(link.to, kEntryRightOffset)});
            if (Type(link.to) == kStorageType)
                pending.push_back({link.to, Field(link.to, kEntryChildOffset)});
            if (Type(link.to) == kStreamType) streams.push_back(link.to);
        }
        return streams;
    }

    // The mini FAT, and the mini stream that holds the small streams' bytes.
    void ReadMiniFat()
    {
        const std::vector<uint32_t> sectors =
            Walk(U32At(header_, kFirstMiniFatSectorOffset), fat_, "the mini FAT");
        const std::vector<uint8_t> bytes = ReadSectors(sectors, "the mini FAT");
        for (size_t i = 0; i + 4 <= bytes.size(); i += 4) miniFat_.next.push_back(U32At(bytes, i));
        miniStreamSize_ = StreamSize(0);
        CheckSectors(0, "the mini stream", miniStreamSize_);
        miniFat_.used.assign(static_cast<size_t>((miniStreamSize_ + kMiniSectorSize - 1) / kMiniSectorSize),
                             false);
        miniFat_.unit = "mini sector";
        miniFat_.within = "the mini stream";
    }

    void CheckStream(uint32_t entry)
    {
        const std::string what = "stream \"" + Name(entry) + "\"";
        const uint64_t size = StreamSize(entry);
        if (size < cutoff_)
            CheckMiniSectors(entry, what, size);
        else
            CheckSectors(entry, what, size);
    }

    // The bytes of `entry` in sectors of the file: the chain must hold them,
    // and the file too.
    void CheckSectors(uint32_t entry, const std::string& what, uint64_t size)
    {
        if (size > fileSize_) {
            throw Damage{what + " states " + std::to_string(size) + " bytes, more than the file's " +
                         std::to_string(fileSize_)};
        }
        if (size == 0) return;
        const std::vector<uint32_t> chain = Walk(Field(entry, kEntryStartOffset), fat_, what);
        CheckChainHolds(chain, sectorSize_, what, size);
        const uint64_t tail = size - (size - 1) / sectorSize_ * sectorSize_;
        const uint32_t last = chain[static_cast<size_t>((size - 1) / sectorSize_)];
        if (SectorOffset(last) + tail > fileSize_) throw Damage{what + " ends beyond the end of the file"};
    }

    void CheckMiniSectors(uint32_t entry, const std::string& what, uint64_t size)
    {
        if (size == 0) return;
        const std::vector<uint32_t> chain = Walk(Field(entry, kEntryStartOffset), miniFat_, what);
        CheckChainHolds(chain, kMiniSectorSize, what, size);
        const uint64_t tail = size - (size - 1) / kMiniSectorSize * kMiniSectorSize;
        const uint32_t last = chain[static_cast<size_t>((size - 1) / kMiniSectorSize)];
        if (uint64_t{last} * kMiniSectorSize + tail > miniStreamSize_)
            throw Damage{what + " ends beyond the end of the mini stream"};
    }

    static void CheckChainHolds(const std::vector<uint32_t>& chain, uint32_t sectorSize,
                                const std::string& what, uint64_t size)
    {
        if (chain.size() * uint64_t{sectorSize} >= size) return;
        throw Damage{"the sector chain of " + what + " holds " + std::to_string(chain.size() * sectorSize) +
                     " bytes, fewer than its " + std::to_string(size)};
    }

    std::span<const uint8_t> Entry(uint32_t entry) const
    {
        return std::span(directory_).subspan(size_t{entry} * kEntrySize, kEntrySize);
    }
    uint32_t Field(uint32_t entry, size_t offset) const { return U32At(Entry(entry), offset); }
    uint8_t Type(uint32_t entry) const { return Entry(entry)[kEntryTypeOffset]; }
    uint64_t StreamSize(uint32_t entry) const
    {
        return wideSizes_ ? U64At(Entry(entry), kEntrySizeOffset) : U32At(Entry(entry), kEntrySizeOffset);
    }
    std::string Name(uint32_t entry) const
    {
        const size_t units =
            std::min<size_t>(U16At(Entry(entry), kEntryNameLengthOffset) / 2, kEntryNameUnits);
        std::u16string name;
        for (size_t i = 0; i + 1 < units; ++i)
            name.push_back(static_cast<char16_t>(U16At(Entry(entry), 2 * i)));
        return common::Utf16ToUtf8Replacing(name, '?');
    }

    const uint64_t fileSize_;
    const CompoundByteReader& read_;
    std::vector<uint8_t> header_;
    uint16_t shift_ = 0;
    uint32_t sectorSize_ = 0;
    bool wideSizes_ = false;
    uint32_t cutoff_ = 0;
    SectorTable fat_;
    SectorTable miniFat_;
    uint64_t miniStreamSize_ = 0;
    std::vector<uint8_t> directory_;
    uint32_t entries_ = 0;
};

}  // namespace

bool StartsWithCompoundSignature(std::span<const uint8_t> head)
{
    return head.size() >= kSignature.size() && std::equal(kSignature.begin(), kSignature.end(), head.begin());
}

CompoundLayoutCheck CheckCompoundLayout(uint64_t fileSize, const CompoundByteReader& read)
{
    try {
        LayoutChecker(fileSize, read).Check();
        return {};
    } catch (const Damage& damage) {
        return {CompoundLayoutCheck::Outcome::Damaged, damage.detail};
    } catch (const ReadFailure& failure) {
        return {CompoundLayoutCheck::Outcome::Unreadable, failure.detail};
    }
}

CompoundLayoutCheck CheckCompoundLayout(std::span<const uint8_t> file)
{
    return CheckCompoundLayout(file.size(), [file](uint64_t offset, std::span<uint8_t> out) {
        std::memcpy(out.data(), file.data() + offset, out.size());
        return std::string();
    });
}

std::string CompoundLayoutFailure(const std::string& path, const CompoundLayoutCheck& check)
{
    if (check.outcome == CompoundLayoutCheck::Outcome::Damaged)
        return DamagedCompoundFile(path, check.detail);
    return check.detail;
}

std::string DamagedCompoundFile(const std::string& path, const std::string& detail)
{
    return path + ": a damaged compound file: " + detail;
}

}  // namespace platform
