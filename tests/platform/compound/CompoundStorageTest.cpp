#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "CompoundBytesBuilder.h"
#include "TempDir.h"
#include "platform/compound/CompoundNames.h"
#include "platform/compound/CompoundStorage.h"
#include "platform/compound/CompoundWriter.h"

namespace {

using platform::CompoundOpenStatus;
using platform::CompoundStorage;
using testsupport::DirectoryEntry;
using testsupport::kNoEntry;

std::vector<uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

CompoundStorage OpenOrFail(const std::string& path)
{
    auto result = CompoundStorage::Open(path);
    EXPECT_EQ(result.status, CompoundOpenStatus::Opened);
    if (!result.storage) throw std::runtime_error("not opened: " + path);
    return std::move(*result.storage);
}

TEST(CompoundNames, OrderIsLengthFirstThenUpperCasedUnits)
{
    struct Case
    {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"Z", "AA", -1},        // shorter first, whatever the letters
        {"abc", "ABC", 0},      // case does not count
        {"a_", "AB", 1},        // compared upper-cased: '_' 0x5F after 'B' 0x42
        {"z", "\xC3\xA9", -1},  // 'Z' 0x5A before 'É' 0xC9
        {"\xC3\xA9", "\xC3\x89", 0},
    };
    for (const Case& c : cases) {
        int result = platform::CompareCompoundNames(c.a, c.b);
        int sign = (result > 0) - (result < 0);
        EXPECT_EQ(sign, c.sign) << c.a << " vs " << c.b;
    }
}

TEST(CompoundStorage, WrittenFileReadsBackWithSubStoragesAndAnyCase)
{
    testsupport::TempDir dir;
    std::string path = dir.file("tree.cfb");
    std::vector<uint8_t> large(10000);
    for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<uint8_t>(i * 7);
    ASSERT_TRUE(platform::WriteCompoundFile(path, {{"Alarms", Bytes("archive")},
                                                   {"DataSets/Batch 1", large},
                                                   {"DataSets/b", Bytes("x")},
                                                   {"TagSets/", {}},
                                                   {"Empty", {}}}));
    CompoundStorage root = OpenOrFail(path);
    EXPECT_EQ(root.ChildNames(), (std::vector<std::string>{"Empty", "Alarms", "TagSets", "DataSets"}));

    auto alarms = root.OpenStream("ALARMS");
    ASSERT_TRUE(alarms);
    EXPECT_EQ(alarms->readAll(), Bytes("archive"));
    EXPECT_TRUE(root.HasStream("alarms"));
    EXPECT_FALSE(root.HasStorage("alarms"));
    EXPECT_FALSE(root.OpenStorage("Alarms"));
    EXPECT_FALSE(root.OpenStream("DataSets"));
    EXPECT_FALSE(root.OpenStream("Missing"));
    EXPECT_EQ(root.OpenStream("Empty")->size(), 0u);

    auto dataSets = root.OpenStorage("datasets");
    ASSERT_TRUE(dataSets);
    EXPECT_EQ(dataSets->ChildNames(), (std::vector<std::string>{"b", "Batch 1"}));
    auto batch = dataSets->OpenStream("BATCH 1");
    ASSERT_TRUE(batch);
    EXPECT_EQ(batch->readAll(), large);
    uint8_t tail[8];
    EXPECT_EQ(batch->readAt(9996, tail), 4u);
    EXPECT_EQ(tail[3], large[9999]);
    EXPECT_EQ(batch->readAt(10000, tail), 0u);

    auto tagSets = root.OpenStorage("TagSets");
    ASSERT_TRUE(tagSets);
    EXPECT_TRUE(tagSets->ChildNames().empty());
}

TEST(CompoundStorage, BytesMadeInMemoryReadBackFromMemory)
{
    std::vector<uint8_t> large(10000);
    for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<uint8_t>(i * 7);
    const auto bytes =
        platform::CompoundFileBytes({{"Alarms", Bytes("archive")}, {"DataSets/Batch 1", large}});
    ASSERT_TRUE(bytes);
    auto opened = CompoundStorage::OpenMemory(*bytes, "tree.cfb");
    ASSERT_EQ(opened.status, CompoundOpenStatus::Opened) << opened.why;
    EXPECT_EQ(opened.storage->ChildNames(), (std::vector<std::string>{"Alarms", "DataSets"}));
    auto dataSets = opened.storage->OpenStorage("DataSets");
    ASSERT_TRUE(dataSets);
    EXPECT_EQ(dataSets->OpenStream("Batch 1")->readAll(), large);
}

