#include "registers/register_store.h"

#include "db/data_connection.h"
#include "engine/transaction.h"
#include "registers/register_statements.h"

#include <QSqlRecord>

RecordList ReadRecords(QSqlQuery &query)
{
    const QSqlRecord record = query.record();
    QStringList columns;
    for (int c = 0; c < record.count(); ++c)
        columns.append(record.fieldName(c));
    QList<QVariantList> rows;
    while (query.next()) {
        QVariantList row;
        row.reserve(columns.size());
        for (int c = 0; c < columns.size(); ++c)
            row.append(query.value(c));
        rows.append(row);
    }
    return RecordList(columns, std::move(rows));
}

SqlRegisterStore::SqlRegisterStore(std::unique_ptr<Connection> connection, RegisterTable table)
    : m_connection(std::move(connection))
    , m_table(std::move(table))
{
}

SqlRegisterStore::~SqlRegisterStore() = default;

QSqlDatabase SqlRegisterStore::database() const
{
    return m_connection->database();
}

bool SqlRegisterStore::load(RecordList *rows, QString *error)
{
    SqlStatement statement(database(), {QStringLiteral(" select * from %1 ").arg(m_table.table),
                                        QStringLiteral(" order by %1 ").arg(m_table.key.toLower())});
    statement.query().setForwardOnly(true);
    if (!statement.exec(error))
        return false;
    *rows = ReadRecords(statement.query());
    return true;
}

bool SqlRegisterStore::loadCodesAndNames(const QString &orderColumn, RecordList *rows, QString *error)
{
    const QString order = orderColumn.compare(m_table.name, Qt::CaseInsensitive) == 0 ? m_table.name : m_table.key;
    SqlStatement statement(database(),
                           {QStringLiteral(" select %1, %2 from %3 ").arg(m_table.key.toLower(), m_table.name.toLower(), m_table.table),
                            QStringLiteral(" Order by %1 ").arg(order.toLower())});
    statement.query().setForwardOnly(true);
    if (!statement.exec(error))
        return false;
    *rows = ReadRecords(statement.query());
    return true;
}

std::optional<bool> SqlRegisterStore::codeExists(const QString &code, QString *error)
{
    const QString key = m_table.key.toLower();
    SqlStatement statement(database(), {QStringLiteral(" Select %1 from %2 ").arg(key, m_table.table),
                                        QStringLiteral(" where %1 =:m_%1 ").arg(key)});
    statement.query().setForwardOnly(true);
    statement.bind(QStringLiteral("m_") + key, code);
    if (!statement.exec(error))
        return std::nullopt;
    return statement.query().next();
}

RegisterSource::SaveResult SqlRegisterStore::save(bool adding, const QVariantMap &texts, const QString &oldCode, QString *error)
{
    const QString code = texts.value(m_table.key).toString();
    // The test and the write hold the write lock together: no other copy can take the code
    // between them.
    Transaction transaction(database());
    if (!transaction.begin(Transaction::Mode::Immediate, error))
        return SaveResult::Failed;
    if (adding || code != oldCode) {
        const std::optional<bool> taken = codeExists(code, error);
        if (!taken)
            return SaveResult::Failed;
        if (*taken)
            return SaveResult::DuplicateCode;
    }
    if (!write(adding, texts, oldCode, error) || !transaction.commit(error))
        return SaveResult::Failed;
    return SaveResult::Saved;
}

bool SqlRegisterStore::write(bool adding, const QVariantMap &texts, const QString &oldCode, QString *error)
{
    const QString oldParameter = QStringLiteral("po") + m_table.key.toLower();
    SqlStatement statement(database(), adding ? InsertLines(m_table.table, m_table.written)
                                              : UpdateLines(m_table.table, m_table.written, m_table.key, oldParameter));
    if (!BindTexts(statement, m_table.written, m_table.numbers, texts, error))
        return false;
    if (!adding)
        statement.bind(oldParameter, oldCode);
    if (!statement.exec(error))
        return false;
    if (!adding && statement.query().numRowsAffected() != 1) {
        if (error)
            *error = QStringLiteral("The record '%1' is no longer in %2").arg(oldCode, m_table.table);
        return false;
    }
    const QString code = texts.value(m_table.key).toString();
    if (adding || code == oldCode)
        return true;
    for (const QString &lines : m_table.followers) {
        SqlStatement follow(database(), UpdateLines(lines, {m_table.key}, m_table.key, oldParameter));
        follow.bind(ParameterOf(m_table.key), code).bind(oldParameter, oldCode);
        if (!follow.exec(error))
            return false;
    }
    return true;
}

bool SqlRegisterStore::remove(const QString &code, QString *error)
{
    const QString key = m_table.key.toLower();
    SqlStatement statement(database(), {QStringLiteral(" delete from %1 ").arg(m_table.table),
                                        QStringLiteral(" where %1 =:p%1 ").arg(key)});
    statement.bind(QStringLiteral("p") + key, code);
    return statement.exec(error);
}

std::unique_ptr<SqlRegisterStore> OpenRegisterStore(const RegisterTable &table, QString *error)
{
    std::unique_ptr<Connection> connection = OpenDataConnection(error);
    if (!connection)
        return nullptr;
    return std::make_unique<SqlRegisterStore>(std::move(connection), table);
}
