#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <numeric>
#include <string>
#include <vector>

#include "logora/engine/largefile/CLargeFile.h"
#include "logora/engine/largefile/MappingErrorSink.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace logora {
namespace {

constexpr uint32_t kView = platform::kMappingViewSize;

struct AppendCase
{
    const char* name;
    std::vector<uint32_t> chunks;
};

class LargeFileAppendTest : public ::testing::TestWithParam<AppendCase>
{
};

TEST_P(LargeFileAppendTest, FileHoldsExactlyTheAppendedBytes)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("out.bin");
    std::vector<uint8_t> expected;
    {
        CLargeFile file;
        ASSERT_TRUE(file.Create(path));
        for (uint32_t length : GetParam().chunks) {
            std::vector<uint8_t> chunk(length);
            for (uint32_t i = 0; i < length; ++i) chunk[i] = static_cast<uint8_t>(expected.size() + i * 3);
            file.Append(chunk.data(), length);
            expected.insert(expected.end(), chunk.begin(), chunk.end());
        }
        EXPECT_EQ(file.GetPosition(), expected.size());
    }
    EXPECT_EQ(testing::ReadWholeFile(path), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Chunks, LargeFileAppendTest,
    ::testing::Values(AppendCase{"Nothing", {}}, AppendCase{"OneByte", {1}},
                      AppendCase{"HundredTimesThousand", std::vector<uint32_t>(100, 1000)},
                      AppendCase{"LargestAppendCrossesEdge", {100, 65535}},
                      AppendCase{"EndsExactlyOnEdgeThenMore", {32768, 32768, 10}},
                      AppendCase{"EndsExactlyOnSecondEdge", {65535, 65535, 2}},
                      AppendCase{"ManyWindows", std::vector<uint32_t>(20, 65535)},
                      AppendCase{"ZeroLengthAppends", {0, 5, 0, 65531, 0, 1}}),
    [](const ::testing::TestParamInfo<AppendCase>& info) { return std::string(info.param.name); });

TEST(LargeFileAppend, AppendAboveLimitWritesNothing)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("out.bin");
    {
        CLargeFile file;
        ASSERT_TRUE(file.Create(path));
        std::vector<uint8_t> chunk(65536, 0xAB);
        file.Append(chunk.data(), 65536);
        EXPECT_EQ(file.GetPosition(), 0u);
        file.Append(chunk.data(), 3);
    }
    EXPECT_EQ(testing::ReadWholeFile(path), std::vector<uint8_t>(3, 0xAB));
}

TEST(LargeFileAppend, CreateReplacesAnExistingFile)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("out.bin");
    testing::WriteWholeFile(path, std::vector<uint8_t>(200000, 1));
    {
        CLargeFile file;
        ASSERT_TRUE(file.Create(path));
        file.Append("ab", 2);
    }
    EXPECT_EQ(testing::ReadWholeFile(path), (std::vector<uint8_t>{'a', 'b'}));
}

TEST(LargeFileAppend, CreateInMissingFolderFailsWithoutReport)
{
    testing::ScratchDir dir;
    std::vector<std::string> reports;
    const MappingErrorSink sink = [&](const std::string&, const std::string& text, const std::string&) {
        reports.push_back(text);
    };
    CLargeFile file(sink);
    EXPECT_FALSE(file.Create(dir.file("no/such/folder/out.bin")));
    file.Append("ab", 2);
    EXPECT_TRUE(reports.empty());
}

// Keeps the file size limit low for one test; the signal that exceeding it
// raises is ignored so that the write reports EFBIG instead.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

TEST(LargeFileAppend, FailureToGrowIsReportedAndKeepsWhatWasWritten)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("out.bin");
    std::vector<std::string> reports;
    const MappingErrorSink sink = [&](const std::string&, const std::string& text, const std::string&) {
        reports.push_back(text);
    };
    {
        FileSizeLimit limit(2 * kView);
        CLargeFile file(sink);
        ASSERT_TRUE(file.Create(path));
        std::vector<uint8_t> chunk(60000, 0x5A);
        file.Append(chunk.data(), 60000);
        file.Append(chunk.data(), 60000);  // grows to the second window
        EXPECT_TRUE(file.IsOpen());
        file.Append(chunk.data(), 60000);  // the third window is over the limit
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(file.GetPosition(), 2u * kView);
        file.Append(chunk.data(), 10);
        EXPECT_EQ(file.GetPosition(), 2u * kView);
    }
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].rfind(" failed with error ", 0), 0u);
    EXPECT_EQ(testing::ReadWholeFile(path), std::vector<uint8_t>(2 * kView, 0x5A));
}

TEST(LargeFileAppend, ReadingIsRefusedOnAFileBeingWritten)
{
    testing::ScratchDir dir;
    CLargeFile file;
    ASSERT_TRUE(file.Create(dir.file("out.bin")));
    file.Append("abcd", 4);
    uint8_t byte = 0;
    EXPECT_FALSE(file.ReadInto(&byte, 0, 1));
}

}  // namespace
}  // namespace logora
