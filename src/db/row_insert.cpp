#include "db/row_insert.h"

#include "db/schema.h"
#include "db/sql_statement.h"

bool InsertFullRow(QSqlDatabase db, const QString &table, const QVariantMap &values, QString *error)
{
    const TableDef *def = FindTable(table);
    if (!def) {
        if (error)
            *error = QStringLiteral("Unknown table %1").arg(table);
        return false;
    }
    QStringList columns, parameters;
    for (const ColumnDef &column : def->columns) {
        if (column.type == ColumnType::AutoInc)
            continue;
        columns.append(column.name);
        parameters.append(QStringLiteral(":p") + column.name.toLower());
    }
    SqlStatement insert(db, {QStringLiteral(" insert into %1 ").arg(def->name),
                             QStringLiteral(" (%1) ").arg(columns.join(QStringLiteral(", "))),
                             QStringLiteral(" values (%1) ").arg(parameters.join(QStringLiteral(", ")))});
    for (const ColumnDef &column : def->columns) {
        if (column.type == ColumnType::AutoInc)
            continue;
        QVariant value;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (it.key().compare(column.name, Qt::CaseInsensitive) == 0)
                value = it.value();
        }
        if (!value.isValid()) {
            if (column.type == ColumnType::Text)
                value = QStringLiteral("");
            else if (column.type == ColumnType::Graphic)
                value = QByteArray("");
            else
                value = 0;
        }
        insert.bind(QStringLiteral("p") + column.name.toLower(), value);
    }
    return insert.exec(error);
}
