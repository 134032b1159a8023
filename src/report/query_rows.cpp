#include "report/query_rows.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

QVariantMap RowFromRecord(const QSqlRecord &record)
{
    QVariantMap row;
    for (int i = 0; i < record.count(); ++i)
        row.insert(record.fieldName(i).toUpper(), record.value(i));
    return row;
}

QList<QVariantMap> ReadAllRows(QSqlQuery &query)
{
    // The names once, the values row by row: a record per row would copy every field's
    // description for each of thousands of rows.
    QList<QVariantMap> rows;
    QStringList names;
    while (query.next()) {
        if (names.isEmpty()) {
            const QSqlRecord record = query.record();
            for (int i = 0; i < record.count(); ++i)
                names.append(record.fieldName(i).toUpper());
        }
        QVariantMap row;
        for (int i = 0; i < names.size(); ++i)
            row.insert(names.at(i), query.value(i));
        rows.append(row);
    }
    return rows;
}
