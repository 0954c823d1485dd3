#include "logora/ui/columns/CSelectColumns.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "logora/ui/columns/CMutiTreeCtrl.h"

namespace logora::ui {

CSelectColumns::CSelectColumns(std::vector<int> columnStates, const QStringList& fieldNames, QWidget* parent)
    : QDialog(parent), tree_(new CMutiTreeCtrl(this)), states_(std::move(columnStates))
{
    setWindowTitle("Select Columns");
    for (qsizetype i = 0; i < fieldNames.size(); ++i) {
        auto* item = new QTreeWidgetItem(tree_, QStringList(fieldNames[i]));
        size_t index = static_cast<size_t>(i);
        int state = index < states_.size() && states_[index] == kUnchecked ? kUnchecked : kChecked;
        CMutiTreeCtrl::SetItemCheck(item, state, false);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_);
    layout->addWidget(buttons);
    resize(330, 360);
}

void CSelectColumns::accept()
{
    states_.clear();
    for (int i = 0; i < tree_->topLevelItemCount(); ++i)
        states_.push_back(CMutiTreeCtrl::GetItemCheck(tree_->topLevelItem(i)));
    QDialog::accept();
}

}  // namespace logora::ui
