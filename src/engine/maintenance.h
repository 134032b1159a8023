#pragma once

#include "engine/database_file.h"

#include <QString>

#include <functional>

// Maintenance of a data folder's data. On a server (the folder holds server.ini) compaction and
// repair are the server's VACUUM (ANALYZE) and REINDEX of the data's tables, also only while
// nothing else is connected. Maintenance of a whole database file: Compaction and repair need the file to themselves: they
// take every connection slot and the file's write lock first and refuse while any connection is
// open. They write the new file as "<file>.tmp" beside the file a symbolic link leads to (the link
// stays a link), prove the copy against the original (schema, version, every row by key, the
// auto-increment counters, the integrity check) and put it in place with one atomic rename only
// then, after checking that their hold on the slots is still the hold on the file's slots. A
// failure at any step leaves the original file as it was.

struct MaintenanceOptions
{
    // Run on the file's header before anything opens it: refuses files of other programs or of
    // newer builds (the data layer supplies one).
    DatabaseFileCheck checkFile = {};
    // Repair only: asked, with the repair text, before a copy that lacks rows which could not be
    // read from a damaged file replaces it. Without it such a copy is never put in place.
    std::function<bool(const QString &report)> acceptLoss = {};
};

// Rebuilds the file without free space.
bool CompactDatabase(const QString &databasePath, QString *error, const MaintenanceOptions &options = {});

// Checks the file and rebuilds it with fresh indexes: first by a quick copy, and whenever that
// copy cannot be proven, row by row from what can still be read. report receives the findings,
// one per line, including every row that could not be read, by table. Returns false (original
// untouched, reason in error) when no proven copy could be made, when the copy could not be
// written in full (a full disk is never taken for damage) or when a loss was not accepted.
bool RepairDatabase(const QString &databasePath, QString *report, QString *error,
                    const MaintenanceOptions &options = {});

// Writes a consistent copy of the file to targetPath, which must not exist and may not name a
// file of a database. Other connections may stay open; the copy reflects the last committed
// state. The copy is made under a temporary name and renamed to targetPath only once it is
// checked, so targetPath is never left half-written.
bool BackupDatabase(const QString &databasePath, const QString &targetPath, QString *error,
                    const MaintenanceOptions &options = {});

// "<file>.tmp" beside the file databasePath leads to: the work file of compaction and repair.
QString MaintenanceWorkFile(const QString &databasePath);
