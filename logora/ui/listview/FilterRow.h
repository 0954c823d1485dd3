#pragma once
// A row of edits under the list's header, one per column and lined up with
// the header's sections. Typing into any of them reports Edited after a
// short pause, so a filter is not started for every key.

#include <QWidget>
#include <vector>

class QHeaderView;
class QLineEdit;
class QTimer;

namespace logora::ui {

class FilterRow : public QWidget
{
    Q_OBJECT
public:
    FilterRow(QHeaderView* header, QWidget* parent);

    // Keeps the texts of the columns that stay.
    void SetColumnCount(int columns);
    int ColumnCount() const { return static_cast<int>(edits_.size()); }
    QLineEdit* Edit(int column) const { return edits_[static_cast<size_t>(column)]; }
    QString Text(int column) const;
    // Sets the text as the program's, not as typed: no Edited follows.
    void SetText(int column, const QString& text);
    // Marks the text as no value of its column.
    void SetInvalid(int column, bool invalid);
    // After the header's sections were resized or scrolled.
    void LayoutEdits();

signals:
    void Edited();

private:
    QHeaderView* header_;
    std::vector<QLineEdit*> edits_;
    QTimer* pause_;
};

}  // namespace logora::ui
