#pragma once
// The record list as Qt sees it: only the row count is known in advance;
// every visible cell is asked of the document when it is drawn.

#include <QAbstractTableModel>
#include <vector>

namespace logora {
class CDatReaderDoc;
}

namespace logora::ui {

class RecordTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    RecordTableModel(CDatReaderDoc* document, const std::vector<int>& requestedStates, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Column insertions and deletions of a refresh, one at a time.
    void InsertColumn(int position);
    void RemoveColumn(int position);
    // Takes the document's record count; redraws the cells (their format may have changed).
    void ResetRows();

private:
    CDatReaderDoc* document_;
    const std::vector<int>& requested_;
    int columns_ = 0;
    int rows_ = 0;
};

}  // namespace logora::ui
