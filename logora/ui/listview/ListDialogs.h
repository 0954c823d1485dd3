#pragma once
// The small dialogs of the record list: Find and Filter.

#include <QDialog>
#include <vector>

#include "logora/ui/records/CellMatch.h"
#include "logora/ui/records/RecordScans.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace logora::ui {

class RecordCells;

class FindDialog : public QDialog
{
    Q_OBJECT
public:
    // `columns`: the shown column names; the choice -1 means all of them.
    FindDialog(const QStringList& columns, const TextQuery& last, int lastColumn, QWidget* parent);
    TextQuery Query() const;
    int Column() const;
    bool Backward() const { return backward_; }

private:
    QLineEdit* text_;
    QComboBox* column_;
    QCheckBox* matchCase_;
    QCheckBox* wholeCell_;
    bool backward_ = false;
};

class FilterDialog : public QDialog
{
    Q_OBJECT
public:
    // One line per shown column: "contains" text, and for numbers, dates and
    // times a range.
    FilterDialog(const RecordCells& cells, const std::vector<int>& fields, const QStringList& names,
                 const std::vector<ColumnFilter>& current, QWidget* parent);
    const std::vector<ColumnFilter>& Filters() const { return filters_; }

    void accept() override;

private:
    struct Line
    {
        int field;
        QLineEdit* contains;
        QLineEdit* from;
        QLineEdit* to;
    };
    const RecordCells& cells_;
    std::vector<Line> lines_;
    std::vector<ColumnFilter> filters_;
};

}  // namespace logora::ui
