#include "logora/ui/app/ViewerDialogs.h"

#include <QApplication>
#include <QMainWindow>

#include "logora/ui/dialogs/CSelectSetupDlg.h"
#include "logora/ui/dialogs/CSetTimeZoneDialog.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

namespace {

// The main window, so the dialog sits over it and hands the focus back to it.
QWidget* DialogParent()
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(top) && top->isVisible()) return top;
    return QApplication::activeWindow();
}

}  // namespace

bool ViewerDialogs::ChooseTimeZone(int& index)
{
    CSetTimeZoneDialog dialog(index, DialogParent());
    if (dialog.exec() != QDialog::Accepted) return false;
    index = dialog.SelectedIndex();
    return true;
}

void ViewerDialogs::SelectAlarmSetup(const std::string& alarmLogPath, std::string& setupPath, int& version)
{
    CSelectSetupDlg dialog(ToQString(alarmLogPath), DialogParent());
    dialog.exec();
    setupPath = FromQString(dialog.m_strSetupFile);
    version = dialog.m_nVersion;
}

}  // namespace logora::ui
