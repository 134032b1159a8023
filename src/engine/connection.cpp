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

Connection::Connection(QString name, QString path, EngineKind engine, ConnectionSlot slot)
    : m_name(std::move(name))
    , m_path(std::move(path))
    , m_engine(engine)
    , m_slot(std::move(slot))
{
}

std::unique_ptr<Connection> Connection::open(const ConnectionSettings &settings, QString *error)
{
    DataStore store;
    QString failure;
    if (!LocateDataStore(settings.databasePath, &store, &failure)) {
        if (error)
            *error = failure;
        return nullptr;
    }
    return store.kind == EngineKind::Server ? openServer(settings, store.server, error) : openFile(settings, error);
}

std::unique_ptr<Connection> Connection::openFile(const ConnectionSettings &settings, QString *error)
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
    return std::unique_ptr<Connection>(new Connection(name, settings.databasePath, EngineKind::File, std::move(slot)));
}

std::unique_ptr<Connection> Connection::openServer(const ConnectionSettings &settings, const ServerConfig &server,
                                                   QString *error)
{
    const auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return nullptr;
    };
    if (settings.maxConnections < 1)
        return fail(QStringLiteral("No connection to the database %1 is allowed (limit %2)")
                        .arg(server.describe(), QString::number(settings.maxConnections)));
    const QString name = uniqueConnectionName();
    QString failure;
    int slot = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        if (!db.isValid()) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            return fail(QStringLiteral("The database server cannot be reached: the program's PostgreSQL driver (QPSQL) "
                                       "is not installed"));
        }
        db.setHostName(server.host);
        if (server.port > 0)
            db.setPort(server.port);
        db.setDatabaseName(server.dbname);
        db.setUserName(server.user);
        QStringList options = {QStringLiteral("connect_timeout=10")};
        if (!server.sslmode.isEmpty())
            options.append(QStringLiteral("sslmode=") + server.sslmode);
        db.setConnectOptions(options.join(u';'));
        bool ok = db.open();
        failure = ok ? QString() : db.lastError().text();
        ok = ok && runPragma(db, QStringLiteral("SET lock_timeout = %1").arg(kBusyTimeoutMs), &failure);
        // The slot: the first of the limit's advisory locks that no other session holds.
        for (int candidate = 1; ok && slot == 0 && candidate <= settings.maxConnections; ++candidate) {
            QSqlQuery take(db);
            take.prepare(QStringLiteral("SELECT pg_try_advisory_lock(:key, :slot)"));
            take.bindValue(QStringLiteral(":key"), kServerLockKey);
            take.bindValue(QStringLiteral(":slot"), candidate);
            if (!take.exec() || !take.next()) {
                failure = take.lastError().text();
                ok = false;
            } else if (take.value(0).toBool()) {
                slot = candidate;
            }
        }
        if (ok && slot == 0)
            failure = TooManyConnectionsMessage(QStringLiteral("the database %1").arg(server.describe()),
                                                settings.maxConnections);
        if (!ok || slot == 0) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            if (!ok)
                failure = QStringLiteral("Cannot open the database %1: %2").arg(server.describe(), failure);
            return fail(failure);
        }
    }
    return std::unique_ptr<Connection>(new Connection(name, settings.databasePath, EngineKind::Server, ConnectionSlot()));
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
