#include "engine/connection.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString uniqueConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("larderon-%1").arg(++counter);
}

bool runPragma(QSqlDatabase &db, const QString &pragma, QString *error)
{
    QSqlQuery query(db);
    if (query.exec(pragma))
        return true;
    if (error)
        *error = query.lastError().text();
    return false;
}

} // namespace

Connection::Connection(QString name, QString path, ConnectionSlot slot)
    : m_name(std::move(name))
    , m_path(std::move(path))
    , m_slot(std::move(slot))
{
}

std::unique_ptr<Connection> Connection::open(const ConnectionSettings &settings, QString *error)
{
    const QFileInfo file(settings.databasePath);
    if (settings.databasePath.isEmpty() || !file.exists() || !file.isFile()) {
        if (error)
            *error = QStringLiteral("Database file '%1' does not exist").arg(settings.databasePath);
        return nullptr;
    }
    if (settings.maxConnections < 1) {
        if (error)
            *error = QStringLiteral("No connection to database file '%1' is allowed (limit %2)")
                         .arg(settings.databasePath, QString::number(settings.maxConnections));
        return nullptr;
    }
    // Before SQLite sees the file: even a connection that only reads may change it.
    if (!CheckDatabaseFile(settings.databasePath, settings.checkFile, error))
        return nullptr;

    ConnectionSlot slot;
    if (!slot.acquire(settings.databasePath, settings.maxConnections, error))
        return nullptr;

    const QString name = uniqueConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(settings.databasePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
        bool ok = db.open();
        QString failure = ok ? QString() : db.lastError().text();
        // A rollback journal with full sync is what keeps the file sound on a shared network
        // folder, where write-ahead logging cannot work.
        ok = ok && runPragma(db, QStringLiteral("PRAGMA journal_mode=DELETE"), &failure)
             && runPragma(db, QStringLiteral("PRAGMA synchronous=FULL"), &failure)
             && runPragma(db, settings.multiUser ? QStringLiteral("PRAGMA locking_mode=NORMAL")
                                                 : QStringLiteral("PRAGMA locking_mode=EXCLUSIVE"),
                          &failure)
             // Reading the schema proves the file is a database and not some other file.
             && runPragma(db, QStringLiteral("SELECT count(*) FROM sqlite_master"), &failure);
        if (!ok) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            if (error)
                *error = QStringLiteral("Cannot open database file '%1': %2").arg(settings.databasePath, failure);
            return nullptr;
        }
    }
    return std::unique_ptr<Connection>(new Connection(name, settings.databasePath, std::move(slot)));
}

Connection::~Connection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
    m_slot.release();
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(m_name, false);
}
