#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "QtTestApp.h"
#include "logora/engine/run/StringTable.h"
#include "logora/engine/timezone/TimeZoneTable.h"
#include "logora/ui/dialogs/CSelectSetupDlg.h"
#include "logora/ui/dialogs/CSetTimeZoneDialog.h"
#include "logora/ui/dialogs/DecimalOptionDlg.h"
#include "logora/ui/dialogs/DecimalOptions.h"

namespace logora::ui {
namespace {

class DialogsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { EnsureQtApplication(); }
};

TEST(DecimalOptions, RangeChecksComeBeforeTheComparison)
{
    struct Case
    {
        const char *digits, *decimals;
        DecimalOptionsCheck::Field invalid;
    } cases[] = {
        {"17", "16", DecimalOptionsCheck::kNone},    {"17", "17", DecimalOptionsCheck::kDecimals},
        {"1", "17", DecimalOptionsCheck::kDigits},   {"100", "8", DecimalOptionsCheck::kDigits},
        {"99", "0", DecimalOptionsCheck::kDecimals}, {"abc", "8", DecimalOptionsCheck::kDigits},
        {" 12 ", "+3", DecimalOptionsCheck::kNone},  {"2", "1", DecimalOptionsCheck::kNone},
        {"12x", "3", DecimalOptionsCheck::kDigits},
    };
    for (const Case& c : cases) {
        DecimalOptionsCheck check = CheckDecimalOptions(c.digits, c.decimals);
        EXPECT_EQ(check.invalidField, c.invalid) << c.digits << "/" << c.decimals;
    }
    EXPECT_EQ(CheckDecimalOptions("17", "17").message, LoadString(strings::DecimalCountTooLarge));
    EXPECT_NE(CheckDecimalOptions("1", "17").message, LoadString(strings::DecimalCountTooLarge));
}

TEST_F(DialogsTest, DecimalsNotBelowDigitsKeepTheDialogOpenWithFocusOnDecimals)
{
    DecimalOptionDlg dialog;
    dialog.m_nFloatLength = 17;
    dialog.m_nDecimalCount = 17;
    dialog.LoadControls();
    dialog.show();
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    dialog.accept();
    EXPECT_EQ(shown.toStdString(), LoadString(strings::DecimalCountTooLarge));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), dialog.DecimalsEdit());

    dialog.DecimalsEdit()->setText("16");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_nDecimalCount, 16);
}

TEST_F(DialogsTest, SetupDialogStartsWithVersionFiveAndTrimsTheTypedPath)
{
    CSelectSetupDlg dialog("history.alm");
    EXPECT_EQ(dialog.m_nVersion, 5);
    EXPECT_TRUE(dialog.VersionButton(5)->isChecked());
    dialog.VersionButton(3)->click();
    EXPECT_EQ(dialog.m_nVersion, 3);
    dialog.SetupEdit()->setText("  /data/MachineAlarms.mal  ");
    dialog.accept();
    EXPECT_EQ(dialog.m_strSetupFile, "/data/MachineAlarms.mal");
}

TEST_F(DialogsTest, SetupBrowsingStartsInTheAlarmLogsFolder)
{
    QTemporaryDir logs;
    ASSERT_TRUE(logs.isValid());
    CSelectSetupDlg dialog(QDir(logs.path()).filePath("history.alm"));
    QString started;
    QTimer::singleShot(0, [&] {
        if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            started = files->directory().canonicalPath();
            files->reject();
        }
    });
    dialog.BrowseButton()->click();
    EXPECT_EQ(started.toStdString(), QDir(logs.path()).canonicalPath().toStdString());
    EXPECT_TRUE(dialog.SetupEdit()->text().isEmpty());  // cancelled: nothing chosen
}

// A system file dialog may move the working directory to the folder it
// showed; the setup dialog moves it back.
TEST_F(DialogsTest, SetupBrowsingLeavesTheWorkingDirectoryWhereItWas)
{
    QTemporaryDir logs;
    ASSERT_TRUE(logs.isValid());
    const QString before = QDir::currentPath();
    CSelectSetupDlg dialog(QDir(logs.path()).filePath("history.alm"));
    QTimer::singleShot(0, [&] {
        if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            QDir::setCurrent(logs.path());
            files->reject();
        }
    });
    dialog.BrowseButton()->click();
    const QString after = QDir::currentPath();
    QDir::setCurrent(before);
    EXPECT_EQ(after.toStdString(), before.toStdString());
}

TEST_F(DialogsTest, TypingNarrowsTheTimeZoneListAndKeepsTheTableIndex)
{
    const TimeZoneTable& table = LoadTimeZoneTable(nullptr);
    ASSERT_GT(table.size(), 10u);
    CSetTimeZoneDialog dialog(0, nullptr);
    int all = dialog.VisibleZones();
    dialog.Filter("tokyo");
    ASSERT_GE(dialog.VisibleZones(), 1);
    EXPECT_LT(dialog.VisibleZones(), all);
    dialog.accept();
    ASSERT_GE(dialog.SelectedIndex(), 0);
    EXPECT_NE(QString::fromStdString(table[size_t(dialog.SelectedIndex())]->DisplayName).indexOf("Tokyo"),
              -1);
}

TEST(TimeZonePreselection, GivenIndexWinsElseFirstNameStartingWithTheCurrentZone)
{
    std::vector<std::string> names = {"(UTC-05:00) America/New_York", "(UTC+01:00) Europe/Berlin",
                                      "(UTC+01:00) Europe/Berlin2"};
    EXPECT_EQ(PreselectedTimeZone(names, 2, "(UTC+01:00) Europe/Berlin"), 2);
    EXPECT_EQ(PreselectedTimeZone(names, -1, "(utc+01:00) europe/berlin"), 1);
    EXPECT_EQ(PreselectedTimeZone(names, -1, "(UTC+09:00) Asia/Tokyo"), -1);
    EXPECT_EQ(PreselectedTimeZone(names, -1, ""), -1);
    EXPECT_EQ(PreselectedTimeZone(names, 7, ""), -1);
}

}  // namespace
}  // namespace logora::ui
