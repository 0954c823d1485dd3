#include "logora/ui/listview/RecordTableModel.h"

#include <algorithm>
#include <climits>
#include <string>

#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/ui/listview/ColumnStates.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

RecordTableModel::RecordTableModel(CDatReaderDoc* document, const std::vector<int>& requestedStates,
                                   QObject* parent)
    : QAbstractTableModel(parent), document_(document), requested_(requestedStates)
{}

int RecordTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int RecordTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !document_ || !index.isValid()) return {};
    std::string text;
    document_->GetValue(index.row(), MapColumnToField(requested_, index.column()), text);
    return ToQString(text);
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::TextAlignmentRole && orientation == Qt::Horizontal)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (!document_) return {};
    int field = MapColumnToField(requested_, section);
    if (field >= document_->GetFieldCount()) return {};
    return ToQString(document_->GetField(field).Name());
}

void RecordTableModel::InsertColumn(int position)
{
    beginInsertColumns({}, position, position);
    ++columns_;
    endInsertColumns();
}

void RecordTableModel::RemoveColumn(int position)
{
    beginRemoveColumns({}, position, position);
    --columns_;
    endRemoveColumns();
}

void RecordTableModel::ResetRows()
{
    // A view shows at most INT_MAX rows; the status pane still tells the full
    // count. Rows change by insertion and removal so column widths stay.
    int rows = document_ ? static_cast<int>(std::min<int64_t>(document_->GetRecordCount(), INT_MAX)) : 0;
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    } else if (rows_ > 0 && columns_ > 0) {
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
    }
}

}  // namespace logora::ui
