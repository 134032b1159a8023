#include "engine_fixture.h"

#include "engine/maintenance.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

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

namespace {

bool acceptEveryLoss(const QString &)
{
    return true;
}

} // namespace

// Garbage over part of a leaf page's cell pointers: the engine's own copy takes the broken
// pointers along (so the copy fails its check); row by row, every row still reachable is saved
// and the others are listed.
TEST_F(EngineFixture, RepairSavesWhatTheQuickCopyCannotAndListsTheRest)
{
    const auto [leaf, pageSize] = firstItemLeaf();
    damage(qint64(leaf - 1) * pageSize + 8 + 100, 40, '\xA5');
    const QByteArray damaged = fileBytes();

    QString report, error, asked;
    EXPECT_FALSE(RepairDatabase(path, &report, &error)) << "a loss is never accepted unasked";
    EXPECT_TRUE(error.contains(QStringLiteral("could not be read"))) << error.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("Table item:"))) << report.toStdString();
    EXPECT_EQ(fileBytes(), damaged);
    EXPECT_FALSE(QFileInfo::exists(MaintenanceWorkFile(path)));

    MaintenanceOptions options;
    options.acceptLoss = [&asked](const QString &text) {
        asked = text;
        return true;
    };
    ASSERT_TRUE(RepairDatabase(path, &report, &error, options)) << error.toStdString() << "\n" << report.toStdString();
    EXPECT_TRUE(asked.contains(QStringLiteral("rows could not be read and are not in the repaired file: AUTO "))) << asked.toStdString();
    auto c = open();
    EXPECT_EQ(text(*c, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    const qint64 kept = scalar(*c, QStringLiteral("SELECT count(*) FROM item"));
    EXPECT_LT(kept, 500);
    EXPECT_GT(kept, 400);
    EXPECT_TRUE(report.contains(QStringLiteral("%1 rows saved; %2 rows could not be read").arg(kept).arg(500 - kept)))
        << report.toStdString();
    QSqlQuery duplicate(c->database());
    EXPECT_FALSE(duplicate.exec(QStringLiteral("INSERT INTO item (NAME) VALUES ('item 499')"))) << "the unique index is back";
}

// Rows deleted at the end leave the counter above the highest key; a rebuild row by row must keep
// it there, as one counter, or keys that were issued once would be issued again.
TEST_F(EngineFixture, RowByRowRepairNeverIssuesAKeyTwice)
{
    {
        auto c = open();
        exec(*c, QStringLiteral("DELETE FROM item WHERE AUTO > 450"));
    }
    const auto [leaf, pageSize] = firstItemLeaf();
    damage(qint64(leaf - 1) * pageSize, pageSize, '\xA5'); // a whole leaf: the quick copy fails
    QString report, error;
    MaintenanceOptions options;
    options.acceptLoss = acceptEveryLoss;
    ASSERT_TRUE(RepairDatabase(path, &report, &error, options)) << error.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("saving row by row"))) << report.toStdString();
    auto c = open();
    EXPECT_EQ(scalar(*c, QStringLiteral("SELECT count(*) FROM sqlite_sequence WHERE name = 'item'")), 1);
    exec(*c, QStringLiteral("INSERT INTO item (NAME) VALUES ('new')"));
    EXPECT_EQ(scalar(*c, QStringLiteral("SELECT AUTO FROM item WHERE NAME = 'new'")), 501);
}

