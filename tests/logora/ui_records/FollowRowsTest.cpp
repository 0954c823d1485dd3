// The list follows the end only when its last row was in view; the status
// note groups the count's digits.
#include "logora/ui/records/FollowRows.h"

#include <gtest/gtest.h>

namespace logora::ui {
namespace {

TEST(FollowRows, TheEndIsFollowedOnlyWhenTheLastRowWasInView)
{
    EXPECT_TRUE(ShowsLastRow(0, 20, 0));
    EXPECT_TRUE(ShowsLastRow(0, 20, 12));
    EXPECT_TRUE(ShowsLastRow(80, 20, 100));
    EXPECT_FALSE(ShowsLastRow(79, 20, 100));
    EXPECT_FALSE(ShowsLastRow(0, 20, 100));
}

TEST(FollowRows, TheNoteGroupsThousands)
{
    EXPECT_EQ(FollowingText(1), "Following: 1 new record");
    EXPECT_EQ(FollowingText(999), "Following: 999 new records");
    EXPECT_EQ(FollowingText(1234), "Following: 1,234 new records");
    EXPECT_EQ(FollowingText(1234567), "Following: 1,234,567 new records");
}

}  // namespace
}  // namespace logora::ui
