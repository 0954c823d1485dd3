#include "logora/ui/app/ViewerDialogs.h"

#include <QApplication>

#include "logora/ui/dialogs/CSelectSetupDlg.h"
#include "logora/ui/dialogs/CSetTimeZoneDialog.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

bool ViewerDialogs::ChooseTimeZone(int& index)
{
    CSetTimeZoneDialog dialog(index, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return false;
    index = dialog.SelectedIndex();
    return true;
}

void ViewerDialogs::SelectAlarmSetup(const std::string& alarmLogPath, std::string& setupPath, int& version)
{
    CSelectSetupDlg dialog(ToQString(alarmLogPath), QApplication::activeWindow());
    dialog.exec();
    setupPath = FromQString(dialog.m_strSetupFile);
    version = dialog.m_nVersion;
}

}  // namespace logora::ui
