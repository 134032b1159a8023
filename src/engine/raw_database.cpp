#include "engine/raw_database.h"

#include "engine/connection.h"

#include <QAtomicInteger>
#include <QSqlError>

namespace {

QAtomicInteger<quint64> s_counter;

} // namespace

RawDatabase::RawDatabase(const QString &path, Access access)
    : m_name(QStringLiteral("larderon-maintenance-%1").arg(++s_counter))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
    if (access == Access::ReadOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    m_open = db.open();
    if (!m_open)
        m_error = db.lastError().text();
}

RawDatabase::~RawDatabase()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase RawDatabase::db() const
{
    return QSqlDatabase::database(m_name, false);
}

bool RawDatabase::exec(const QString &sql, QString *error, const QVariantMap &values)
{
    QSqlQuery query(db());
    bool ok = query.prepare(sql);
    for (auto it = values.cbegin(); ok && it != values.cend(); ++it)
        query.bindValue(QLatin1Char(':') + it.key(), it.value());
    ok = ok && query.exec();
    if (!ok && error)
        *error = query.lastError().text();
    return ok;
}

bool RawDatabase::column(const QString &sql, QStringList *values, QString *error)
{
    values->clear();
    QSqlQuery query(db());
    query.setForwardOnly(true);
    if (!query.exec(sql)) {
        if (error)
            *error = query.lastError().text();
        return false;
    }
    while (query.next())
        values->append(query.value(0).toString());
    if (query.lastError().isValid()) {
        if (error)
            *error = query.lastError().text();
        return false;
    }
    return true;
}

QVariant RawDatabase::scalar(const QString &sql, QString *error, const QVariantMap &values)
{
    QSqlQuery query(db());
    query.setForwardOnly(true);
    bool ok = query.prepare(sql);
    for (auto it = values.cbegin(); ok && it != values.cend(); ++it)
        query.bindValue(QLatin1Char(':') + it.key(), it.value());
    if (ok && query.exec() && query.next())
        return query.value(0).isNull() ? QVariant(0) : query.value(0);
    if (error)
        *error = query.lastError().isValid() ? query.lastError().text() : QStringLiteral("no result");
    return {};
}

QString QuotedName(const QString &identifier)
{
    QString text = identifier;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

int PrimaryErrorCode(const QSqlQuery &query)
{
    return query.lastError().nativeErrorCode().toInt() & 0xff;
}

bool IsDamageError(int code)
{
    constexpr int kCorrupt = 11, kNotADatabase = 26;
    return code == kCorrupt || code == kNotADatabase;
}
