#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "logora/engine/largefile/CLargeFile.h"
#include "logora/engine/largefile/MappingErrorSink.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace logora {
namespace {

constexpr uint32_t kView = platform::kMappingViewSize;

// Byte at file offset i: distinct across neighbouring windows.
uint8_t PatternByte(uint64_t i)
{
    return static_cast<uint8_t>((i * 7 + i / kView * 13) & 0xFF);
}

std::vector<uint8_t> Pattern(uint64_t size)
{
    std::vector<uint8_t> bytes(size);
    for (uint64_t i = 0; i < size; ++i) bytes[i] = PatternByte(i);
    return bytes;
}

// Collects what a file's mapping error reporter receives during one test.
class CapturedReports
{
public:
    MappingErrorSink Sink()
    {
        return [this](const std::string& caption, const std::string& text, const std::string&) {
            reports.push_back(caption + "|" + text);
        };
    }
    std::vector<std::string> reports;
};

struct ReadCase
{
    const char* name;
    uint64_t fileSize;
    uint64_t offset;
    uint32_t length;
};

class LargeFileReadTest : public ::testing::TestWithParam<ReadCase>
{
};

TEST_P(LargeFileReadTest, ReturnsTheFileBytesByCopyAndByPointer)
{
    const ReadCase& c = GetParam();
    testing::ScratchDir dir;
    const std::string path = dir.file("data.bin");
    const std::vector<uint8_t> bytes = Pattern(c.fileSize);
    testing::WriteWholeFile(path, bytes);

    CLargeFile file;
    ASSERT_TRUE(file.OpenRead(path));
    EXPECT_EQ(file.GetPosition(), c.fileSize);

    std::vector<uint8_t> copied(c.length);
    ASSERT_TRUE(file.ReadInto(copied.data(), c.offset, c.length));
    EXPECT_TRUE(std::equal(copied.begin(), copied.end(), bytes.begin() + c.offset));

    // Read the first byte in between so the window moves away and back.
    uint8_t first = 0;
    ASSERT_TRUE(file.ReadInto(&first, 0, 1));
    EXPECT_EQ(first, bytes[0]);

    const uint8_t* pointer = file.View(c.offset, c.length);
    ASSERT_NE(pointer, nullptr);
    EXPECT_EQ(0, std::memcmp(pointer, bytes.data() + c.offset, c.length));

    // The same bytes held in memory read through the same windows.
    CLargeFile memory;
    ASSERT_TRUE(memory.OpenMemory(bytes, "in memory"));
    ASSERT_TRUE(memory.ReadInto(&first, 0, 1));
    ASSERT_NE(pointer = memory.View(c.offset, c.length), nullptr);
    EXPECT_EQ(0, std::memcmp(pointer, bytes.data() + c.offset, c.length));
}

INSTANTIATE_TEST_SUITE_P(
    WindowEdges, LargeFileReadTest,
    ::testing::Values(ReadCase{"SmallFileWhole", 1000, 0, 1000}, ReadCase{"SingleByteFile", 1, 0, 1},
                      ReadCase{"FileOfOneViewLastByte", kView, kView - 1, 1},
                      ReadCase{"TwoViewsLastByte", 2 * kView, 2 * kView - 1, 1},
                      ReadCase{"TwoViewsLastBytes", 2 * kView, 2 * kView - 300, 300},
                      ReadCase{"EndsExactlyOnEdge", 3 * kView + 5, kView - 100, 100},
                      ReadCase{"StartsExactlyOnEdge", 3 * kView + 5, kView, 100},
                      ReadCase{"StraddlesEdge", 3 * kView + 5, 2 * kView - 10, 20},
                      ReadCase{"StraddlesIntoShortLastWindow", 3 * kView + 5, 3 * kView - 3, 8},
                      ReadCase{"WholeViewStraddling", 3 * kView + 5, kView + 1, kView},
                      ReadCase{"WholeViewAligned", 3 * kView + 5, kView, kView},
                      ReadCase{"UpToTheVeryEnd", 3 * kView + 5, 3 * kView, 5}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(LargeFileRead, ReadInsideOneWindowHandsOutPointersIntoTheMapping)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("data.bin");
    testing::WriteWholeFile(path, Pattern(kView + 100));
    CLargeFile file;
    ASSERT_TRUE(file.OpenRead(path));
    const uint8_t* a = file.View(10, 20);
    const uint8_t* b = file.View(1000, 20);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b - a, 990);
}

TEST(LargeFileRead, SequentialRecordsAcrossManyWindowsMatchTheFile)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("data.bin");
    const uint32_t record = 37;  // does not divide the view, so records straddle edges
    const std::vector<uint8_t> bytes = Pattern(5 * kView + 11);
    testing::WriteWholeFile(path, bytes);
    CLargeFile file;
    ASSERT_TRUE(file.OpenRead(path));
    uint64_t offset = 0;
    for (; offset + record <= bytes.size(); offset += record) {
        const uint8_t* p = file.View(offset, record);
        ASSERT_NE(p, nullptr) << offset;
        ASSERT_EQ(0, std::memcmp(p, bytes.data() + offset, record)) << offset;
    }
    EXPECT_EQ(file.View(offset, record), nullptr);
}

