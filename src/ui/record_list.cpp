#include "ui/record_list.h"

RecordList::RecordList(const QStringList &columns, QList<QVariantList> rows)
    : m_columns(columns)
    , m_rows(std::move(rows))
{
    for (int i = 0; i < columns.size(); ++i)
        m_index.insert(columns[i].toLower(), i);
}

int RecordList::columnIndex(const QString &column) const
{
    return m_index.value(column.toLower(), -1);
}

QVariant RecordList::value(int row, const QString &column) const
{
    const int c = columnIndex(column);
    if (row < 0 || row >= size() || c < 0 || c >= m_rows[row].size())
        return {};
    return m_rows[row][c];
}

QVariantMap RecordList::row(int index) const
{
    QVariantMap map;
    if (index < 0 || index >= size())
        return map;
    for (int c = 0; c < m_columns.size(); ++c)
        map.insert(m_columns[c], m_rows[index].value(c));
    return map;
}

int RecordList::findEqual(const QString &column, const QString &text) const
{
    const int c = columnIndex(column);
    for (int r = 0; c >= 0 && r < size(); ++r) {
        if (m_rows[r].value(c).toString().compare(text, Qt::CaseInsensitive) == 0)
            return r;
    }
    return -1;
}

int RecordList::findPrefix(const QString &column, const QString &text) const
{
    const int c = columnIndex(column);
    for (int r = 0; c >= 0 && r < size(); ++r) {
        if (m_rows[r].value(c).toString().startsWith(text, Qt::CaseSensitive))
            return r;
    }
    return -1;
}
