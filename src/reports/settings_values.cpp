#include "reports/settings_values.h"

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

QString RowText(const QVariantMap &row, const char *column)
{
    return ColumnValue(row, QString::fromLatin1(column)).toString();
}
