#pragma once
// Lists the command-line switches with examples.

#include <QDialog>

namespace logora::ui {

class CDlgCmdLineUsingHelp : public QDialog
{
    Q_OBJECT
public:
    explicit CDlgCmdLineUsingHelp(QWidget* parent = nullptr);
};

// The About box with the program's version.
class AboutDlg : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDlg(QWidget* parent = nullptr);
    // "%ld.%ld.%ld.%ld" of the version the program was built as.
    static QString VersionText();
};

}  // namespace logora::ui
