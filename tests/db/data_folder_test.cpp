#include "db/data_connection.h"
#include "db/data_folder.h"
#include "db/default_pictures.h"
#include "db/schema.h"
#include "engine/maintenance.h"
#include "child_process.h"
#include "temp_data_folder.h"
#include "test_engine.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kLarderon = QStringLiteral(LARDERON_BINARY);

QByteArray bytesOf(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file under folder, relative to it.
QStringList filesUnder(const QString &folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        names.append(QDir(folder).relativeFilePath(it.next()));
    names.sort();
    return names;
}

// A picture that is there must be one that loads; nothing half-written may be left.
void ExpectOnlyWholeFiles(const QString &folder)
{
    for (const QString &name : filesUnder(folder)) {
        EXPECT_FALSE(name.endsWith(QLatin1String(".part")) || name.contains(QLatin1String("data.abs.new"))) << name.toStdString();
        if (name.endsWith(QLatin1String(".bmp")) || name.endsWith(QLatin1String(".jpg"))) {
            EXPECT_TRUE(PictureFileIsWhole(QDir(folder).filePath(name))) << name.toStdString() << " is broken";
        }
    }
}

} // namespace

// A small disk (no file beyond 1000 bytes): init-data fails, says so, and leaves no picture that
// does not load. Before, the JPEG writer reported success over a cut-off file. The second case
// starts with the logo in place, so that the first file to fail is a JPEG.
TEST(InitData, FullDiskLeavesNoBrokenPicture)
{
    for (const bool logoThere : {false, true}) {
        SCOPED_TRACE(logoThere ? "logo already there" : "empty folder");
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        if (logoThere) {
            ASSERT_TRUE(DefaultLogo().save(dir.filePath(QStringLiteral("logo.bmp")), "BMP"));
        }
        const ProcessResult result = RunProcess(kLarderon, {QStringLiteral("init-data"), dir.path()}, 1000);
        EXPECT_EQ(result.exitCode, 1) << result.out.toStdString() << result.err.toStdString();
        EXPECT_FALSE(result.err.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("data.abs"))));
        ExpectOnlyWholeFiles(dir.path());
    }
}

// A crash while a picture was written used to leave an empty logo.bmp that the next run kept (and
// every printed document then failed on it): a picture that does not load is written again, one
// that loads is kept.
TEST(InitData, RerunReplacesABrokenPictureAndKeepsAGoodOne)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("picture")));
    QFile(dir.filePath(QStringLiteral("logo.bmp"))).open(QIODevice::WriteOnly);
    {
        QFile cutOff(dir.filePath(QStringLiteral("larderon.jpg")));
        ASSERT_TRUE(cutOff.open(QIODevice::WriteOnly));
        cutOff.write(EncodePicture(DefaultWindowPicture(), "JPG").left(3000));
    }
    ASSERT_TRUE(ProductPicture(5).save(dir.filePath(QStringLiteral("picture/temp.jpg")), "JPG"));
    const QByteArray ownPicture = bytesOf(dir.filePath(QStringLiteral("picture/temp.jpg")));
    QString error;
    ASSERT_TRUE(CreateDataFolder(dir.path(), false, &error)) << error.toStdString();
    EXPECT_EQ(QImageReader(dir.filePath(QStringLiteral("logo.bmp"))).read().size(), DefaultLogo().size());
    EXPECT_EQ(bytesOf(dir.filePath(QStringLiteral("larderon.jpg"))), EncodePicture(DefaultWindowPicture(), "JPG"));
    EXPECT_EQ(bytesOf(dir.filePath(QStringLiteral("picture/temp.jpg"))), ownPicture);
    ExpectOnlyWholeFiles(dir.path());
}

