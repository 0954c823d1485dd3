#pragma once
// The Options dialog: grid lines in the record list and the format of
// floating-point values. Closed with OK only when the values pass their checks.

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace logora::ui {

class DecimalOptionDlg : public QDialog
{
    Q_OBJECT
public:
    explicit DecimalOptionDlg(QWidget* parent = nullptr);

    int m_nFloatLength = 17;
    int m_nDecimalCount = 8;
    int m_bShowGridLines = 0;

    // Puts the members into the controls; call before exec().
    void LoadControls();
    QLineEdit* DecimalsEdit() const { return decimals_; }

    // Shows its message and keeps the dialog open when a check fails.
    void accept() override;

private:
    QCheckBox* gridLines_;
    QLineEdit* digits_;
    QLineEdit* decimals_;
};

}  // namespace logora::ui
