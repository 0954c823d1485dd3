#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

#include "logora/engine/database/IsoTimeText.h"
#include "logora/engine/database/SqlNames.h"

namespace logora::testing {
namespace {

using ::testing::ElementsAre;

TEST(SqlNames, TableIsTheInputsNameWithoutExtension)
{
    EXPECT_EQ(TableNameFor("/logs/Line 1.LOG"), "Line 1");
    EXPECT_EQ(TableNameFor("/logs.d/a.b.log"), "a.b");
    EXPECT_EQ(TableNameFor("SOURCES.dat"), "SOURCES_2");
    EXPECT_EQ(TableNameFor("Sqlite_stat1.log"), "_Sqlite_stat1");
}

TEST(SqlNames, QuotesAreDoubledInsideTheQuotes)
{
    EXPECT_EQ(QuotedName("a \"b\""), "\"a \"\"b\"\"\"");
}

TEST(SqlNames, RepeatsGetTheFirstFreeSuffix)
{
    EXPECT_THAT(DistinctNames({"a", "a_2", "A", "é", "É"}), ElementsAre("a", "a_2", "A_3", "é", "É"));
}

TEST(IsoTimeText, UtcBeforeAndAfterTheEpoch)
{
    using std::chrono::seconds;
    EXPECT_EQ(IsoUtc(std::chrono::system_clock::time_point(seconds(1709298309))).View(),
              "2024-03-01 13:05:09Z");
    EXPECT_EQ(IsoUtc(std::chrono::system_clock::time_point(seconds(-1))).View(), "1969-12-31 23:59:59Z");
}

}  // namespace
}  // namespace logora::testing
