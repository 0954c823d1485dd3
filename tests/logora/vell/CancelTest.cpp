// Cancelling a conversion, and the sample generator's datalogs end to end.
#include "VellTestSupport.h"
#include "tests/logora/alarm/CancelAfter.h"

namespace logora::test {
namespace {

using namespace vellgen;

class CancelTest : public VellTest
{
};

TEST_F(CancelTest, StopsAfterTheCurrentRecordAndSucceeds)
{
    std::string caption, message;
    context_.context.progress = [&](const std::string& c, const std::string& m) {
        caption = c;
        message = m;
        return std::make_unique<testsupport::CancelAfter>(3);
    };
    ASSERT_TRUE(WritePatternDatalog(path("c.log"), 20, 0, 4, 1783000000));
    ConvertedTable table = convert("c.log");
    EXPECT_TRUE(table.converted);
    EXPECT_EQ(table.rows.size(), 3u);
    EXPECT_TRUE(table.tagList.empty());  // no tag file, cancelled: no list
    EXPECT_EQ(caption, "Converting Log file to dBase file");
    EXPECT_EQ(message, "Converting file: " + path("c.log"));
}

TEST_F(CancelTest, GeneratedWrappedRingComesOutInTimeOrder)
{
    ASSERT_TRUE(WritePatternDatalog(path("g.log"), 500, 123, 6, 1783000000));
    ASSERT_TRUE(WriteFile(path("g.tag"), BuildTagFile(SampleTagNames(6))));
    ConvertedTable table = convert("g.log");
    ASSERT_TRUE(table.converted) << table.error;
    ASSERT_EQ(table.rows.size(), 500u);
    for (size_t i = 1; i < table.rows.size(); ++i) {
        ASSERT_LE(table.rows[i - 1].date + table.rows[i - 1].time, table.rows[i].date + table.rows[i].time)
            << i;
    }
    EXPECT_EQ(table.tagList.size(), 6u);
    EXPECT_EQ(table.rows[0].tag, table.tagList[0]);
}

}  // namespace
}  // namespace logora::test
