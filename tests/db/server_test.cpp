// The server engine behind a data folder: choosing it, its connection limit across processes, its
// write lock, and a data folder made on it. These run once, in the file pass of the suite, on a
// database of the test server of their own.
#include "db/data_connection.h"
#include "db/data_folder.h"
#include "engine/connection.h"
#include "engine/data_store.h"
#include "engine/maintenance.h"
#include "engine/transaction.h"
#include "temp_data_folder.h"
#include "test_engine.h"
#include "../common/qt_printers.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <vector>

namespace {

class ServerEngine : public testing::Test
{
protected:
    void SetUp() override
    {
        if (OnServer())
            GTEST_SKIP() << "runs once, in the file pass";
        ASSERT_TRUE(qEnvironmentVariableIsSet("LARDERON_TEST_SERVER"))
            << "LARDERON_TEST_SERVER names no test server; run the tests through scripts/test";
        ASSERT_TRUE(dir.isValid());
        QString error;
        ASSERT_TRUE(CreateTestServerDatabase(&server, &error)) << error.toStdString();
        ASSERT_TRUE(CreateServerDataFolder(dir.path(), server, false, &error)) << error.toStdString();
        databasePath = dir.filePath(QStringLiteral("data.abs"));
    }
    void TearDown() override
    {
        if (!server.dbname.isEmpty())
            DropTestServerDatabase(server);
    }

    std::unique_ptr<Connection> open(QString *error = nullptr)
    {
        return Connection::open({databasePath, 5, true}, error);
    }

