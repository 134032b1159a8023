#include "engine/maintenance.h"

#include "engine/data_store.h"
#include "engine/server_maintenance.h"

#include "common/atomic_file.h"
#include "engine/connection_slots.h"
#include "engine/copy_proof.h"
#include "engine/raw_database.h"
#include "engine/salvage.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace {

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

bool removeWorkFile(const QString &workFile, QString *error)
{
    for (const QString &name : {workFile, workFile + QStringLiteral("-journal")}) {
        const QFileInfo info(name);
        if (!info.exists() && !info.isSymLink())
            continue;
        if (info.isDir() || !QFile::remove(name))
            return fail(error, QStringLiteral("Cannot remove the old work file '%1'").arg(name));
    }
    return true;
}

// The original's write lock, held from before its copy is taken until the copy is in its place:
// a writer that got past the connection slots (a slots file removed under a running copy of the
// program) waits and then fails, instead of committing into a file about to be replaced.
class WriteHold
{
public:
    ~WriteHold()
    {
        if (m_db)
            m_db->exec(QStringLiteral("ROLLBACK"), nullptr);
    }

    bool take(const QString &path, QString *error)
    {
        auto db = std::make_unique<RawDatabase>(path, RawDatabase::Access::ReadWrite);
        QString failure = db->openError();
        if (!db->isOpen() || !db->exec(QStringLiteral("BEGIN IMMEDIATE"), &failure))
            return fail(error, QStringLiteral("Database file '%1' cannot be locked for maintenance: %2").arg(path, failure));
        m_db = std::move(db);
        return true;
    }

private:
    std::unique_ptr<RawDatabase> m_db;
};

// A database file taken for compaction or repair.
struct MaintainedFile
{
    QString path; // as given
    QString real; // the file a symbolic link leads to: the one that is replaced
    QString work; // real + ".tmp"
    ConnectionSlot allSlots;
    WriteHold hold;
    DatabaseFacts facts;
};

bool checkFileExists(const QString &databasePath, QString *error)
{
    if (QFileInfo(databasePath).isFile())
        return true;
    return fail(error, QStringLiteral("Database file '%1' does not exist").arg(databasePath));
}

bool readFacts(const QString &path, DatabaseFacts *facts, QString *error)
{
    RawDatabase source(path, RawDatabase::Access::ReadOnly);
    if (!source.isOpen())
        return fail(error, source.openError());
    QString failure;
    if (!ReadDatabaseFacts(source, QStringLiteral("main"), facts, &failure))
        return fail(error, QStringLiteral("the schema cannot be read: %1").arg(failure));
    return true;
}

// The file exists and is acceptable, no connection is open on it (every slot and the write lock
// are taken), no old work file is in the way, and its schema is known.
bool takeFile(const QString &databasePath, const MaintenanceOptions &options, MaintainedFile &file, QString *error)
{
    file.path = databasePath;
    file.real = FileBehindLinks(databasePath);
    file.work = MaintenanceWorkFile(databasePath);
    return checkFileExists(databasePath, error) && CheckDatabaseFile(file.real, options.checkFile, error)
           && file.allSlots.acquireAll(databasePath, error) && removeWorkFile(file.work, error)
           && file.hold.take(file.real, error) && readFacts(file.real, &file.facts, error);
}

bool vacuumInto(RawDatabase &db, const QString &target, QString *error)
{
    return db.exec(QStringLiteral("VACUUM INTO :target"), error, {{QStringLiteral("target"), target}});
}

// The quick copy: the engine's own rebuild, then fresh indexes (damaged index pages are copied as
// they are) and sound counters.
bool quickCopy(const MaintainedFile &file, bool reindex, QString *error)
{
    {
        RawDatabase source(file.real, RawDatabase::Access::ReadOnly);
        if (!source.isOpen())
            return fail(error, source.openError());
        if (!vacuumInto(source, file.work, error))
            return false;
    }
    RawDatabase copy(file.work, RawDatabase::Access::ReadWrite);
    if (!copy.isOpen())
        return fail(error, copy.openError());
    return (!reindex || copy.exec(QStringLiteral("REINDEX"), error)) && SetSequences(copy, file.facts, error);
}

// Puts the proven work file in place of the original with one atomic rename.
bool install(MaintainedFile &file, QString *error)
{
    if (!file.allSlots.stillInPlace())
        return fail(error, QStringLiteral("the connection slot file was removed or replaced meanwhile, so a connection may have been opened"));
    if (!SyncFile(file.work))
        return fail(error, QStringLiteral("the work file '%1' cannot be flushed to disk").arg(file.work));
    if (std::rename(QFile::encodeName(file.work).constData(), QFile::encodeName(file.real).constData()) != 0)
        return fail(error, QStringLiteral("'%1' cannot be replaced with the rebuilt copy").arg(file.real));
    SyncFolder(QFileInfo(file.real).absolutePath());
    return true;
}

