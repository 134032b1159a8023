#pragma once

#include <QString>

// Maintenance of a whole database file. Both operations need the file to themselves: they take
// every connection slot first and refuse while any connection is open. They write the new file as
// "<file>.tmp" beside the original and put it in place with one atomic rename only after the copy
// has passed an integrity check, so a failure at any step leaves the original file as it was.

// Rebuilds the file without free space.
bool CompactDatabase(const QString &databasePath, QString *error);

// Checks the file, rebuilds its indexes and rebuilds the file, saving every row that can still be
// read. report receives the findings, one per line. Returns false (original untouched) when no
// sound copy could be made.
bool RepairDatabase(const QString &databasePath, QString *report, QString *error);

// Writes a consistent copy of the file to targetPath (which must not exist). Other connections may
// stay open; the copy reflects the last committed state.
bool BackupDatabase(const QString &databasePath, const QString &targetPath, QString *error);

// "<file>.tmp": the work file of compaction and repair.
QString MaintenanceWorkFile(const QString &databasePath);
