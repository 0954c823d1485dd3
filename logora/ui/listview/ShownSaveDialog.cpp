#include "logora/ui/listview/ShownSaveDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace logora::ui {

ShownSaveDialog::ShownSaveDialog(const QStringList& columns, int64_t all, int64_t filtered, bool isFiltered,
                                 int64_t selected, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle("Save Shown");
    auto* layout = new QVBoxLayout(this);
    auto* named = new QLabel(QString("Columns, in this order: %1").arg(columns.join(", ")), this);
    named->setWordWrap(true);
    layout->addWidget(named);
    all_ = new QRadioButton(QString("&All %L1 records, in the list's order").arg(all), this);
    filtered_ = new QRadioButton(QString("The %L1 &filtered records").arg(filtered), this);
    selected_ = new QRadioButton(QString("The %L1 &selected records").arg(selected), this);
    filtered_->setEnabled(isFiltered);
    selected_->setEnabled(selected > 0);
    // The narrowest choice there is: most likely what is meant.
    (selected > 1 ? selected_ : isFiltered ? filtered_ : all_)->setChecked(true);
    for (QRadioButton* choice : {all_, filtered_, selected_}) layout->addWidget(choice);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

ShownScope ShownSaveDialog::Scope() const
{
    if (selected_->isChecked()) return ShownScope::Selected;
    return filtered_->isChecked() ? ShownScope::Filtered : ShownScope::All;
}

}  // namespace logora::ui
