#pragma once

#include <QList>
#include <QVariantMap>

class QSqlQuery;
class QSqlRecord;

// One result row as column name -> value.
QVariantMap RowFromRecord(const QSqlRecord &record);
// Reads the remaining rows of an executed query, in the order the store returns them.
QList<QVariantMap> ReadAllRows(QSqlQuery &query);
