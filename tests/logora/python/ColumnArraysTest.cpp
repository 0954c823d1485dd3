#include "logora/python/ColumnArrays.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using logora::CellKind;
using logora::CivilTime;
using logora::RowCell;
using logora::RowLayout;
using logora::python::ColumnArrays;
using logora::python::kMissingTime;

RowLayout EveryKind()
{
    RowLayout layout;
    layout.columns = {{"Value", CellKind::Number, 2}, {"Internal", CellKind::Integer},
                      {"Date", CellKind::Date},       {"Time", CellKind::Time},
                      {"Stamp", CellKind::DateTime},  {"Tag", CellKind::Text}};
    layout.hasTimeStamp = true;
    layout.announcedRecords = 3;
    return layout;
}

// Cells with a value: empty, number, integer, when, text.
RowCell Number(double value)
{
    return {false, value, 0, {}, {}};
}
RowCell Integer(int64_t value)
{
    return {false, 0, value, {}, {}};
}
RowCell When(CivilTime when)
{
    return {false, 0, 0, when, {}};
}
RowCell Text(std::string_view text)
{
    return {false, 0, 0, {}, text};
}

TEST(ColumnArrays, EachKindLandsInTheElementTypeOfItsNumpyArray)
{
    ColumnArrays columns("plant.log");
    ASSERT_TRUE(columns.Prepare(""));
    ASSERT_TRUE(columns.BeginRows(EveryKind()));
    EXPECT_GE(columns.Columns()[0].numbers.capacity(), 3u);
    EXPECT_GE(columns.TimeStamps().capacity(), 3u);

    const CivilTime leap{2024, 2, 29, 23, 59, 58, 999};
    const CivilTime beforeEpoch{1969, 12, 31, 0, 0, 1, 500};
    const RowCell first[] = {Number(1.25), Integer(-7), When(leap), When(leap), When(leap), Text("Boiler")};
    const RowCell second[] = {RowCell{}, RowCell{}, RowCell{}, RowCell{}, RowCell{}, RowCell{}};
    // A cell whose CSV text is not of its kind is empty, its text aside.
    RowCell unreadable;
    unreadable.text = "n/a";
    const RowCell third[] = {unreadable,        Integer(INT64_MAX), When(beforeEpoch),
                             When(beforeEpoch), When(beforeEpoch),  Text("Boiler")};
    ASSERT_TRUE(columns.PutRow(first, &leap));
    ASSERT_TRUE(columns.PutRow(second, nullptr));
    ASSERT_TRUE(columns.PutRow(third, &beforeEpoch));
    ASSERT_TRUE(columns.Finish(true));
    ASSERT_TRUE(columns.Complete());
    EXPECT_EQ(columns.RowCount(), 3);

    auto& buffers = columns.Columns();
    EXPECT_EQ(buffers[0].numbers[0], 1.25);
    EXPECT_TRUE(std::isnan(buffers[0].numbers[1]));
    EXPECT_TRUE(std::isnan(buffers[0].numbers[2]));
    EXPECT_EQ(buffers[1].integers, (std::vector<int64_t>{-7, 0, INT64_MAX}));
    EXPECT_EQ(buffers[1].emptyRows, (std::vector<int64_t>{1}));
    // 2024-02-29 is day 19782 since 1970; one day before the epoch is negative.
    const int64_t leapMs = 19782LL * 86'400'000 + 86'398'999;
    EXPECT_EQ(buffers[2].integers, (std::vector<int64_t>{leapMs, kMissingTime, -86'398'500}));
    EXPECT_EQ(buffers[3].integers, (std::vector<int64_t>{86'398'999, kMissingTime, 1'500}));
    EXPECT_EQ(buffers[4].integers, buffers[2].integers);
    EXPECT_EQ(columns.TimeStamps(), buffers[2].integers);
    const auto& texts = buffers[5].texts;
    EXPECT_EQ(texts.codes, (std::vector<uint32_t>{0, 1, 0}));
    EXPECT_EQ(texts.distinct, (std::deque<std::string>{"Boiler", ""}));
}

TEST(ColumnArrays, AnIncompleteTableKeepsNoColumns)
{
    ColumnArrays columns("plant.log");
    const RowCell cells[] = {Number(1), Integer(2), RowCell{}, RowCell{}, RowCell{}, Text("a")};
    EXPECT_FALSE(columns.PutRow(cells, nullptr));
    EXPECT_FALSE(columns.Failure().empty());

    ASSERT_TRUE(columns.BeginRows(EveryKind()));
    ASSERT_TRUE(columns.PutRow(cells, nullptr));
    EXPECT_FALSE(columns.Finish(false));
    EXPECT_FALSE(columns.Complete());
    EXPECT_TRUE(columns.Columns().empty());
    EXPECT_EQ(columns.Failure(), "plant.log: the rows were not complete");
}

}  // namespace
