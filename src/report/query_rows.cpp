#include "report/query_rows.h"

#include <QSqlQuery>
#include <QSqlRecord>

QVariantMap RowFromRecord(const QSqlRecord &record)
{
    QVariantMap row;
    for (int i = 0; i < record.count(); ++i)
        row.insert(record.fieldName(i).toUpper(), record.value(i));
    return row;
}

QList<QVariantMap> ReadAllRows(QSqlQuery &query)
{
    QList<QVariantMap> rows;
    while (query.next())
        rows.append(RowFromRecord(query.record()));
    return rows;
}
