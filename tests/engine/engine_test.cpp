#include "engine/connection.h"
#include "engine/maintenance.h"
#include "engine/transaction.h"

#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A small database file with one table of n rows.
class EngineFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("data.abs"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)); // an empty file is an empty database
        file.close();
        auto c = open();
        ASSERT_TRUE(c);
        exec(*c, QStringLiteral("CREATE TABLE item (AUTO INTEGER PRIMARY KEY AUTOINCREMENT, NAME TEXT, QTY REAL)"));
        exec(*c, QStringLiteral("CREATE UNIQUE INDEX item_name ON item (NAME)"));
        exec(*c, QStringLiteral("PRAGMA user_version = 7"));
        Transaction t(c->database());
        ASSERT_TRUE(t.begin(Transaction::Mode::Immediate, nullptr));
        for (int i = 0; i < 500; ++i)
            exec(*c, QStringLiteral("INSERT INTO item (NAME, QTY) VALUES ('item %1', %1)").arg(i));
        ASSERT_TRUE(t.commit(nullptr));
    }

    std::unique_ptr<Connection> open(QString *error = nullptr)
    {
        return Connection::open({path, 5, true}, error);
    }

    static void exec(Connection &c, const QString &sql)
    {
        QSqlQuery q(c.database());
        ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString() << " " << sql.toStdString();
    }

    static int scalar(Connection &c, const QString &sql)
    {
        QSqlQuery q(c.database());
        EXPECT_TRUE(q.exec(sql) && q.next()) << q.lastError().text().toStdString();
        return q.value(0).toInt();
    }

    QByteArray fileBytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString path;
};

} // namespace

TEST_F(EngineFixture, MissingFileIsReportedByName)
{
    QString error;
    EXPECT_EQ(Connection::open({dir.filePath(QStringLiteral("none.abs")), 5, true}, &error), nullptr);
    EXPECT_EQ(error, QStringLiteral("Database file '%1' does not exist").arg(dir.filePath(QStringLiteral("none.abs"))));
}

TEST_F(EngineFixture, FileThatIsNotADatabaseIsRefused)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    QString error;
    EXPECT_EQ(open(&error), nullptr);
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot open database file"))) << error.toStdString();
}

TEST_F(EngineFixture, SixthConnectionFailsAndClosingFreesASlot)
{
    std::vector<std::unique_ptr<Connection>> held;
    for (int i = 0; i < 5; ++i) {
        held.push_back(open());
        ASSERT_TRUE(held.back()) << i;
    }
    QString error;
    EXPECT_EQ(open(&error), nullptr);
    EXPECT_TRUE(error.contains(QStringLiteral("Too many connections"))) << error.toStdString();

    held.erase(held.begin() + 2);
    EXPECT_NE(open(), nullptr);
}

TEST_F(EngineFixture, LimitHoldsAcrossProcessesAndACrashedProcessFreesItsSlots)
{
    QProcess holder;
    holder.start(QStringLiteral(SLOT_HOLDER), {path, QStringLiteral("3")});
    ASSERT_TRUE(holder.waitForStarted());
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readLine().trimmed(), QByteArray("ready"));

    std::vector<std::unique_ptr<Connection>> mine;
    mine.push_back(open());
    mine.push_back(open());
    ASSERT_TRUE(mine[0] && mine[1]);
    QString error;
    EXPECT_EQ(open(&error), nullptr) << "the other process holds three of the five slots";
    EXPECT_TRUE(error.contains(QStringLiteral("Too many connections")));

    holder.kill(); // no orderly close: the system must drop the locks
    ASSERT_TRUE(holder.waitForFinished());
    for (int i = 0; i < 3; ++i) {
        mine.push_back(open(&error));
        EXPECT_TRUE(mine.back()) << error.toStdString();
    }
}

TEST_F(EngineFixture, GuardRollsBackWhatWasNotCommitted)
{
    auto c = open();
    {
        Transaction t(c->database());
        ASSERT_TRUE(t.begin(Transaction::Mode::Immediate, nullptr));
        exec(*c, QStringLiteral("DELETE FROM item"));
        // leaves scope without commit
    }
    EXPECT_EQ(scalar(*c, QStringLiteral("SELECT count(*) FROM item")), 500);

    Transaction t(c->database());
    ASSERT_TRUE(t.begin(Transaction::Mode::Deferred, nullptr));
    exec(*c, QStringLiteral("DELETE FROM item WHERE QTY < 100"));
    ASSERT_TRUE(t.commit(nullptr));
    auto other = open();
    EXPECT_EQ(scalar(*other, QStringLiteral("SELECT count(*) FROM item")), 400);
}

TEST_F(EngineFixture, ImmediateTransactionKeepsOtherWritersOut)
{
    auto first = open();
    auto second = open();
    Transaction t(first->database());
    ASSERT_TRUE(t.begin(Transaction::Mode::Immediate, nullptr));
    Transaction other(second->database());
    QString error;
    EXPECT_FALSE(other.begin(Transaction::Mode::Immediate, &error)); // after the busy timeout
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(t.commit(nullptr));
    EXPECT_TRUE(other.begin(Transaction::Mode::Immediate, nullptr));
}

