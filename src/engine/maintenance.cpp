#include "engine/maintenance.h"

#include "engine/connection_slots.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A private connection used only while maintenance holds every slot of the file.
class RawDatabase
{
public:
    explicit RawDatabase(const QString &path)
        : m_name(QStringLiteral("larderon-maintenance-%1").arg(++s_counter))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        m_open = db.open();
        if (!m_open)
            m_error = db.lastError().text();
    }
    ~RawDatabase()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    bool isOpen() const { return m_open; }
    const QString &openError() const { return m_error; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

    bool exec(const QString &sql, QString *error)
    {
        QSqlQuery query(db());
        if (query.exec(sql))
            return true;
        if (error)
            *error = query.lastError().text();
        return false;
    }

    QStringList column(const QString &sql, QString *error)
    {
        QStringList values;
        QSqlQuery query(db());
        if (!query.exec(sql)) {
            if (error)
                *error = query.lastError().text();
            return values;
        }
        while (query.next())
            values.append(query.value(0).toString());
        return values;
    }

private:
    static inline QAtomicInteger<quint64> s_counter;
    QString m_name;
    bool m_open = false;
    QString m_error;
};

QString quoted(const QString &identifier)
{
    QString text = identifier;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

bool fsyncPath(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool removeWorkFile(const QString &workFile, QString *error)
{
    for (const QString &name : {workFile, workFile + QStringLiteral("-journal")}) {
        const QFileInfo info(name);
        if (!info.exists() && !info.isSymLink())
            continue;
        if (info.isDir() || !QFile::remove(name)) {
            if (error)
                *error = QStringLiteral("Cannot remove the old work file '%1'").arg(name);
            return false;
        }
    }
    return true;
}

// The copy is sound: it opens, passes the integrity check and holds the original's tables.
bool verifyCopy(const QString &workFile, const QStringList &expectedTables, QString *error)
{
    RawDatabase copy(workFile);
    if (!copy.isOpen()) {
        *error = copy.openError();
        return false;
    }
    const QStringList check = copy.column(QStringLiteral("PRAGMA integrity_check"), error);
    if (check != QStringList{QStringLiteral("ok")}) {
        if (error && !check.isEmpty())
            *error = QStringLiteral("The rebuilt copy is damaged: %1").arg(check.join(u"; "));
        return false;
    }
    const QStringList tables = copy.column(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"), error);
    for (const QString &table : expectedTables) {
        if (!tables.contains(table)) {
            *error = QStringLiteral("The rebuilt copy lacks the table '%1'").arg(table);
            return false;
        }
    }
    return true;
}

// Puts the verified work file in place of the original with one atomic rename.
bool replaceWithWorkFile(const QString &databasePath, const QString &workFile, QString *error)
{
    if (!fsyncPath(workFile)) {
        *error = QStringLiteral("Cannot flush the work file '%1' to disk").arg(workFile);
        return false;
    }
    if (std::rename(QFile::encodeName(workFile).constData(), QFile::encodeName(databasePath).constData()) != 0) {
        *error = QStringLiteral("Cannot replace '%1' with the rebuilt copy").arg(databasePath);
        return false;
    }
    fsyncPath(QFileInfo(databasePath).absolutePath());
    return true;
}

QStringList userTables(RawDatabase &db, QString *error)
{
    return db.column(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' "
                                    "AND name NOT LIKE 'sqlite_%' ORDER BY name"),
                     error);
}

bool vacuumInto(RawDatabase &db, const QString &target, QString *error)
{
    QSqlQuery query(db.db());
    if (!query.prepare(QStringLiteral("VACUUM INTO :target"))) {
        *error = query.lastError().text();
        return false;
    }
    query.bindValue(QStringLiteral(":target"), target);
    if (query.exec())
        return true;
    *error = query.lastError().text();
    return false;
}

// Builds the work file row by row from what can still be read of a damaged file.
bool salvageInto(RawDatabase &source, const QString &workFile, QStringList &findings, QString *error)
{
    QSqlQuery objects(source.db());
    if (!objects.exec(QStringLiteral("SELECT type, name, sql FROM sqlite_master WHERE sql IS NOT NULL "
                                     "AND name NOT LIKE 'sqlite_%' ORDER BY type='index', rowid"))) {
        *error = objects.lastError().text();
        return false;
    }
    QStringList tableNames, tableSql, indexSql;
    while (objects.next()) {
        if (objects.value(0).toString() == u"table") {
            tableNames.append(objects.value(1).toString());
            tableSql.append(objects.value(2).toString());
        } else if (objects.value(0).toString() == u"index") {
            indexSql.append(objects.value(2).toString());
        }
    }
    objects.finish();

    {
        RawDatabase target(workFile);
        if (!target.isOpen()) {
            *error = target.openError();
            return false;
        }
        for (const QString &sql : tableSql) {
            if (!target.exec(sql, error))
                return false;
        }
    }

    QSqlQuery attach(source.db());
    attach.prepare(QStringLiteral("ATTACH DATABASE :file AS rebuilt"));
    attach.bindValue(QStringLiteral(":file"), workFile);
    if (!attach.exec()) {
        *error = attach.lastError().text();
        return false;
    }
    for (const QString &table : tableNames) {
        const QString copyAll = QStringLiteral("INSERT INTO rebuilt.%1 SELECT * FROM main.%1").arg(quoted(table));
        QString failure;
        if (source.exec(copyAll, &failure))
            continue;
        // The table cannot be read in one pass: save what can be read one row at a time.
        const QStringList rowids = source.column(QStringLiteral("SELECT rowid FROM main.%1").arg(quoted(table)), nullptr);
        int lost = 0;
        for (const QString &rowid : rowids) {
            QSqlQuery row(source.db());
            row.prepare(QStringLiteral("INSERT OR IGNORE INTO rebuilt.%1 SELECT * FROM main.%1 WHERE rowid = :rowid")
                            .arg(quoted(table)));
            row.bindValue(QStringLiteral(":rowid"), rowid.toLongLong());
            if (!row.exec())
                ++lost;
        }
        findings.append(QStringLiteral("Table %1: %2 rows saved one by one, %3 could not be read (%4)")
                            .arg(table)
                            .arg(rowids.size() - lost)
                            .arg(lost)
                            .arg(failure));
    }
    // Auto-increment counters must not fall back, or deleted keys would be issued again.
    source.exec(QStringLiteral("INSERT OR REPLACE INTO rebuilt.sqlite_sequence (name, seq) "
                               "SELECT name, seq FROM main.sqlite_sequence"),
                nullptr);
    for (const QString &sql : indexSql) {
        QString failure;
        if (!source.exec(QString(sql).replace(QStringLiteral("CREATE UNIQUE INDEX "), QStringLiteral("CREATE UNIQUE INDEX rebuilt."))
                             .replace(QStringLiteral("CREATE INDEX "), QStringLiteral("CREATE INDEX rebuilt.")),
                         &failure))
            findings.append(QStringLiteral("Index could not be rebuilt: %1 (%2)").arg(sql, failure));
    }
    const QStringList version = source.column(QStringLiteral("PRAGMA main.user_version"), nullptr);
    if (!version.isEmpty())
        source.exec(QStringLiteral("PRAGMA rebuilt.user_version = %1").arg(version.first().toInt()), nullptr);
    source.exec(QStringLiteral("DETACH DATABASE rebuilt"), nullptr);
    return true;
}

bool checkFileExists(const QString &databasePath, QString *error)
{
    if (QFileInfo(databasePath).isFile())
        return true;
    *error = QStringLiteral("Database file '%1' does not exist").arg(databasePath);
    return false;
}

// The file exists, no connection is open on it (all slots are taken into `all`) and no old work
// file is in the way.
bool takeFileForMaintenance(const QString &databasePath, ConnectionSlot &all, QString *error)
{
    return checkFileExists(databasePath, error) && all.acquireAll(databasePath, error)
           && removeWorkFile(MaintenanceWorkFile(databasePath), error);
}

// Puts the work file in place when it passes its checks; otherwise removes it.
bool installVerifiedCopy(const QString &databasePath, const QStringList &tables, QString *error)
{
    const QString workFile = MaintenanceWorkFile(databasePath);
    if (verifyCopy(workFile, tables, error) && replaceWithWorkFile(databasePath, workFile, error))
        return true;
    removeWorkFile(workFile, nullptr);
    return false;
}

} // namespace

QString MaintenanceWorkFile(const QString &databasePath)
{
    return databasePath + QStringLiteral(".tmp");
}

bool CompactDatabase(const QString &databasePath, QString *error)
{
    QString failure;
    const auto fail = [&](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    ConnectionSlot all;
    const QString workFile = MaintenanceWorkFile(databasePath);
    if (!takeFileForMaintenance(databasePath, all, &failure))
        return fail(failure);

    QStringList tables;
    {
        RawDatabase source(databasePath);
        if (!source.isOpen())
            return fail(source.openError());
        tables = userTables(source, &failure);
        if (!failure.isEmpty() || !vacuumInto(source, workFile, &failure)) {
            removeWorkFile(workFile, nullptr);
            return fail(QStringLiteral("Compaction of '%1' failed: %2").arg(databasePath, failure));
        }
    }
    if (!installVerifiedCopy(databasePath, tables, &failure))
        return fail(QStringLiteral("Compaction of '%1' failed: %2").arg(databasePath, failure));
    return true;
}

bool RepairDatabase(const QString &databasePath, QString *report, QString *error)
{
    QString failure;
    QStringList findings;
    const auto fail = [&](const QString &text) {
        if (report)
            *report = findings.join(QLatin1Char('\n'));
        if (error)
            *error = text;
        return false;
    };
    ConnectionSlot all;
    const QString workFile = MaintenanceWorkFile(databasePath);
    if (!takeFileForMaintenance(databasePath, all, &failure))
        return fail(failure);

    QStringList tables;
    {
        RawDatabase source(databasePath);
        if (!source.isOpen())
            return fail(source.openError());
        const QStringList check = source.column(QStringLiteral("PRAGMA integrity_check"), &failure);
        if (check == QStringList{QStringLiteral("ok")})
            findings.append(QStringLiteral("Integrity check: no damage found"));
        else if (check.isEmpty())
            findings.append(QStringLiteral("Integrity check could not run: %1").arg(failure));
        else
            for (const QString &line : check)
                findings.append(QStringLiteral("Integrity check: %1").arg(line));
        failure.clear();
        tables = userTables(source, &failure);
        if (!failure.isEmpty())
            return fail(QStringLiteral("Repair of '%1' failed: the table list cannot be read: %2").arg(databasePath, failure));

        if (source.exec(QStringLiteral("REINDEX"), &failure))
            findings.append(QStringLiteral("Indexes rebuilt"));
        else
            findings.append(QStringLiteral("Indexes could not be rebuilt in place: %1").arg(failure));

        failure.clear();
        if (vacuumInto(source, workFile, &failure)) {
            findings.append(QStringLiteral("File rebuilt"));
        } else {
            findings.append(QStringLiteral("File could not be copied in one pass (%1); saving row by row").arg(failure));
            removeWorkFile(workFile, nullptr);
            failure.clear();
            if (!salvageInto(source, workFile, findings, &failure)) {
                removeWorkFile(workFile, nullptr);
                return fail(QStringLiteral("Repair of '%1' failed: %2").arg(databasePath, failure));
            }
        }
    }
    if (!installVerifiedCopy(databasePath, tables, &failure))
        return fail(QStringLiteral("Repair of '%1' failed: %2").arg(databasePath, failure));
    if (report)
        *report = findings.join(QLatin1Char('\n'));
    return true;
}

bool BackupDatabase(const QString &databasePath, const QString &targetPath, QString *error)
{
    QString failure;
    if (!checkFileExists(databasePath, &failure)) {
        if (error)
            *error = failure;
        return false;
    }
    if (QFileInfo::exists(targetPath)) {
        if (error)
            *error = QStringLiteral("The backup file '%1' already exists").arg(targetPath);
        return false;
    }
    RawDatabase source(databasePath);
    if (!source.isOpen() || !vacuumInto(source, targetPath, &failure)) {
        if (error)
            *error = QStringLiteral("Backup of '%1' failed: %2").arg(databasePath, source.isOpen() ? failure : source.openError());
        return false;
    }
    return true;
}
