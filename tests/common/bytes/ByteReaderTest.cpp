// The guarantee every binary reader builds on: a read that does not fit
// fails whole and moves nothing, however large the offset or count.
#include "common/bytes/ByteReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

TEST(ByteReader, ShortReadsFailWithoutMovingAndOffsetsNeverWrap)
{
    const uint8_t bytes[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
    logora::ByteReader reader(bytes, sizeof bytes);
    EXPECT_EQ(reader.u16(), 0x0201);
    EXPECT_EQ(reader.u32(), 0x06050403u);
    EXPECT_TRUE(reader.atEnd());

    reader = logora::ByteReader(bytes, sizeof bytes);
    ASSERT_TRUE(reader.skip(3));
    EXPECT_EQ(reader.u32(), std::nullopt);
    EXPECT_EQ(reader.bytes(4), std::nullopt);
    EXPECT_FALSE(reader.skip(std::numeric_limits<size_t>::max()));
    EXPECT_EQ(reader.position(), 3u);
    EXPECT_EQ(reader.u16(), 0x0504);

    EXPECT_EQ(reader.peekAt<uint16_t>(4), 0x0605);
    EXPECT_EQ(reader.peekAt<uint16_t>(5), std::nullopt);
    EXPECT_EQ(reader.peekAt<uint32_t>(std::numeric_limits<size_t>::max() - 1), std::nullopt);
    EXPECT_EQ(reader.position(), 5u);
}

}  // namespace