TEST(CompoundStorage, OpenTellsPlainFilesFromMissingAndDamagedOnes)
{
    testsupport::TempDir dir;
    testsupport::WriteBytes(dir.file("plain.mal"), Bytes("not a compound file at all, just bytes"));
    testsupport::WriteBytes(dir.file("empty.mal"), {});
    std::vector<uint8_t> damaged = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    damaged.resize(600, 0xAB);
    testsupport::WriteBytes(dir.file("damaged.mal"), damaged);

    EXPECT_EQ(CompoundStorage::Open(dir.file("plain.mal")).status, CompoundOpenStatus::NotCompound);
    EXPECT_EQ(CompoundStorage::Open(dir.file("empty.mal")).status, CompoundOpenStatus::NotCompound);
    EXPECT_EQ(CompoundStorage::OpenMemory(Bytes("just bytes"), "plain.mal").status,
              CompoundOpenStatus::NotCompound);
    EXPECT_EQ(CompoundStorage::OpenMemory({}, "empty.mal").status, CompoundOpenStatus::NotCompound);
    const auto refused = CompoundStorage::Open(dir.file("damaged.mal"));
    EXPECT_EQ(refused.status, CompoundOpenStatus::Failed);
    EXPECT_EQ(refused.why,
              dir.file("damaged.mal") + ": a damaged compound file: no byte order mark (FE FF) at byte 28");
    const auto missing = CompoundStorage::Open(dir.file("missing.mal"));
    EXPECT_EQ(missing.status, CompoundOpenStatus::Failed);
    EXPECT_TRUE(missing.why.starts_with(dir.file("missing.mal") + ": cannot be opened for reading"))
        << missing.why;
}

// Hand-built directory trees: the entry order of the table and the shape of
// the tree (left children, red nodes) differ from the name order.
struct TreeCase
{
    const char* label;
    std::vector<DirectoryEntry> entries;
    std::vector<std::string> expected;
};

void PrintTo(const TreeCase& treeCase, std::ostream* out)
{
    *out << treeCase.label;
}

DirectoryEntry Root(uint32_t child)
{
    return {u"Root Entry", 5, 1, kNoEntry, kNoEntry, child, {}};
}
DirectoryEntry Stream(std::u16string name, uint8_t color, uint32_t left, uint32_t right)
{
    return {std::move(name), 2, color, left, right, kNoEntry, {}};
}

class CompoundTreeOrder : public testing::TestWithParam<TreeCase>
{
};

