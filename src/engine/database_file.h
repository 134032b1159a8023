#pragma once

#include <QString>

#include <functional>

// What the first bytes of a database file say, read with plain file reads so that looking at a
// file never changes it (an SQLite connection may roll back a journal, convert a journal mode or
// merge a write-ahead log when it opens or closes).
struct DatabaseFileHeader
{
    QString path;
    qint64 size = 0;
    bool database = false;  // an SQLite database, or an empty file (which SQLite takes as one)
    bool walMode = false;   // marked for write-ahead logging
    qint32 userVersion = 0; // PRAGMA user_version
};

// A caller's own test of a file before anything opens it (the data layer refuses files of other
// programs and of newer builds). False with the reason.
using DatabaseFileCheck = std::function<bool(const DatabaseFileHeader &header, QString *error)>;

bool ReadDatabaseFileHeader(const QString &path, DatabaseFileHeader *header, QString *error);

// Refuses a file that is no database, or that check (when given) refuses. Nothing is written.
bool CheckDatabaseFile(const QString &path, const DatabaseFileCheck &check, QString *error);
