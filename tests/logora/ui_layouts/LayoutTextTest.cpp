#include <gtest/gtest.h>

#include <string>

#include "SampleLayout.h"
#include "logora/ui/layouts/LayoutText.h"

namespace logora::ui {
namespace {

TEST(LayoutText, RoundTripsOddPathsAndFilterTexts)
{
    const std::vector<KeptLayout> layouts = {{"/data/with space/a\\b\nc.LOG", SampleLayout()},
                                             {"/x.DBF", ListLayout{.columns = {{true, 10}}}}};
    EXPECT_EQ(ParseLayouts(LayoutsText(layouts)), layouts);
}

TEST(LayoutText, DamagedLayoutsAreLeftOutAndForeignTextsGiveNone)
{
    const std::string good = "file /good\ncolumns s:10 h:0\nend\n";
    for (const char* damaged : {
             "file /a\ncolumns s:10 x:5\nend\n",                          // unknown state
             "file /a\ncolumns s:99999999999\nend\n",                     // width beyond int
             "file /a\ncolumns s:10\nsort 0 up\nend\n",                   // direction
             "file /a\ncolumns s:10\nwindow 1 2 0 4 0\nend\n",            // empty window
             "file /a\ncolumns s:10\nfilter 0 bad\\q\nend\n",             // escape
             "file /a\ncolumns s:10\nshade 3\nend\n",                     // unknown line
             "file \ncolumns s:10\nend\n",                                // no path
             "file /a\ncolumns s:10\nhidepen T\nend\n",                   // pen before its plot
             "file /a\ncolumns s:10\nplot 0\nplotview 5 1 0 1\nend\n",    // empty time range
             "file /a\ncolumns s:10\nplot 0\nplotview 1 5 nan 1\nend\n",  // not a number
         })
        EXPECT_EQ(ParseLayouts("logora layouts 1\n" + std::string(damaged) + good),
                  (std::vector<KeptLayout>{{"/good", {.columns = {{true, 10}, {false, 0}}}}}))
            << damaged;
    // Cut off before its end.
    EXPECT_TRUE(ParseLayouts("logora layouts 1\nfile /a\ncolumns s:10\n").empty());
    EXPECT_TRUE(ParseLayouts("logora layouts 2\n" + good).empty());
    EXPECT_TRUE(ParseLayouts(std::string("\0\xff\n", 3) + good).empty());
}

TEST(LayoutText, FitsOnlyATableOfItsFields)
{
    EXPECT_TRUE(LayoutFitsTable(SampleLayout(), 3));
    EXPECT_FALSE(LayoutFitsTable(SampleLayout(), 4));
    ListLayout sortBeyond = SampleLayout();
    sortBeyond.sortField = 3;
    EXPECT_FALSE(LayoutFitsTable(sortBeyond, 3));
    ListLayout filterBeyond = SampleLayout();
    filterBeyond.filters.push_back({5, "1"});
    EXPECT_FALSE(LayoutFitsTable(filterBeyond, 3));
    EXPECT_FALSE(LayoutFitsTable({.columns = {{false, 0}, {false, 0}}}, 2));
}

}  // namespace
}  // namespace logora::ui
