#pragma once
// Save Shown's question before the file name: which records, with the
// columns that will be written named.

#include <QDialog>
#include <cstdint>

#include "logora/ui/records/ShownScope.h"

class QRadioButton;

namespace logora::ui {

class ShownSaveDialog : public QDialog
{
    Q_OBJECT
public:
    // `columns`: the shown columns' headings, left to right; `filtered` and
    // `selected` the records the filter shows and those selected (a choice
    // is offered only for records there are).
    ShownSaveDialog(const QStringList& columns, int64_t all, int64_t filtered, bool isFiltered,
                    int64_t selected, QWidget* parent);
    ShownScope Scope() const;

private:
    QRadioButton* all_;
    QRadioButton* filtered_;
    QRadioButton* selected_;
};

}  // namespace logora::ui
