#include "report/report_data.h"

QVariant ColumnValue(const QVariantMap &row, const QString &column)
{
    const auto exact = row.constFind(column);
    if (exact != row.constEnd())
        return exact.value();
    for (auto it = row.constBegin(); it != row.constEnd(); ++it) {
        if (it.key().compare(column, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return {};
}

QVariant RowList::value(int row, const QString &column) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    return ColumnValue(m_rows.at(row), column);
}

bool ReportRow::isValid() const
{
    if (m_fixed)
        return true;
    return m_source && m_index >= 0 && m_index < m_source->rowCount();
}

QVariant ReportRow::value(const QString &column) const
{
    if (m_fixed)
        return ColumnValue(*m_fixed, column);
    if (m_source)
        return m_source->value(m_index, column);
    return {};
}