TEST_F(EngineFixture, TemporaryTablesArePrivateToTheirConnection)
{
    auto first = open();
    auto second = open();
    exec(*first, QStringLiteral("DROP TABLE IF EXISTS stock"));
    exec(*first, QStringLiteral("CREATE TEMP TABLE stock (AUTO INTEGER PRIMARY KEY AUTOINCREMENT, PRO_NO TEXT)"));
    exec(*first, QStringLiteral("INSERT INTO stock (PRO_NO) VALUES ('A')"));
    exec(*second, QStringLiteral("CREATE TEMP TABLE stock (AUTO INTEGER PRIMARY KEY AUTOINCREMENT, PRO_NO TEXT)"));
    EXPECT_EQ(scalar(*first, QStringLiteral("SELECT count(*) FROM stock")), 1);
    EXPECT_EQ(scalar(*second, QStringLiteral("SELECT count(*) FROM stock")), 0);
}

TEST_F(EngineFixture, CompactionShrinksTheFileAndKeepsEveryRow)
{
    {
        auto c = open();
        exec(*c, QStringLiteral("DELETE FROM item WHERE QTY >= 10"));
    }
    const qint64 before = QFileInfo(path).size();
    QString error;
    ASSERT_TRUE(CompactDatabase(path, &error)) << error.toStdString();
    EXPECT_LT(QFileInfo(path).size(), before);
    EXPECT_FALSE(QFileInfo::exists(MaintenanceWorkFile(path)));
    auto c = open();
    EXPECT_EQ(scalar(*c, QStringLiteral("SELECT count(*) FROM item")), 10);
    EXPECT_EQ(scalar(*c, QStringLiteral("PRAGMA user_version")), 7);
    // The auto-increment counter survives: deleted keys are never issued again.
    exec(*c, QStringLiteral("INSERT INTO item (NAME) VALUES ('new')"));
    EXPECT_EQ(scalar(*c, QStringLiteral("SELECT max(AUTO) FROM item")), 501);
}

TEST_F(EngineFixture, MaintenanceIsRefusedWhileAConnectionIsOpen)
{
    auto c = open();
    QString error;
    EXPECT_FALSE(CompactDatabase(path, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("is in use"))) << error.toStdString();
    QString report;
    EXPECT_FALSE(RepairDatabase(path, &report, &error));
}

TEST_F(EngineFixture, FailedCompactionLeavesTheOriginalIntact)
{
    const QByteArray original = fileBytes();
    // The work file name is taken by a folder that cannot be removed.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("data.abs.tmp/keep")));
    QString error;
    EXPECT_FALSE(CompactDatabase(path, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(fileBytes(), original);

    // A damaged file cannot be copied: the original stays as it was and no work file is left.
    ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("data.abs.tmp"))).removeRecursively());
    QByteArray damaged = original;
    for (qsizetype i = 4096; i < damaged.size(); i += 4096)
        damaged.replace(i, 200, QByteArray(200, '\xA5'));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(damaged);
    file.close();
    EXPECT_FALSE(CompactDatabase(path, &error));
    EXPECT_EQ(fileBytes(), damaged);
    EXPECT_FALSE(QFileInfo::exists(MaintenanceWorkFile(path)));
}

TEST_F(EngineFixture, RepairOfASoundFileReportsNoDamage)
{
    QString report, error;
    ASSERT_TRUE(RepairDatabase(path, &report, &error)) << error.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("no damage found"))) << report.toStdString();
    auto c = open();
    EXPECT_EQ(scalar(*c, QStringLiteral("SELECT count(*) FROM item")), 500);
}

TEST_F(EngineFixture, RepairRebuildsADamagedIndexAndKeepsEveryRow)
{
    int pageSize = 0, indexRoot = 0;
    {
        auto c = open();
        pageSize = scalar(*c, QStringLiteral("PRAGMA page_size"));
        indexRoot = scalar(*c, QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'item_name'"));
    }
    ASSERT_GT(indexRoot, 1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(qint64(indexRoot - 1) * pageSize + 8));
    file.write(QByteArray(pageSize - 8, '\x5A'));
    file.close();

    QString report, error;
    ASSERT_TRUE(RepairDatabase(path, &report, &error)) << error.toStdString();
    EXPECT_FALSE(report.contains(QStringLiteral("no damage found"))) << report.toStdString();
    auto c = open();
    EXPECT_EQ(scalar(*c, QStringLiteral("SELECT count(*) FROM item")), 500);
    QSqlQuery check(c->database());
    ASSERT_TRUE(check.exec(QStringLiteral("PRAGMA integrity_check")) && check.next());
    EXPECT_EQ(check.value(0).toString(), QStringLiteral("ok"));
    // The unique index works again.
    QSqlQuery duplicate(c->database());
    EXPECT_FALSE(duplicate.exec(QStringLiteral("INSERT INTO item (NAME) VALUES ('item 7')")));
}

TEST_F(EngineFixture, RepairOfAFileThatIsNoDatabaseFailsAndLeavesIt)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, 'z'));
    file.close();
    QString report, error;
    EXPECT_FALSE(RepairDatabase(path, &report, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(fileBytes(), QByteArray(8192, 'z'));
    EXPECT_FALSE(QFileInfo::exists(MaintenanceWorkFile(path)));
}

TEST_F(EngineFixture, BackupWritesAConsistentCopy)
{
    auto c = open(); // backups may run while windows are open
    const QString target = dir.filePath(QStringLiteral("backup.abs"));
    QString error;
    ASSERT_TRUE(BackupDatabase(path, target, &error)) << error.toStdString();
    EXPECT_FALSE(BackupDatabase(path, target, &error)) << "an existing backup is never overwritten";
    auto copy = Connection::open({target, 5, true}, nullptr);
    ASSERT_TRUE(copy);
    EXPECT_EQ(scalar(*copy, QStringLiteral("SELECT count(*) FROM item")), 500);
}
