#include "common/atomic_file.h"
#include "common/shared_state.h"

#include <gtest/gtest.h>

#include "qt_printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

class WholeFile : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString file(const QString &name) const { return dir.filePath(name); }

    static QByteArray read(const QString &name)
    {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }

    static void put(const QString &name, const QByteArray &content)
    {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    // Every file of the folder: nothing but what a test made may remain.
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::System, QDir::Name); }

    QTemporaryDir dir;
};

const FileStep kWriteHello = [](const QString &path, QString *) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write("hello") == 5;
};

TEST_F(WholeFile, ReplacesAFileKeepingItsPermissionsAndLeavesNoTemporary)
{
    const QString target = file(QStringLiteral("app_path.txt"));
    put(target, "old text");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    QString error;
    ASSERT_TRUE(WriteFileWhole(target, QByteArray("/data/shop/"), &error)) << error.toStdString();
    EXPECT_EQ(read(target), QByteArray("/data/shop/"));
    struct stat info = {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("app_path.txt")});
}

TEST_F(WholeFile, AFailedStepLeavesTheOldFileAndNoTemporary)
{
    const FileStep failingWrite = [](const QString &path, QString *error) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("half");
        *error = QStringLiteral("the writer gave up");
        return false;
    };
    const FileStep failingCheck = [](const QString &, QString *error) {
        *error = QStringLiteral("the check found it short");
        return false;
    };
    const struct
    {
        const char *name;
        FileStep write;
        FileStep verify;
        const char *reason;
    } cases[] = {
        {"write fails", failingWrite, nullptr, "the writer gave up"},
        {"check fails", kWriteHello, failingCheck, "the check found it short"},
    };
    const QString target = file(QStringLiteral("report.pdf"));
    put(target, "old");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        EXPECT_FALSE(WriteFileWhole(target, c.write, c.verify, ExistingFile::Replace, &error));
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.reason))) << error.toStdString();
        EXPECT_EQ(read(target), QByteArray("old"));
        EXPECT_EQ(entries(), QStringList{QStringLiteral("report.pdf")});
    }
}

// A full disk, as RLIMIT_FSIZE makes one: the write fails when it is flushed, not silently.
TEST_F(WholeFile, FullDiskIsAFailure)
{
    const QString target = file(QStringLiteral("Report_Product.csv"));
    put(target, "old");
    struct rlimit saved = {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool written = WriteFileWhole(target, QByteArray(100000, 'x'), &error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(read(target), QByteArray("old"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("Report_Product.csv")});
}

TEST_F(WholeFile, KeepNeverOverwritesNotEvenANameThatAppearsMeanwhile)
{
    const QString target = file(QStringLiteral("backup.abs"));
    const FileStep writeWhileAnotherAppears = [&](const QString &path, QString *error) {
        put(target, "the other's");
        return kWriteHello(path, error);
    };
    QString error;
    EXPECT_FALSE(WriteFileWhole(target, writeWhileAnotherAppears, nullptr, ExistingFile::Keep, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("already exists"))) << error.toStdString();
    EXPECT_EQ(read(target), QByteArray("the other's"));
    EXPECT_FALSE(WriteFileWhole(target, kWriteHello, nullptr, ExistingFile::Keep, &error));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("backup.abs")});
}

TEST_F(WholeFile, AFileBehindASymbolicLinkIsReplacedAndTheLinkStays)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("real")));
    const QString real = file(QStringLiteral("real/app_path.txt"));
    const QString link = file(QStringLiteral("app_path.txt"));
    put(real, "old");
    ASSERT_TRUE(QFile::link(real, link));
    QString error;
    ASSERT_TRUE(WriteFileWhole(link, QByteArray("new"), &error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(read(real), QByteArray("new"));
}

TEST_F(WholeFile, DatabaseFilesAreNeverAnOutput)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("shop")));
    const QString database = file(QStringLiteral("shop/data.abs"));
    put(database, "the data");
    ASSERT_TRUE(QFile::link(database, file(QStringLiteral("alias.pdf"))));
    const QString oddDatabase = file(QStringLiteral("shop/other.db"));
    put(oddDatabase, "other data");
    Shared().DatabasePath = oddDatabase;
    const struct
    {
        const char *name;
        bool refused;
    } cases[] = {
        {"shop/data.abs", true},         {"shop/DATA.ABS", true},           {"data.abs", true},
        {"shop/data.abs-journal", true}, {"shop/data.abs-wal", true},       {"shop/data.abs-shm", true},
        {"shop/data.abs.slots", true},   {"shop/data.abs.tmp", true},       {"shop/data.abs.tmp-journal", true},
        {"shop/data.abs.new", true},     {"shop/data.abs.new-1f2e", true},  {"alias.pdf", true},
        {"shop/other.db", true},         {"shop/other.db-journal", true},   {"shop/data.abs.pdf", false},
        {"shop/data.abs.bak", false},    {"shop/data.pdf", false},          {"shop/other.db.pdf", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString target = file(QString::fromUtf8(c.name));
        EXPECT_EQ(IsDatabaseFile(target), c.refused);
        if (!c.refused)
            continue;
        QString error;
        EXPECT_FALSE(WriteFileWhole(target, QByteArray("%PDF-"), &error));
        EXPECT_EQ(error, DatabaseFileRefusal(target));
    }
    Shared().DatabasePath.clear();
    EXPECT_EQ(read(database), QByteArray("the data"));
    EXPECT_EQ(read(oddDatabase), QByteArray("other data"));
}

} // namespace
