#include <gtest/gtest.h>

#include <QTest>

#include "QtTestApp.h"
#include "logora/ui/columns/CMutiTreeCtrl.h"
#include "logora/ui/columns/CSelectColumns.h"

namespace logora::ui {
namespace {

class CheckTreeTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { EnsureQtApplication(); }

    // root
    //   group A: a1, a2
    //   group B: b1 (with sub-group: b1x)
    void SetUp() override
    {
        root = new QTreeWidgetItem(&tree, QStringList("root"));
        groupA = new QTreeWidgetItem(root, QStringList("A"));
        a1 = new QTreeWidgetItem(groupA, QStringList("a1"));
        a2 = new QTreeWidgetItem(groupA, QStringList("a2"));
        groupB = new QTreeWidgetItem(root, QStringList("B"));
        b1 = new QTreeWidgetItem(groupB, QStringList("b1"));
        b1x = new QTreeWidgetItem(b1, QStringList("b1x"));
        for (auto* item : {root, groupA, a1, a2, groupB, b1, b1x})
            CMutiTreeCtrl::SetItemCheck(item, kUnchecked, false);
    }

    static int State(QTreeWidgetItem* item) { return CMutiTreeCtrl::GetItemCheck(item); }

    CMutiTreeCtrl tree;
    QTreeWidgetItem *root, *groupA, *a1, *a2, *groupB, *b1, *b1x;
};

TEST_F(CheckTreeTest, CheckingSomeChildrenMarksEveryAncestorPartlyChecked)
{
    CMutiTreeCtrl::SetItemCheck(a1, kChecked, true);
    EXPECT_EQ(State(groupA), kPartlyChecked);
    EXPECT_EQ(State(root), kPartlyChecked);
    EXPECT_EQ(State(groupB), kUnchecked);
}

TEST_F(CheckTreeTest, CheckingAllChildrenChecksTheGroupAndItsParentWhenAllAgree)
{
    CMutiTreeCtrl::SetItemCheck(a1, kChecked, true);
    CMutiTreeCtrl::SetItemCheck(a2, kChecked, true);
    EXPECT_EQ(State(groupA), kChecked);
    EXPECT_EQ(State(root), kPartlyChecked);  // group B still unchecked
    CMutiTreeCtrl::SetItemCheck(b1x, kChecked, true);
    EXPECT_EQ(State(b1), kChecked);
    EXPECT_EQ(State(groupB), kChecked);
    EXPECT_EQ(State(root), kChecked);
}

TEST_F(CheckTreeTest, TogglingAGroupSetsEveryDescendant)
{
    CMutiTreeCtrl::ToggleItem(root);
    for (auto* item : {root, groupA, a1, a2, groupB, b1, b1x}) EXPECT_EQ(State(item), kChecked);
    CMutiTreeCtrl::ToggleItem(groupB);
    EXPECT_EQ(State(b1x), kUnchecked);
    EXPECT_EQ(State(root), kPartlyChecked);
    CMutiTreeCtrl::ToggleItem(root);  // partly checked toggles to checked
    EXPECT_EQ(State(root), kChecked);
    EXPECT_EQ(State(b1x), kChecked);
}

TEST_F(CheckTreeTest, ItemsWithoutBoxAreNeverChangedBySpreadingBeyondTheFirstChild)
{
    CMutiTreeCtrl::SetItemCheck(a2, kNoCheckBox, false);
    CMutiTreeCtrl::SetItemCheck(groupA, kChecked, true);
    EXPECT_EQ(State(a1), kChecked);
    EXPECT_EQ(State(a2), kNoCheckBox);
}

TEST_F(CheckTreeTest, SpaceTogglesTheCurrentItemAndClicksOnlyToggleOnTheBox)
{
    tree.expandAll();
    tree.resize(300, 300);
    tree.show();
    tree.setCurrentItem(a1);
    QTest::keyClick(tree.viewport(), Qt::Key_Space);
    EXPECT_EQ(State(a1), kChecked);
    QTest::keyClick(tree.viewport(), Qt::Key_Space);
    EXPECT_EQ(State(a1), kUnchecked);

    QRect text = tree.visualItemRect(a2);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(text.right() - 5, text.center().y()));
    EXPECT_EQ(State(a2), kUnchecked);
    EXPECT_EQ(tree.currentItem(), a2);

    QRect box = tree.StateIconRect(a1);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_EQ(State(a1), kChecked);
    EXPECT_EQ(tree.currentItem(), a1);
}

TEST_F(CheckTreeTest, ColumnDialogShowsStatesOtherThanHiddenAsCheckedAndReturnsTreeStates)
{
    CSelectColumns dialog({3, 1, 2, 0}, {"Date", "Time", "Value", "Status"});
    auto* tree = dialog.Tree();
    ASSERT_EQ(tree->topLevelItemCount(), 4);
    EXPECT_EQ(State(tree->topLevelItem(0)), kChecked);
    EXPECT_EQ(State(tree->topLevelItem(1)), kUnchecked);
    EXPECT_EQ(State(tree->topLevelItem(2)), kChecked);
    EXPECT_EQ(State(tree->topLevelItem(3)), kChecked);
    CMutiTreeCtrl::ToggleItem(tree->topLevelItem(0));
    dialog.accept();
    EXPECT_EQ(dialog.Result(), (std::vector<int>{1, 1, 3, 3}));

    CSelectColumns cancelled({3, 1}, {"A", "B"});
    CMutiTreeCtrl::ToggleItem(cancelled.Tree()->topLevelItem(1));
    cancelled.reject();
    EXPECT_EQ(cancelled.Result(), (std::vector<int>{3, 1}));
}

}  // namespace
}  // namespace logora::ui
