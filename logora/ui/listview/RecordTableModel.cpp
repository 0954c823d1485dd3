#include "logora/ui/listview/RecordTableModel.h"

#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/ui/listview/ColumnStates.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

RecordTableModel::RecordTableModel(CDatReaderDoc* document, const std::vector<int>& requestedStates,
                                   QObject* parent)
    : QAbstractTableModel(parent), document_(document), requested_(requestedStates)
{}

int RecordTableModel::rowCount(const QModelIndex&) const
{
    return 0;
}

int RecordTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant RecordTableModel::data(const QModelIndex&, int) const
{
    return {};
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole || !document_) return {};
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

}  // namespace logora::ui
