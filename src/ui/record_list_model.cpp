#include "ui/record_list_model.h"

RecordListModel::RecordListModel(QStringList columns, QStringList headers, QObject *parent)
    : QAbstractTableModel(parent)
    , m_columns(std::move(columns))
    , m_headers(std::move(headers))
{
}

void RecordListModel::setRows(const RecordList &rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int RecordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int RecordListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant RecordListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return m_rows.text(index.row(), m_columns.value(index.column()));
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal)
        return m_headers.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
