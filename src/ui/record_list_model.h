#pragma once

#include "ui/record_list.h"

#include <QAbstractTableModel>
#include <QStringList>

// Chosen columns of a RecordList for a list or grid view; a model over the list itself, so a list
// of many thousand rows is shown without copying it into items.
class RecordListModel final : public QAbstractTableModel
{
public:
    RecordListModel(QStringList columns, QStringList headers, QObject *parent);

    void setRows(const RecordList &rows);
    const RecordList &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent) const override;
    int columnCount(const QModelIndex &parent) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_columns;
    QStringList m_headers;
    RecordList m_rows;
};
