#pragma once
// The Select Columns dialog: one checked item per field of the table. OK
// gives back one state per field (3 shown, 1 hidden); Cancel changes nothing.

#include <QDialog>
#include <QStringList>
#include <vector>

namespace logora::ui {

class CMutiTreeCtrl;

class CSelectColumns : public QDialog
{
    Q_OBJECT
public:
    CSelectColumns(std::vector<int> columnStates, const QStringList& fieldNames, QWidget* parent = nullptr);

    const std::vector<int>& Result() const { return states_; }
    CMutiTreeCtrl* Tree() const { return tree_; }

    void accept() override;

private:
    CMutiTreeCtrl* tree_;
    std::vector<int> states_;
};

}  // namespace logora::ui