QStringList integrityFindings(const QString &path)
{
    RawDatabase source(path, RawDatabase::Access::ReadOnly);
    QStringList check;
    QString failure = source.openError();
    if (!source.isOpen() || !source.column(QStringLiteral("PRAGMA integrity_check"), &check, &failure))
        return {QStringLiteral("Integrity check could not run: %1").arg(failure)};
    if (check == QStringList{QStringLiteral("ok")})
        return {QStringLiteral("Integrity check: no damage found")};
    constexpr qsizetype kShown = 20;
    QStringList findings;
    for (const QString &line : check.mid(0, kShown))
        findings.append(QStringLiteral("Integrity check: %1").arg(line));
    if (check.size() > kShown)
        findings.append(QStringLiteral("Integrity check: %1 more problems").arg(check.size() - kShown));
    return findings;
}

} // namespace

QString MaintenanceWorkFile(const QString &databasePath)
{
    return FileBehindLinks(databasePath) + QStringLiteral(".tmp");
}

bool CompactDatabase(const QString &databasePath, QString *error, const MaintenanceOptions &options)
{
    DataStore store;
    if (!LocateDataStore(databasePath, &store, error))
        return false;
    if (store.kind == EngineKind::Server)
        return CompactServerDatabase(databasePath, store.server, nullptr, error);
    MaintainedFile file;
    QString failure;
    if (!takeFile(databasePath, options, file, &failure)
        || !quickCopy(file, false, &failure)
        || !ProveCopy(file.work, file.real, file.facts, ProofLevel::Contents, {}, &failure)
        || !install(file, &failure)) {
        removeWorkFile(file.work, nullptr);
        return fail(error, QStringLiteral("Compaction of '%1' failed: %2").arg(databasePath, failure));
    }
    return true;
}

bool RepairDatabase(const QString &databasePath, QString *report, QString *error, const MaintenanceOptions &options)
{
    DataStore store;
    if (!LocateDataStore(databasePath, &store, error))
        return false;
    if (store.kind == EngineKind::Server)
        return RepairServerDatabase(databasePath, store.server, report, error);
    QStringList findings;
    QString failure;
    MaintainedFile file;
    const auto finish = [&](bool ok, const QString &text) {
        if (report)
            *report = findings.join(QLatin1Char('\n'));
        if (!ok) {
            removeWorkFile(file.work, nullptr);
            fail(error, text);
        }
        return ok;
    };
    if (!takeFile(databasePath, options, file, &failure))
        return finish(false, QStringLiteral("Repair of '%1' failed: %2").arg(databasePath, failure));
    findings += integrityFindings(file.real);

    if (quickCopy(file, true, &failure) && ProveCopy(file.work, file.real, file.facts, ProofLevel::Contents, {}, &failure)) {
        findings.append(QStringLiteral("Indexes rebuilt"));
        if (!install(file, &failure))
            return finish(false, QStringLiteral("Repair of '%1' failed: %2; the file is left as it was").arg(databasePath, failure));
        findings.append(QStringLiteral("File rebuilt"));
        return finish(true, {});
    }

    findings.append(QStringLiteral("The file could not be copied in one pass (%1); saving row by row").arg(failure));
    removeWorkFile(file.work, nullptr);
    SalvageResult salvage;
    if (!SalvageInto(file.real, file.work, file.facts, &salvage, &failure)
        || !ProveCopy(file.work, file.real, file.facts, ProofLevel::Contents, salvage.damagedTables, &failure))
        return finish(false, QStringLiteral("Repair of '%1' failed: %2; the file is left as it was").arg(databasePath, failure));
    findings += salvage.findings;
    findings.append(QStringLiteral("Indexes rebuilt"));
    if (salvage.lostRows > 0 && !(options.acceptLoss && options.acceptLoss(findings.join(QLatin1Char('\n')))))
        return finish(false, QStringLiteral("Repair of '%1' stopped: %2 rows could not be read; the file is left as it was")
                                 .arg(databasePath, QString::number(salvage.lostRows)));
    if (!install(file, &failure))
        return finish(false, QStringLiteral("Repair of '%1' failed: %2; the file is left as it was").arg(databasePath, failure));
    findings.append(QStringLiteral("File rebuilt row by row"));
    return finish(true, {});
}

bool BackupDatabase(const QString &databasePath, const QString &targetPath, QString *error, const MaintenanceOptions &options)
{
    const QString real = FileBehindLinks(databasePath);
    DatabaseFacts facts;
    QString failure;
    if (!checkFileExists(databasePath, &failure) || !CheckDatabaseFile(real, options.checkFile, &failure))
        return fail(error, failure);
    const auto write = [&](const QString &temporary, QString *stepError) {
        // Read-write, so that a journal left by a crashed writer is rolled back as on any open.
        RawDatabase source(real, RawDatabase::Access::ReadWrite);
        if (!source.isOpen())
            return fail(stepError, source.openError());
        QString schemaError;
        if (!ReadDatabaseFacts(source, QStringLiteral("main"), &facts, &schemaError))
            return fail(stepError, QStringLiteral("the schema cannot be read: %1").arg(schemaError));
        return vacuumInto(source, temporary, stepError);
    };
    const auto verify = [&](const QString &temporary, QString *stepError) {
        return ProveCopy(temporary, real, facts, ProofLevel::Structure, {}, stepError);
    };
    if (!WriteFileWhole(targetPath, write, verify, ExistingFile::Keep, &failure))
        return fail(error, QStringLiteral("Backup of '%1' failed: %2").arg(databasePath, failure));
    return true;
}