    QTemporaryDir dir;
    ServerConfig server;
    QString databasePath;
};

TEST_F(ServerEngine, TheFolderNamesItsEngine)
{
    DataStore store;
    QString error;
    ASSERT_TRUE(LocateDataStore(databasePath, &store, &error)) << error.toStdString();
    EXPECT_EQ(store.kind, EngineKind::Server);
    EXPECT_EQ(store.server.dbname, server.dbname);
    auto connection = open(&error);
    ASSERT_TRUE(connection) << error.toStdString();
    EXPECT_EQ(connection->engine(), EngineKind::Server);
    connection.reset();

    // Both a file and server settings: which is meant is unknown, so nothing opens.
    QFile file(databasePath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(open(&error), nullptr);
    EXPECT_TRUE(error.contains(QStringLiteral("both data.abs and server.ini"))) << error.toStdString();
    QFile::remove(databasePath);

    // Settings that cannot be read.
    QFile ini(ServerIniPath(databasePath));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write("[server]\nhost = somewhere\nport = lots\n");
    ini.close();
    EXPECT_EQ(open(&error), nullptr);
    EXPECT_TRUE(error.contains(QStringLiteral("port"))) << error.toStdString();
}

TEST_F(ServerEngine, LimitHoldsAcrossProcessesAndAKilledProcessFreesItsSlots)
{
    QProcess holder;
    holder.start(QStringLiteral(SLOT_HOLDER), {databasePath, QStringLiteral("3")});
    ASSERT_TRUE(holder.waitForStarted());
    ASSERT_TRUE(holder.waitForReadyRead(20000));
    ASSERT_EQ(holder.readLine().trimmed(), QByteArray("ready"));

    std::vector<std::unique_ptr<Connection>> mine;
    mine.push_back(open());
    mine.push_back(open());
    ASSERT_TRUE(mine[0] && mine[1]);
    QString error;
    EXPECT_EQ(open(&error), nullptr) << "the other process holds three of the five slots";
    EXPECT_EQ(error, TooManyConnectionsMessage(QStringLiteral("the database %1").arg(server.describe()), 5));

    holder.kill(); // no orderly close: the server must drop the sessions' locks
    ASSERT_TRUE(holder.waitForFinished());
    // The server notices the closed sessions at once or within moments.
    const QDeadlineTimer deadline(10000);
    while (mine.size() < 5 && !deadline.hasExpired()) {
        if (auto connection = open(&error))
            mine.push_back(std::move(connection));
        else
            QThread::msleep(50);
    }
    EXPECT_EQ(mine.size(), 5u) << error.toStdString();
}

TEST_F(ServerEngine, ImmediateTransactionsAreSerialised)
{
    auto first = open();
    auto second = open();
    ASSERT_TRUE(first && second);
    Transaction holding(first->database());
    QString error;
    ASSERT_TRUE(holding.begin(Transaction::Mode::Immediate, &error)) << error.toStdString();
    {
        // A reader is never held back.
        Transaction reading(second->database());
        EXPECT_TRUE(reading.begin(Transaction::Mode::Deferred, &error)) << error.toStdString();
    }
    Transaction waiting(second->database());
    EXPECT_FALSE(waiting.begin(Transaction::Mode::Immediate, &error)) << "the write lock is taken";
    EXPECT_TRUE(error.contains(QStringLiteral("lock timeout"))) << error.toStdString();
    ASSERT_TRUE(holding.commit(&error)) << error.toStdString();
    EXPECT_TRUE(waiting.begin(Transaction::Mode::Immediate, &error)) << error.toStdString();
}

TEST_F(ServerEngine, NewDataGoesOnlyIntoAnEmptyDatabase)
{
    QTemporaryDir other;
    QString error;
    EXPECT_FALSE(CreateServerDataFolder(other.path(), server, false, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("already holds the table"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(other.filePath(QStringLiteral("server.ini"))));
}

TEST_F(ServerEngine, CompactionAndRepairAreTheServersOwnWhileNothingElseIsConnected)
{
    QString report, error;
    {
        auto window = open();
        ASSERT_TRUE(window);
        EXPECT_FALSE(CompactDatabase(databasePath, &error));
        EXPECT_TRUE(error.contains(QStringLiteral("is in use"))) << error.toStdString();
    }
    EXPECT_TRUE(CompactDatabase(databasePath, &error)) << error.toStdString();
    EXPECT_TRUE(RepairDatabase(databasePath, &report, &error)) << error.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("REINDEX TABLE invoice1: ok"))) << report.toStdString();
    // Afterwards every slot is free again.
    std::vector<std::unique_ptr<Connection>> all;
    for (int i = 0; i < 5; ++i) {
        all.push_back(open(&error));
        EXPECT_TRUE(all.back()) << error.toStdString();
    }
}

TEST(ServerSettings, ConnectionTextAndIni)
{
    const struct
    {
        const char *text;
        bool ok;
        const char *host;
        int port;
        const char *dbname;
        const char *user;
    } cases[] = {
        {"host=db1 port=5433 dbname=shop user=clerk", true, "db1", 5433, "shop", "clerk"},
        {"dbname='my shop' host=/run/postgresql", true, "/run/postgresql", 0, "my shop", ""},
        {"host=db1 user=clerk", false, "", 0, "", ""},         // no database named
        {"host=db1 dbname=shop password=x", false, "", 0, "", ""}, // passwords never live in the folder
        {"host=db1 dbname=shop port=x", false, "", 0, "", ""},
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        ServerConfig config;
        QString error;
        ASSERT_EQ(ParseServerConnectionText(QString::fromUtf8(c.text), &config, &error), c.ok) << error.toStdString();
        if (!c.ok)
            continue;
        EXPECT_EQ(config.host, QString::fromUtf8(c.host));
        EXPECT_EQ(config.port, c.port);
        EXPECT_EQ(config.dbname, QString::fromUtf8(c.dbname));
        EXPECT_EQ(config.user, QString::fromUtf8(c.user));
        // What server.ini keeps is what was given.
        const QString ini = dir.filePath(QStringLiteral("server.ini"));
        ASSERT_TRUE(WriteServerIni(ini, config, &error)) << error.toStdString();
        ServerConfig read;
        ASSERT_TRUE(ReadServerIni(ini, &read, &error)) << error.toStdString();
        EXPECT_EQ(read.connectionText(), config.connectionText());
    }
}

} // namespace
