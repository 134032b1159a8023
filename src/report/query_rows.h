#pragma once

#include <QList>
#include <QVariantMap>

class QSqlQuery;
class QSqlRecord;

// One result row as column name -> value. Names are upper case, as the tables define them,
// whatever case the engine reports them in (the server reports them in lower case).
QVariantMap RowFromRecord(const QSqlRecord &record);
// Reads the remaining rows of an executed query, in the order the store returns them.
QList<QVariantMap> ReadAllRows(QSqlQuery &query);