// Several runs at once on one folder: one makes data.abs, the others say it exists, and none
// meets a damaged work file or prints an engine error.
TEST(InitData, SimultaneousRunsMakeOneDatabase)
{
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        QTemporaryDir runtime; // keeps Qt's note about a missing runtime folder out of the output
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        QProcess runs[3];
        for (QProcess &run : runs) {
            run.setProcessEnvironment(environment);
            run.start(kLarderon, {QStringLiteral("init-data"), dir.path()});
        }
        int succeeded = 0;
        for (QProcess &run : runs) {
            ASSERT_TRUE(run.waitForFinished(60000));
            const QString err = QString::fromUtf8(run.readAllStandardError());
            if (run.exitCode() == 0) {
                ++succeeded;
                EXPECT_TRUE(err.isEmpty()) << err.toStdString();
            } else {
                EXPECT_EQ(run.exitCode(), 1);
                EXPECT_TRUE(err.contains(QStringLiteral("already exists; it is left as it is"))) << err.toStdString();
                EXPECT_EQ(err.count(QLatin1Char('\n')), 1) << "one line, no warnings: " << err.toStdString();
            }
        }
        EXPECT_EQ(succeeded, 1);
        ExpectOnlyWholeFiles(dir.path());
        const ConnectionSettings settings{dir.filePath(QStringLiteral("data.abs")), 5, true};
        QString error;
        auto c = OpenDataConnection(settings, &error);
        ASSERT_TRUE(c) << error.toStdString();
        QSqlQuery q(c->database());
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT count(*) FROM market WHERE USRNAME = 'admin'")) && q.next());
        EXPECT_EQ(q.value(0).toInt(), 1);
    }
}

// Folder names that would make init-data write somewhere else than meant are refused: an empty
// name (the current folder) and bytes that are not UTF-8 (read as U+FFFD, another name).
TEST(InitData, RefusesNamesItCannotTakeAsGiven)
{
    QString error;
    EXPECT_FALSE(CreateDataFolder(QString(), false, &error));
    EXPECT_FALSE(error.isEmpty());

    const struct
    {
        const char *name;
        const char *folderArgument; // a printf format
        const char *message;
    } cases[] = {
        {"empty", "", "No folder was named"},
        {"not UTF-8", "shop\\377\\376", "not valid UTF-8"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir work;
        ASSERT_TRUE(work.isValid());
        const ProcessResult result = RunProcess(
            QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), QStringLiteral("cd \"$1\" && exec \"$2\" init-data \"$(printf \"$3\")\""), QStringLiteral("sh"),
             work.path(), kLarderon, QString::fromUtf8(c.folderArgument)});
        EXPECT_EQ(result.exitCode, 1) << result.out.toStdString() << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.message))) << result.err.toStdString();
        EXPECT_EQ(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }
}

// A file of another program or of a newer build, also one kept in write-ahead-log mode, is refused
// by the connection and by maintenance without a single byte of it changing; the reason is never
// empty (a data version of -1 used to give an empty text).
TEST(DataFile, ForeignAndNewerFilesAreRefusedUntouched)
{
    SKIP_ON_SERVER("the header of data.abs");
    for (const bool wal : {false, true}) {
        for (const int version : {0, -1, kSchemaVersion + 1}) {
            SCOPED_TRACE(std::to_string(version) + (wal ? " in WAL mode" : ""));
            TempDataFolder folder;
            ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
            {
                auto c = Connection::open({folder.databasePath(), 5, true}, nullptr);
                ASSERT_TRUE(c);
                QSqlQuery q(c->database());
                ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA user_version = %1").arg(version)));
                if (wal) {
                    ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA journal_mode = WAL")));
                }
            }
            const QStringList before = filesUnder(folder.folder());
            const QByteArray bytes = bytesOf(folder.databasePath());
            folder.use();
            QString error;
            EXPECT_EQ(OpenDataConnection(&error), nullptr);
            EXPECT_FALSE(error.isEmpty());
            MaintenanceOptions checked;
            checked.checkFile = DataFileCheck();
            QString report, maintenanceError;
            EXPECT_FALSE(CompactDatabase(folder.databasePath(), &maintenanceError, checked));
            EXPECT_FALSE(RepairDatabase(folder.databasePath(), &report, &maintenanceError, checked));
            EXPECT_EQ(maintenanceError, QStringLiteral("Repair of '%1' failed: %2").arg(folder.databasePath(), error));
            EXPECT_EQ(bytesOf(folder.databasePath()), bytes);
            EXPECT_EQ(filesUnder(folder.folder()), before);
        }
    }
}
