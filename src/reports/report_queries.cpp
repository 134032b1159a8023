#include "reports/report_queries.h"

#include "db/sql_statement.h"
#include "report/query_rows.h"
#include "report/report_data.h"

#include <QSqlRecord>

bool ReadSettingsRow(QSqlDatabase db, QVariantMap *row, QString *error)
{
    SqlStatement select(db, {QStringLiteral(" select * from orvexsys ")});
    if (!select.exec(error))
        return false;
    *row = select.query().next() ? RowFromRecord(select.query().record()) : QVariantMap();
    select.query().finish();
    return true;
}

bool ReadTextList(QSqlDatabase db, const QStringList &statement, QStringList *texts, QString *error)
{
    SqlStatement select(db, statement);
    select.query().setForwardOnly(true);
    if (!select.exec(error))
        return false;
    texts->clear();
    while (select.query().next()) {
        if (!select.query().value(0).isNull())
            texts->append(select.query().value(0).toString());
    }
    return true;
}

QString RowText(const QVariantMap &row, const char *column)
{
    return ColumnValue(row, QString::fromLatin1(column)).toString();
}
