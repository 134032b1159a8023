#include "registers/settings_row.h"

#include "db/data_connection.h"
#include "registers/register_statements.h"
#include "report/query_rows.h"

#include <QSqlRecord>

SettingsRowStore::SettingsRowStore(std::unique_ptr<Connection> connection, SettingsColumns columns)
    : m_connection(std::move(connection))
    , m_columns(std::move(columns))
{
}

SettingsRowStore::~SettingsRowStore() = default;

bool SettingsRowStore::read(QVariantMap *row, QString *error)
{
    SqlStatement statement(m_connection->database(), {QStringLiteral(" select * from orvexsys ")});
    if (!statement.exec(error))
        return false;
    if (!statement.query().next()) {
        if (error)
            *error = QStringLiteral("The settings row of orvexsys is missing");
        return false;
    }
    *row = RowFromRecord(statement.query().record());
    return true;
}

bool SettingsRowStore::save(const QVariantMap &texts, const QString &oldKey, QString *error)
{
    const QStringList columns = m_columns.written + m_columns.emptied;
    QVariantMap values = texts;
    for (const QString &column : m_columns.emptied)
        values.insert(column, QString());
    SqlStatement statement(m_connection->database(),
                           UpdateLines(QStringLiteral("orvexsys"), columns, QStringLiteral("OF_NO"), m_columns.oldKeyParameter));
    if (!BindTexts(statement, columns, m_columns.numbers, values, error))
        return false;
    statement.bind(m_columns.oldKeyParameter, oldKey);
    if (!statement.exec(error))
        return false;
    // A row whose OF_NO is not the one read is not found: that is a failed save, not a quiet one.
    if (statement.query().numRowsAffected() != 1) {
        if (error)
            *error = QStringLiteral("No settings row has OF_NO '%1'").arg(oldKey);
        return false;
    }
    return true;
}

std::unique_ptr<SettingsRowStore> OpenSettingsRowStore(const SettingsColumns &columns, QString *error)
{
    std::unique_ptr<Connection> connection = OpenDataConnection(error);
    if (!connection)
        return nullptr;
    return std::make_unique<SettingsRowStore>(std::move(connection), columns);
}
