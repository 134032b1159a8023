#include "temp_data_folder.h"

#include "common/shared_state.h"
#include "db/data_folder.h"
#include "test_engine.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// The test server's maintenance database, where test databases are created and dropped.
bool WithTestServer(const std::function<bool(QSqlDatabase)> &work, QString *error)
{
    const QByteArray text = qgetenv("LARDERON_TEST_SERVER");
    ServerConfig base;
    if (text.isEmpty()) {
        *error = QStringLiteral("LARDERON_TEST_SERVER names no test server (scripts/test starts one)");
        return false;
    }
    if (!ParseServerConnectionText(QString::fromUtf8(text), &base, error))
        return false;
    static QAtomicInteger<int> counter;
    const QString name = QStringLiteral("larderon-test-admin-%1").arg(++counter);
    bool done = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(base.host);
        if (base.port > 0)
            db.setPort(base.port);
        db.setDatabaseName(base.dbname);
        db.setUserName(base.user);
        if (!db.open())
            *error = db.lastError().text();
        else
            done = work(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return done;
}

} // namespace

bool CreateTestServerDatabase(ServerConfig *server, QString *error)
{
    static QAtomicInteger<int> counter;
    return WithTestServer(
        [&](QSqlDatabase db) {
            if (!ParseServerConnectionText(QString::fromUtf8(qgetenv("LARDERON_TEST_SERVER")), server, error))
                return false;
            server->dbname = QStringLiteral("larderon_t%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
            QSqlQuery create(db);
            // A name made here, never a value from outside: database names cannot be bound.
            if (!create.exec(QStringLiteral("CREATE DATABASE %1").arg(server->dbname))) {
                *error = create.lastError().text();
                return false;
            }
            return true;
        },
        error);
}

void DropTestServerDatabase(const ServerConfig &server)
{
    QString error;
    WithTestServer(
        [&](QSqlDatabase db) {
            return QSqlQuery(db).exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(server.dbname));
        },
        &error);
}

TempDataFolder::TempDataFolder(bool demo)
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    if (!OnServer()) {
        m_ok = CreateDataFolder(m_dir.path(), demo, &m_error);
        return;
    }
    ServerConfig server;
    if (!CreateTestServerDatabase(&server, &m_error))
        return;
    m_server = server;
    m_ok = CreateServerDataFolder(m_dir.path(), m_server, demo, &m_error);
}

TempDataFolder::~TempDataFolder()
{
    if (onServer())
        DropTestServerDatabase(m_server);
}

QString TempDataFolder::folder() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TempDataFolder::databasePath() const
{
    return folder() + QStringLiteral("data.abs");
}

void TempDataFolder::use() const
{
    SharedState &shared = Shared();
    shared.DataFolder = folder();
    shared.DatabasePath = databasePath();
    shared.DbMaxConnections = 5;
    shared.DbMultiUser = true;
}