TEST_P(CompoundTreeOrder, ChildrenComeInNameOrder)
{
    testsupport::TempDir dir;
    std::string path = dir.file("tree.cfb");
    testsupport::WriteBytes(path, testsupport::BuildCompoundBytes(GetParam().entries));
    EXPECT_EQ(OpenOrFail(path).ChildNames(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(HandBuilt, CompoundTreeOrder,
                         testing::Values(
                             // Black root "BB" with red children "a" (left) and "ccc" (right).
                             TreeCase{"RedChildren",
                                      {Root(1), Stream(u"BB", 1, 2, 3), Stream(u"ccc", 0, kNoEntry, kNoEntry),
                                       Stream(u"a", 0, kNoEntry, kNoEntry)},
                                      {"a", "BB", "ccc"}},
                             // A chain of left children: "DDDD" <- "ccc" <- "bb" <- "A".
                             TreeCase{
                                 "LeftChain",
                                 {Root(4), Stream(u"A", 0, kNoEntry, kNoEntry), Stream(u"bb", 1, 1, kNoEntry),
                                  Stream(u"ccc", 0, 2, kNoEntry), Stream(u"DDDD", 1, 3, kNoEntry)},
                                 {"A", "bb", "ccc", "DDDD"}},
                             // Mixed case of equal length: upper-cased units decide ("b" < "C" < "d").
                             TreeCase{"MixedCase",
                                      {Root(1), Stream(u"C", 1, 3, 2), Stream(u"d", 0, kNoEntry, kNoEntry),
                                       Stream(u"b", 0, kNoEntry, kNoEntry)},
                                      {"b", "C", "d"}}),
                         [](const testing::TestParamInfo<TreeCase>& info) { return info.param.label; });

// Damage the reader would meet only while walking the file: each is refused
// on opening, saying what is wrong, instead of a file that opens and reads
// as empty.
struct DamageCase
{
    const char* label;
    std::vector<DirectoryEntry> entries;
    std::function<void(std::vector<uint8_t>&)> damage;
    std::string detail;
};

void PrintTo(const DamageCase& damageCase, std::ostream* out)
{
    *out << damageCase.label;
}

class DamagedCompoundFile : public testing::TestWithParam<DamageCase>
{
};

TEST_P(DamagedCompoundFile, IsRefusedSayingWhatIsDamaged)
{
    std::vector<uint8_t> bytes = testsupport::BuildCompoundBytes(GetParam().entries);
    if (GetParam().damage) GetParam().damage(bytes);
    testsupport::TempDir dir;
    const std::string path = dir.file("damaged.cfb");
    testsupport::WriteBytes(path, bytes);
    const auto opened = CompoundStorage::Open(path);
    EXPECT_EQ(opened.status, CompoundOpenStatus::Failed);
    EXPECT_EQ(opened.why, path + ": a damaged compound file: " + GetParam().detail);
    // The same bytes in memory are checked as the file.
    const auto inMemory = CompoundStorage::OpenMemory(bytes, path);
    EXPECT_EQ(inMemory.status, CompoundOpenStatus::Failed);
    EXPECT_EQ(inMemory.why, opened.why);
}

std::vector<DirectoryEntry> OneStream()
{
    return {Root(1), {u"Data", 2, 1, kNoEntry, kNoEntry, kNoEntry, std::vector<uint8_t>(4608, 7)}};
}

INSTANTIATE_TEST_SUITE_P(
    HandBuilt, DamagedCompoundFile,
    testing::Values(
        DamageCase{"ChildIsTheRoot",
                   {Root(1), {u"Sets", 1, 1, kNoEntry, kNoEntry, 0, {}}},
                   {},
                   "directory entry 1 leads back to the root entry"},
        DamageCase{"TreeWithACycle",
                   {Root(1), Stream(u"a", 1, kNoEntry, 2), Stream(u"bb", 0, 1, kNoEntry)},
                   {},
                   "directory entry 1 is reached twice: the directory tree has a cycle"},
        DamageCase{"RootWithASibling",
                   {{u"Root Entry", 5, 1, kNoEntry, 7, kNoEntry, {}}},
                   {},
                   "directory entry 0 points at entry 7, beyond the 4 entries"},
        // The header states one DIFAT sector though its chain is empty.
        DamageCase{"DifatSectorMissing", OneStream(), [](std::vector<uint8_t>& bytes) { bytes[72] = 1; },
                   "the list of FAT sectors breaks off after 0 of its sectors at the end of the chain"},
        DamageCase{"StreamChainLoops", OneStream(),
                   [](std::vector<uint8_t>& bytes) {
                       const uint32_t first = testsupport::FirstSectorOf(bytes, 1);
                       testsupport::SetNextSector(bytes, first + 8, first);
                   },
                   "the sector chain of stream \"Data\" comes back to sector 2, which is in use already"},
        DamageCase{"DirectoryChainLoops", OneStream(),
                   [](std::vector<uint8_t>& bytes) { testsupport::SetNextSector(bytes, 1, 1); },
                   "the sector chain of the directory comes back to sector 1, which is in use already"},
        DamageCase{"StreamLargerThanTheFile", OneStream(),
                   [](std::vector<uint8_t>& bytes) { testsupport::SetStreamSize(bytes, 1, 0x7FFFFFF0); },
                   "stream \"Data\" states 2147483632 bytes, more than the file's 6144"},
        DamageCase{"ChainShorterThanTheStream", OneStream(),
                   [](std::vector<uint8_t>& bytes) {
                       testsupport::SetNextSector(bytes, testsupport::FirstSectorOf(bytes, 1) + 4,
                                                  0xFFFFFFFE);
                   },
                   "the sector chain of stream \"Data\" holds 2560 bytes, fewer than its 4608"}),
    [](const testing::TestParamInfo<DamageCase>& info) { return info.param.label; });

// Files beyond what is read into memory whole are checked where they lie
// (here padded sparsely beyond 64 MiB): the same verdicts, the same words.
TEST(CompoundStorage, LargeFilesAreCheckedInPlace)
{
    testsupport::TempDir dir;
    const auto writeLarge = [&](const std::string& name, const std::vector<DirectoryEntry>& entries) {
        const std::string path = dir.file(name);
        testsupport::WriteBytes(path, testsupport::BuildCompoundBytes(entries));
        std::filesystem::resize_file(path, (uint64_t(64) << 20) + 4096);
        return path;
    };
#ifndef _WIN32
    // Wine's structured storage reads no stream of a file padded beyond what
    // its sector tables cover; libgsf reads it as any reader of the format.
    const std::string sound = writeLarge("sound.cfb", OneStream());
    auto data = OpenOrFail(sound).OpenStream("data");
    ASSERT_TRUE(data);
    EXPECT_EQ(data->readAll(), std::vector<uint8_t>(4608, 7));
#endif

    const std::string damaged =
        writeLarge("damaged.cfb", {Root(1), {u"Sets", 1, 1, kNoEntry, kNoEntry, 0, {}}});
    const auto opened = CompoundStorage::Open(damaged);
    EXPECT_EQ(opened.status, CompoundOpenStatus::Failed);
    EXPECT_EQ(opened.why,
              damaged + ": a damaged compound file: directory entry 1 leads back to the root entry");
}

TEST(CompoundStorage, HandBuiltSubStorageStreamReads)
{
    std::vector<uint8_t> data(4608);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i % 251);
    std::vector<DirectoryEntry> entries = {
        Root(1),
        {u"Sets", 1, 1, 2, kNoEntry, 3, {}},
        Stream(u"x", 0, kNoEntry, kNoEntry),
        {u"Values", 2, 1, kNoEntry, kNoEntry, kNoEntry, data},
    };
    testsupport::TempDir dir;
    std::string path = dir.file("sets.cfb");
    testsupport::WriteBytes(path, testsupport::BuildCompoundBytes(entries));
    CompoundStorage root = OpenOrFail(path);
    EXPECT_EQ(root.ChildNames(), (std::vector<std::string>{"x", "Sets"}));
    auto sets = root.OpenStorage("SETS");
    ASSERT_TRUE(sets);
    auto values = sets->OpenStream("values");
    ASSERT_TRUE(values);
    EXPECT_EQ(values->readAll(), data);
}

}  // namespace
