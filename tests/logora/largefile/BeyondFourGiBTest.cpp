// Files beyond 4 GiB, made sparse so that they cost no disk: window offsets
// must be formed in 64 bits for reading and for writing.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "logora/engine/largefile/CLargeFile.h"
#include "platform/mapping/MappedFile.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace logora {
namespace {

constexpr uint64_t kFourGiB = uint64_t{1} << 32;
constexpr uint32_t kView = platform::kMappingViewSize;

// Writes `text` at `offset` of `path` with plain file I/O.
bool WriteAt(const std::string& path, uint64_t offset, const std::string& text)
{
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(offset));
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    return file.good();
}

bool MakeSparse(const std::string& path, uint64_t size)
{
    platform::MappedFile file;
    return file.Create(path) && file.CutTo(size) == 0;
}

TEST(BeyondFourGiB, ReadsAcrossTheMarkAndAtTheEnd)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("sparse.bin");
    const uint64_t size = kFourGiB + 3 * kView + 17;
    if (!MakeSparse(path, size)) GTEST_SKIP() << "the file system holds no sparse file of 4 GiB";
    const std::string acrossMark = "before-the-mark|after-the-mark";
    const uint64_t markOffset = kFourGiB - 16;  // "after" starts at the mark
    ASSERT_TRUE(WriteAt(path, markOffset, acrossMark));
    ASSERT_TRUE(WriteAt(path, size - 5, "tail!"));
    ASSERT_TRUE(WriteAt(path, 10, "head"));

    CLargeFile file;
    ASSERT_TRUE(file.OpenRead(path));
    EXPECT_EQ(file.GetPosition(), size);
    uint8_t buffer[64] = {};
    ASSERT_TRUE(file.ReadInto(buffer, markOffset, static_cast<uint32_t>(acrossMark.size())));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer), acrossMark.size()), acrossMark);
    const uint8_t* p = file.View(kFourGiB, 14);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p), 14), "after-the-mark");
    ASSERT_NE(p = file.View(size - 5, 5), nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p), 5), "tail!");
    // Offsets that would wrap in 32 bits land on the start of the file.
    ASSERT_NE(p = file.View(10, 4), nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p), 4), "head");
    EXPECT_EQ(file.View(size - 4, 5), nullptr);
}

TEST(BeyondFourGiB, WritesThroughAWindowAboveTheMark)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("sparse.bin");
    const uint64_t windowStart = kFourGiB + kView;
    platform::MappedFile mapped;
    ASSERT_TRUE(mapped.Create(path));
    if (mapped.ExtendTo(windowStart, windowStart + kView) != 0) {
        GTEST_SKIP() << "the file system holds no sparse file of 4 GiB";
    }
    ASSERT_EQ(mapped.WriteAt("window", 6, windowStart + kView - 6), 0);
    mapped.Close();

    CLargeFile file;
    ASSERT_TRUE(file.OpenRead(path));
    EXPECT_EQ(file.GetPosition(), windowStart + kView);
    uint8_t buffer[6] = {};
    ASSERT_TRUE(file.ReadInto(buffer, windowStart + kView - 6, 6));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer), 6), "window");
    // The same offset modulo 4 GiB holds nothing.
    ASSERT_TRUE(file.ReadInto(buffer, kView + kView - 6, 6));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer), 6), std::string(6, '\0'));
}

}  // namespace
}  // namespace logora
