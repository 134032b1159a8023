#include "engine/server_maintenance.h"

#include "engine/connection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <functional>

namespace {

constexpr int kSlots = 5;

// Opens a session holding every slot, runs work on it, and reports.
bool WithWholeDatabase(const QString &databasePath, const ServerConfig &server,
                       const std::function<bool(QSqlDatabase, QStringList *, QString *)> &work, QStringList *report,
                       QString *error)
{
    const std::unique_ptr<Connection> connection = Connection::openServer({databasePath, kSlots, true}, server, error);
    if (!connection)
        return false;
    QSqlDatabase db = connection->database();
    for (int slot = 1; slot <= kSlots; ++slot) {
        QSqlQuery take(db);
        // A session may take its own advisory lock again, so the slot of this very connection counts.
        take.prepare(QStringLiteral("SELECT pg_try_advisory_lock(:key, :slot)"));
        take.bindValue(QStringLiteral(":key"), kServerLockKey);
        take.bindValue(QStringLiteral(":slot"), slot);
        if (!take.exec() || !take.next()) {
            *error = take.lastError().text();
            return false;
        }
        if (!take.value(0).toBool()) {
            *error = QStringLiteral("The database %1 is in use: close every window and every other copy of the program "
                                    "that uses it first")
                         .arg(server.describe());
            return false;
        }
    }
    return work(db, report, error);
}

// The tables of the data: every table of the schema the connection works in.
bool DataTables(QSqlDatabase db, QStringList *tables, QString *error)
{
    QSqlQuery list(db);
    if (!list.exec(QStringLiteral("SELECT tablename FROM pg_tables WHERE schemaname = current_schema() ORDER BY tablename"))) {
        *error = list.lastError().text();
        return false;
    }
    while (list.next())
        tables->append(list.value(0).toString());
    return true;
}

// Runs "<command> <table>" for each table of the data (table names come from the server's own
// catalogue; names cannot be bound).
bool ForEachTable(QSqlDatabase db, const QString &command, QStringList *report, QString *error)
{
    QStringList tables;
    if (!DataTables(db, &tables, error))
        return false;
    for (const QString &table : tables) {
        QSqlQuery step(db);
        if (!step.exec(QStringLiteral("%1 \"%2\"").arg(command, table))) {
            *error = QStringLiteral("%1 %2: %3").arg(command, table, step.lastError().text());
            return false;
        }
        report->append(QStringLiteral("%1 %2: ok").arg(command, table));
    }
    return true;
}

bool Run(const QString &databasePath, const ServerConfig &server, const QString &command, QString *report,
         QString *error)
{
    QStringList lines;
    const bool ok = WithWholeDatabase(
        databasePath, server,
        [&](QSqlDatabase db, QStringList *steps, QString *failure) { return ForEachTable(db, command, steps, failure); },
        &lines, error);
    if (report)
        *report = lines.join(u'\n');
    return ok;
}

} // namespace

bool CompactServerDatabase(const QString &databasePath, const ServerConfig &server, QString *report, QString *error)
{
    return Run(databasePath, server, QStringLiteral("VACUUM (ANALYZE)"), report, error);
}

bool RepairServerDatabase(const QString &databasePath, const ServerConfig &server, QString *report, QString *error)
{
    return Run(databasePath, server, QStringLiteral("REINDEX TABLE"), report, error);
}
