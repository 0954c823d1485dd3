#pragma once
// The columns of the record list as Qt's header sees them: one section per
// shown field, named after it. Cells are not held here; the list asks the
// document for each visible cell as it paints.

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
    // The same table converted again.
    void SetDocument(CDatReaderDoc* document) { document_ = document; }

private:
    CDatReaderDoc* document_;
    const std::vector<int>& requested_;
    int columns_ = 0;
};

}  // namespace logora::ui
