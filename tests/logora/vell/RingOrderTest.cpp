// Ring order, counts and corrupt ring headers.
#include "VellTestSupport.h"
#include "logora/engine/vell/VellRing.h"

namespace logora::test {
namespace {

using vellgen::Int32Record;
using vellgen::LogRecord;

// Slot i holds a record whose milliseconds are i, so the order shows.
std::vector<LogRecord> numberedSlots(int count)
{
    std::vector<LogRecord> slots;
    for (int i = 0; i < count; ++i) slots.push_back(Int32Record(1000000 + static_cast<uint32_t>(i), i, 1, i));
    return slots;
}

struct RingCase
{
    const char* name;
    int32_t count, oldest, newest;
    int slotsInFile;
    std::vector<int> expectedOrder;
    bool corrupt;
};

void PrintTo(const RingCase& c, std::ostream* os)
{
    *os << c.name;
}

class RingOrderTest : public VellTest, public testing::WithParamInterface<RingCase>
{
};

TEST_P(RingOrderTest, ConvertsTheRingOldestFirst)
{
    const RingCase& c = GetParam();
    vellgen::DatalogHeader header;
    header.count = c.count;
    header.oldest = c.oldest;
    header.newest = c.newest;
    writeLog("ring.log", vellgen::BuildDatalog(header, numberedSlots(c.slotsInFile)));
    ConvertedTable table = convert("ring.log");

    std::vector<int> order;
    for (const TableRow& row : table.rows) order.push_back(static_cast<int>(row.value));
    EXPECT_EQ(order, c.expectedOrder);
    EXPECT_EQ(table.converted, !c.corrupt);
    EXPECT_EQ(!table.error.empty(), c.corrupt) << table.error;
    if (c.corrupt) {
        EXPECT_NE(table.error.find("ring.log"), std::string::npos) << table.error;
    }
    // The header states exactly the records written, and the file ends with 0x1A.
    ASSERT_FALSE(table.fileBytes.empty());
    EXPECT_EQ(table.fileBytes.back(), 0x1A);
    EXPECT_EQ(table.fileBytes.size(), 32u + 32u * 7u + 1u + order.size() * table.recordLength + 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RingOrderTest,
    testing::Values(RingCase{"Wrapped", 10, 4, 3, 10, {4, 5, 6, 7, 8, 9, 0, 1, 2, 3}, false},
                    // S > E + 1: S to N - 1, then 0 to E, nothing beyond the ring.
                    RingCase{"WrappedWithGap", 10, 7, 2, 10, {7, 8, 9, 0, 1, 2}, false},
                    RingCase{"NotWrapped", 6, 2, 5, 6, {0, 1, 2, 3, 4, 5}, false},
                    RingCase{"EqualIndexes", 4, 3, 3, 4, {0, 1, 2, 3}, false},
                    // Unwrapped: every record in file order, wherever S and E point.
                    RingCase{"NotWrappedNewestBeyond", 10, 0, 12, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, false},
                    RingCase{
                        "NotWrappedOldestNegative", 10, -1, 9, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, false},
                    RingCase{"Empty", 0, 0, 0, 0, {}, false},
                    // An empty ring cannot have wrapped: its indexes point at no record.
                    RingCase{"EmptyWrapped", 0, 13, 12, 0, {}, true},
                    RingCase{"EmptyWithStrayIndexes", 0, 5, -1, 0, {}, true},
                    RingCase{"OldestOutside", 5, 5, 2, 5, {0, 1, 2, 3, 4}, true},
                    RingCase{"NewestNegative", 5, 1, -1, 5, {0, 1, 2, 3, 4}, true},
                    RingCase{"NegativeCount", -3, 0, 0, 2, {}, true},
                    RingCase{"FileTooShort", 8, 0, 7, 5, {0, 1, 2, 3, 4}, true},
                    RingCase{"WrappedFileTooShort", 8, 6, 5, 7, {6, 0, 1, 2, 3, 4, 5}, true},
                    RingCase{"HugeCount", 0x7FFFFFFF, 3, 1, 4, {3, 0, 1}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VellRingTest, PlanCountsWithoutTouchingRecords)
{
    vell::RingPlan plan = vell::PlanRingOrder(0x7FFFFFFF, 0x7FFFFFFE, 0, 0x7FFFFFFF);
    EXPECT_TRUE(plan.problem.empty());
    EXPECT_EQ(plan.total, 2);
    ASSERT_EQ(plan.rangeCount, 2);
    EXPECT_EQ(plan.ranges[0].first, 0x7FFFFFFE);
    EXPECT_EQ(plan.ranges[0].end, 0x7FFFFFFF);
}

}  // namespace
}  // namespace logora::test
