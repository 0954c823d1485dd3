#include "logora/ui/dialogs/DecimalOptionDlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "logora/engine/run/StringTable.h"
#include "logora/ui/dialogs/DecimalOptions.h"

namespace logora::ui {

DecimalOptionDlg::DecimalOptionDlg(QWidget* parent)
    : QDialog(parent),
      gridLines_(new QCheckBox("Show &grid lines", this)),
      digits_(new QLineEdit(this)),
      decimals_(new QLineEdit(this))
{
    setWindowTitle("Options");
    auto* group = new QGroupBox("Decimal format", this);
    auto* form = new QFormLayout(group);
    digits_->setMaximumWidth(40);
    decimals_->setMaximumWidth(40);
    form->addRow("Number of Digits(including decimal point) :", digits_);
    form->addRow("Digits After Decimal Point:", decimals_);
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gridLines_);
    layout->addWidget(group);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void DecimalOptionDlg::LoadControls()
{
    gridLines_->setChecked(m_bShowGridLines != 0);
    digits_->setText(QString::number(m_nFloatLength));
    decimals_->setText(QString::number(m_nDecimalCount));
}

void DecimalOptionDlg::accept()
{
    DecimalOptionsCheck check =
        CheckDecimalOptions(digits_->text().toStdString(), decimals_->text().toStdString());
    if (check.invalidField != DecimalOptionsCheck::kNone) {
        bool tooLarge = check.message == LoadString(strings::DecimalCountTooLarge);
        QMessageBox box(tooLarge ? QMessageBox::Warning : QMessageBox::Information,
                        QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size()),
                        QString::fromStdString(check.message), QMessageBox::Ok, this);
        box.exec();
        QLineEdit* field = check.invalidField == DecimalOptionsCheck::kDigits ? digits_ : decimals_;
        field->setFocus();
        field->selectAll();
        return;
    }
    m_nFloatLength = check.digits;
    m_nDecimalCount = check.decimals;
    m_bShowGridLines = gridLines_->isChecked() ? 1 : 0;
    QDialog::accept();
}

}  // namespace logora::ui
