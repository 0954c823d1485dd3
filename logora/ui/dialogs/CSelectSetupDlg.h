#pragma once
// Asks for the alarm setup file of an alarm log and the kind of terminal or
// runtime that wrote the log. The caller reads both however it was closed.
// Browsing leaves the working directory where it was.

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace logora::ui {

class CSelectSetupDlg : public QDialog
{
    Q_OBJECT
public:
    CSelectSetupDlg(const QString& alarmLogName, QWidget* parent = nullptr);

    QString m_strSetupFile;
    int m_nVersion = 5;

    QLineEdit* SetupEdit() const { return setupEdit_; }
    QRadioButton* VersionButton(int code) const;
    QPushButton* BrowseButton() const { return browse_; }

    void accept() override;

private:
    void Browse();

    QString alarmLogName_;
    QLineEdit* setupEdit_;
    QPushButton* browse_;
    std::vector<std::pair<int, QRadioButton*>> versions_;
};

}  // namespace logora::ui
