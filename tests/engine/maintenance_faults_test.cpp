// Maintenance under faults, run in a helper process that is given a small disk or killed.
#include "engine_fixture.h"

#include "child_process.h"
#include "engine/maintenance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>

#include <iostream>

namespace {

const QString kTool = QStringLiteral(MAINTENANCE_TOOL);

// What must survive every operation: the rows and their contents.
struct Contents
{
    qint64 rows = -1;
    double sum = 0;
    bool operator==(const Contents &) const = default;
};

Contents contentsOf(const QString &file, QString *problem)
{
    auto c = Connection::open({file, 5, true}, problem);
    if (!c)
        return {};
    QSqlQuery q(c->database());
    if (!q.exec(QStringLiteral("PRAGMA integrity_check")) || !q.next() || q.value(0).toString() != u"ok") {
        *problem = QStringLiteral("integrity check: ") + q.value(0).toString() + q.lastError().text();
        return {};
    }
    if (!q.exec(QStringLiteral("SELECT count(*), total(QTY) + total(length(NAME)) FROM item")) || !q.next()) {
        *problem = q.lastError().text();
        return {};
    }
    return {q.value(0).toLongLong(), q.value(1).toDouble()};
}

QStringList leftovers(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.part"), QStringLiteral("*.tmp")}, QDir::Files);
}

class MaintenanceFaults : public EngineFixture
{
protected:
    QStringList arguments(const QString &operation, const QString &target) const
    {
        QStringList args = {operation, path};
        if (operation == u"backup")
            args.append(target);
        return args;
    }
};

} // namespace

// A small disk (no file may grow past 60 % of data.abs) makes every copy fail: the operation must
// say so and leave the file, every row of it, and no half-made target or work file behind. Before,
// repair counted every row it could not write as unreadable and installed the short copy.
TEST_F(MaintenanceFaults, FullDiskFailsTheOperationAndKeepsEveryRow)
{
    makeDatabase(3000, 60);
    const qint64 limit = QFileInfo(path).size() * 6 / 10;
    const QString target = dir.filePath(QStringLiteral("backup.abs"));
    for (const QString operation : {"repair", "compact", "backup"}) {
        SCOPED_TRACE(operation.toStdString());
        const QByteArray original = fileBytes();
        const ProcessResult result = RunProcess(kTool, arguments(operation, target), limit);
        EXPECT_EQ(result.exitCode, 1) << result.out.toStdString() << result.err.toStdString();
        EXPECT_TRUE(result.out.contains(QStringLiteral("failed: "))) << result.out.toStdString();
        EXPECT_EQ(fileBytes(), original);
        EXPECT_FALSE(QFileInfo::exists(target));
        EXPECT_EQ(leftovers(dir.path()), QStringList());
        // With room on the disk the same operation, to the same name, succeeds.
        const ProcessResult again = RunProcess(kTool, arguments(operation, target));
        EXPECT_EQ(again.exitCode, 0) << again.out.toStdString();
    }
    QString problem;
    EXPECT_EQ(contentsOf(target, &problem).rows, 3000) << problem.toStdString();
}

// The slots file removed while a copy of the program is connected: a compaction then finds no
// slot taken, but the file's write lock still keeps every commit out of the gap between its copy
// and the rename, so no commit that was reported as done goes missing.
TEST_F(MaintenanceFaults, RemovedSlotsFileLetsNoCommitGetLost)
{
    makeDatabase(20000, 40);
    auto writer = open();
    ASSERT_TRUE(writer);
    ASSERT_TRUE(QFile::remove(path + QStringLiteral(".slots")));
    QProcess compaction;
    compaction.start(kTool, {QStringLiteral("compact"), path});
    ASSERT_TRUE(compaction.waitForStarted());
    QStringList committed;
    QSqlQuery insert(writer->database());
    insert.prepare(QStringLiteral("INSERT INTO item (NAME) VALUES (:name)"));
    for (int i = 0; compaction.state() != QProcess::NotRunning || i < 5; ++i) {
        insert.bindValue(QStringLiteral(":name"), QStringLiteral("writer %1").arg(i));
        if (insert.exec())
            committed.append(QStringLiteral("writer %1").arg(i));
        compaction.waitForFinished(1);
    }
    insert.finish();
    std::cout << "compaction: " << compaction.readAllStandardOutput().trimmed().toStdString() << "; "
              << committed.size() << " commits reported done" << std::endl;
    auto check = open();
    ASSERT_TRUE(check);
    for (const QString &name : committed) {
        QSqlQuery q(check->database());
        q.prepare(QStringLiteral("SELECT count(*) FROM item WHERE NAME = :name"));
        q.bindValue(QStringLiteral(":name"), name);
        ASSERT_TRUE(q.exec() && q.next());
        EXPECT_EQ(q.value(0).toInt(), 1) << name.toStdString() << " was reported committed";
    }
}

// kill -9 at random moments of compaction, repair and backup: data.abs keeps every row each time,
// and a backup is either absent or whole. LARDERON_KILL_RUNS sets the number of runs
// (scripts/test --long runs 100).
TEST_F(MaintenanceFaults, KillNineNeverLosesARow)
{
    makeDatabase(30000, 40);
    {
        auto c = open();
        exec(*c, QStringLiteral("DELETE FROM item WHERE AUTO % 3 = 0")); // free space to compact
    }
    QString problem;
    const Contents expected = contentsOf(path, &problem);
    ASSERT_EQ(expected.rows, 20000) << problem.toStdString();

    const QStringList operations = {QStringLiteral("compact"), QStringLiteral("repair"), QStringLiteral("backup")};
    QList<qint64> duration; // milliseconds of a run that is not killed
    for (const QString &operation : operations) {
        QElapsedTimer timer;
        timer.start();
        const ProcessResult result = RunProcess(kTool, arguments(operation, dir.filePath(QStringLiteral("calibrate.abs"))));
        ASSERT_EQ(result.exitCode, 0) << result.out.toStdString();
        duration.append(std::max<qint64>(timer.elapsed(), 20));
    }

    const int runs = qEnvironmentVariableIsSet("LARDERON_KILL_RUNS") ? qEnvironmentVariableIntValue("LARDERON_KILL_RUNS") : 10;
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    int killed = 0;
    for (int run = 0; run < runs; ++run) {
        const int which = run % operations.size();
        const QString target = dir.filePath(QStringLiteral("backup-%1.abs").arg(run));
        const int delay = random.bounded(int(duration[which] * 12 / 10) + 1);
        SCOPED_TRACE(QStringLiteral("run %1: %2 killed after %3 ms (seed %4)")
                         .arg(run).arg(operations[which]).arg(delay).arg(seed).toStdString());
        QProcess process;
        process.start(kTool, arguments(operations[which], target));
        ASSERT_TRUE(process.waitForStarted());
        if (!process.waitForFinished(delay)) {
            process.kill();
            ++killed;
            process.waitForFinished();
        }
        EXPECT_EQ(contentsOf(path, &problem), expected) << problem.toStdString();
        if (QFileInfo::exists(target)) {
            EXPECT_EQ(contentsOf(target, &problem), expected) << "a backup that exists is whole: " << problem.toStdString();
        }
    }
    std::cout << runs << " runs, " << killed << " killed before they ended" << std::endl;
}
