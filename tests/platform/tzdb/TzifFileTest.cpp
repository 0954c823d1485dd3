#include "platform/tzdb/TzifFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::ParseTzif;

void putBigEndian(std::vector<uint8_t>& out, uint64_t value, int width)
{
    for (int i = width - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A header and data block with the given transitions and one local time type.
void appendBlock(std::vector<uint8_t>& out, char version, const std::vector<int64_t>& times, int width)
{
    out.insert(out.end(), {'T', 'Z', 'i', 'f', static_cast<uint8_t>(version)});
    out.resize(out.size() + 15);
    const uint32_t counts[] = {0, 0, 0, static_cast<uint32_t>(times.size()), 1, 4};
    for (uint32_t count : counts) putBigEndian(out, count, 4);
    for (int64_t t : times) putBigEndian(out, static_cast<uint64_t>(t), width);
    out.resize(out.size() + times.size());  // type indexes
    putBigEndian(out, 3600, 4);             // one type: UTC+1, standard
    out.insert(out.end(), {0, 0});
    out.insert(out.end(), {'C', 'E', 'T', 0});
}

std::vector<uint8_t> makeTzif(const std::vector<int64_t>& times, const std::string& footer)
{
    std::vector<uint8_t> bytes;
    appendBlock(bytes, '2', {}, 4);
    appendBlock(bytes, '2', times, 8);
    bytes.push_back('\n');
    bytes.insert(bytes.end(), footer.begin(), footer.end());
    bytes.push_back('\n');
    return bytes;
}

TEST(TzifFileTest, ReadsFooterAndLastTransition)
{
    auto summary = ParseTzif(makeTzif({-100, 5000000000LL}, "CET-1CEST,M3.5.0,M10.5.0/3"));
    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(summary->footer, "CET-1CEST,M3.5.0,M10.5.0/3");
    ASSERT_TRUE(summary->lastTransition.has_value());
    EXPECT_EQ(*summary->lastTransition, 5000000000LL);

    auto none = ParseTzif(makeTzif({}, "UTC0"));
    ASSERT_TRUE(none.has_value());
    EXPECT_FALSE(none->lastTransition.has_value());
}

TEST(TzifFileTest, EveryTruncationIsRejected)
{
    auto bytes = makeTzif({1, 2, 3}, "CET-1");
    for (size_t size = 0; size < bytes.size(); ++size) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(size));
        EXPECT_FALSE(ParseTzif(cut).has_value()) << size;
    }
}

TEST(TzifFileTest, RejectsHugeCountsWithoutReadingPastTheEnd)
{
    auto bytes = makeTzif({1}, "CET-1");
    // Transition count of the version 1 block: 0xFFFFFFFF.
    for (int i = 32; i < 36; ++i) bytes[static_cast<size_t>(i)] = 0xFF;
    EXPECT_FALSE(ParseTzif(bytes).has_value());
    EXPECT_FALSE(ParseTzif(std::vector<uint8_t>{'T', 'Z', 'i', 'F'}).has_value());
}

}  // namespace
