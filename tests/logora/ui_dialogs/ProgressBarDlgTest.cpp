#include "logora/ui/progress/ProgressBarDlg.h"

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QPushButton>

#include "QtTestApp.h"

namespace logora::ui {
namespace {

TEST(ProgressBarDlg, BarAppearsWithTheFirstProgressAndShowsTruncatedPercentages)
{
    EnsureQtApplication();
    ProgressBarDlg dialog("Save File As CSV File", "Converting file: a.dbf");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.BarShown());
    struct
    {
        uint32_t total, done;
        int shown;
    } cases[] = {{0, 0, 100}, {200, 50, 25}, {3, 1, 33}, {3, 3, 100}, {4000000000u, 1, 0}};
    for (auto c : cases) {
        dialog.SetProgress(c.total, c.done);
        EXPECT_EQ(dialog.Position(), c.shown) << c.total << "/" << c.done;
    }
    EXPECT_TRUE(dialog.BarShown());
    EXPECT_FALSE(dialog.IsCancelled());
    dialog.CancelButton()->click();
    dialog.CancelButton()->click();
    EXPECT_TRUE(dialog.IsCancelled());
    EXPECT_TRUE(dialog.isVisible());  // Cancel only raises the flag
}

TEST(ProgressBarDlg, OpensOverTheMiddleOfTheMainWindow)
{
    EnsureQtApplication();
    QMainWindow main;
    main.setGeometry(300, 200, 900, 600);
    main.show();
    QWidget elsewhere;  // an owner far from the main window
    elsewhere.setGeometry(0, 0, 50, 50);
    ProgressBarDlg dialog("Open File...", "Reading file: a.dat", &elsewhere);
    QPoint offset = dialog.frameGeometry().center() - main.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);
}

}  // namespace
}  // namespace logora::ui