TEST(LargeFileRead, RejectsReadsBeyondTheEndAndOverlongReadsChangingNothing)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("data.bin");
    testing::WriteWholeFile(path, Pattern(3 * kView));
    CLargeFile file;
    ASSERT_TRUE(file.OpenRead(path));
    uint8_t sentinel[4] = {1, 2, 3, 4};
    EXPECT_FALSE(file.ReadInto(sentinel, 3 * kView - 3, 4));
    EXPECT_FALSE(file.ReadInto(sentinel, 3 * kView + 1, 0));
    EXPECT_FALSE(file.ReadInto(sentinel, UINT64_MAX - 1, 4));
    EXPECT_EQ(sentinel[0], 1);
    std::vector<uint8_t> big(kView + 1);
    EXPECT_FALSE(file.ReadInto(big.data(), 0, kView + 1));
    EXPECT_TRUE(file.ReadInto(sentinel, 3 * kView, 0));
}

TEST(LargeFileRead, EmptyFileCannotBeOpenedAndIsReported)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("empty.bin");
    testing::WriteWholeFile(path, {});
    CapturedReports captured;
    CLargeFile file(captured.Sink());
    EXPECT_FALSE(file.OpenRead(path));
    EXPECT_FALSE(file.IsOpen());
    ASSERT_EQ(captured.reports.size(), 1u);
    EXPECT_EQ(captured.reports[0].rfind("Error| failed with error ", 0), 0u) << captured.reports[0];
}

TEST(LargeFileRead, MissingFileFailsWithoutReport)
{
    testing::ScratchDir dir;
    CapturedReports captured;
    CLargeFile file(captured.Sink());
    EXPECT_FALSE(file.OpenRead(dir.file("missing.bin")));
    uint8_t byte = 0;
    EXPECT_FALSE(file.ReadInto(&byte, 0, 1));
    EXPECT_TRUE(captured.reports.empty());
}

TEST(LargeFileRead, FoldersAndPipesAreNotOpened)
{
    testing::ScratchDir dir;
    const std::string pipe = dir.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    CapturedReports captured;
    CLargeFile file(captured.Sink());
    EXPECT_FALSE(file.OpenRead(dir.file("")));
    EXPECT_FALSE(file.OpenRead(pipe));
    EXPECT_EQ(file.GetFailure(), pipe + ": is a named pipe (FIFO), not a regular file");
    EXPECT_TRUE(captured.reports.empty());
}

TEST(LargeFileRead, ReadingLeavesTheFileAsItWas)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("data.bin");
    const std::vector<uint8_t> bytes = Pattern(kView + 7);
    testing::WriteWholeFile(path, bytes);
    {
        CLargeFile file;
        ASSERT_TRUE(file.OpenRead(path));
        uint8_t byte = 0;
        ASSERT_TRUE(file.ReadInto(&byte, kView + 6, 1));
    }
    EXPECT_EQ(testing::ReadWholeFile(path), bytes);
}

// In a child process, so that a fault would show as a signal: the file is
// cut short behind the reader's back, as log rotation does.
void ReadAfterTheFileIsCutShort(const std::string& path)
{
    CLargeFile file;
    uint8_t bytes[16];
    if (!file.OpenRead(path) || file.View(1, 4) == nullptr) std::_Exit(2);
    if (::truncate(path.c_str(), kView + 100) != 0) std::_Exit(3);
    const bool beyondTheCut = file.ReadInto(bytes, 2 * kView + 8, 16);
    const bool straddlingTheCut = file.View(kView - 8, 16) != nullptr;
    const bool explained = file.GetFailure().find("became shorter") != std::string::npos;
    const bool wholeWindow = file.ReadInto(bytes, 100, 16);
    std::_Exit(!beyondTheCut && !straddlingTheCut && explained && wholeWindow ? 0 : 1);
}

TEST(LargeFileReadDeathTest, FileCutShortWhileReadFailsTheReadWithoutASignal)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("data.bin");
    testing::WriteWholeFile(path, Pattern(3 * kView));
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(ReadAfterTheFileIsCutShort(path), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace logora