// A file whose counter table holds two rows for one table (left so by an earlier repair) gets one
// counter, the higher, from compaction and from repair alike.
TEST_F(EngineFixture, MaintenanceMergesDoubledCounters)
{
    for (const bool compact : {true, false}) {
        SCOPED_TRACE(compact ? "compaction" : "repair");
        makeDatabase(500);
        {
            auto c = open();
            exec(*c, QStringLiteral("DELETE FROM item WHERE AUTO > 450"));
            exec(*c, QStringLiteral("UPDATE sqlite_sequence SET seq = 450"));
            exec(*c, QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES ('item', 500)"));
        }
        QString report, error;
        ASSERT_TRUE(compact ? CompactDatabase(path, &error) : RepairDatabase(path, &report, &error)) << error.toStdString();
        auto c = open();
        EXPECT_EQ(scalar(*c, QStringLiteral("SELECT count(*) FROM sqlite_sequence")), 1);
        exec(*c, QStringLiteral("INSERT INTO item (NAME) VALUES ('new')"));
        EXPECT_EQ(scalar(*c, QStringLiteral("SELECT AUTO FROM item WHERE NAME = 'new'")), 501);
    }
}

// On a shared folder every account that may write data.abs must be able to take a slot, whatever
// the umask of the account that happened to connect first.
TEST_F(EngineFixture, SlotsFileTakesThePermissionsOfTheDatabaseFile)
{
    const QByteArray database = QFile::encodeName(path);
    const QByteArray slotsFile = QFile::encodeName(path + QStringLiteral(".slots"));
    const struct
    {
        mode_t database;
        bool madeNarrowBefore; // the slots file exists, 0600, made by an earlier build
        mode_t expected;
    } cases[] = {{0666, false, 0666}, {0644, false, 0644}, {0600, false, 0600}, {0666, true, 0666}};
    const mode_t oldMask = ::umask(022);
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.database) + (c.madeNarrowBefore ? " over an old file" : ""));
        ::unlink(slotsFile.constData());
        if (c.madeNarrowBefore)
            ::close(::open(slotsFile.constData(), O_CREAT | O_WRONLY, 0600));
        ASSERT_EQ(::chmod(database.constData(), c.database), 0);
        ASSERT_TRUE(open());
        struct stat info = {};
        ASSERT_EQ(::stat(slotsFile.constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, c.expected);
    }
    ::umask(oldMask);
}

// data.abs may be a symbolic link to the file elsewhere: maintenance replaces that file and the
// link stays a link, and every path to the file counts against one connection limit.
TEST_F(EngineFixture, SymlinkedDatabaseStaysALink)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("store")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("folder")));
    const QString real = dir.filePath(QStringLiteral("store/shop.abs"));
    const QString link = dir.filePath(QStringLiteral("folder/data.abs"));
    ASSERT_TRUE(QFile::rename(path, real));
    ASSERT_TRUE(QFile::link(real, link));
    for (const bool compact : {true, false}) {
        SCOPED_TRACE(compact ? "compaction" : "repair");
        {
            auto c = Connection::open({link, 5, true}, nullptr);
            ASSERT_TRUE(c);
            exec(*c, QStringLiteral("DELETE FROM item WHERE QTY >= 400"));
        }
        QString report, error;
        ASSERT_TRUE(compact ? CompactDatabase(link, &error) : RepairDatabase(link, &report, &error)) << error.toStdString();
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_FALSE(QFileInfo::exists(real + QStringLiteral(".tmp")));
        auto c = Connection::open({real, 5, true}, nullptr);
        ASSERT_TRUE(c);
        exec(*c, QStringLiteral("INSERT INTO item (NAME) VALUES ('through the link %1')").arg(compact));
        auto throughLink = Connection::open({link, 5, true}, nullptr);
        ASSERT_TRUE(throughLink);
        EXPECT_EQ(scalar(*throughLink, QStringLiteral("SELECT count(*) FROM item WHERE NAME LIKE 'through the link%'")), compact ? 1 : 2);
    }
    std::vector<std::unique_ptr<Connection>> held;
    for (int i = 0; i < 5; ++i)
        held.push_back(Connection::open({i % 2 ? link : real, 5, true}, nullptr));
    EXPECT_EQ(Connection::open({link, 5, true}, nullptr), nullptr);
}

TEST_F(EngineFixture, MessagesKeepAPathWithPlaceholderSigns)
{
    const QString folder = dir.filePath(QStringLiteral("%1 shop %2"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString odd = folder + QStringLiteral("/data.abs");
    ASSERT_TRUE(QFile::rename(path, odd));
    std::vector<std::unique_ptr<Connection>> held;
    for (int i = 0; i < 5; ++i)
        held.push_back(Connection::open({odd, 5, true}, nullptr));
    QString error;
    EXPECT_EQ(Connection::open({odd, 5, true}, &error), nullptr);
    EXPECT_EQ(error, QStringLiteral("Too many connections to database file '") + odd + QStringLiteral("': all 5 connections are in use"));
}
