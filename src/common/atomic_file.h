#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Every file the program writes (backups, PDFs, exports, pictures, app_path.txt) is written whole
// or not at all: it is made under a temporary name in the folder of its final name, flushed to the
// disk, checked, and only then renamed into place. A failure at any step removes the temporary
// file and says why; a crash leaves at most a "*.part" file beside an untouched final name.

// One step on the temporary file: fill it, or check what was written. False with a reason.
using FileStep = std::function<bool(const QString &path, QString *error)>;

enum class ExistingFile {
    Replace, // the final name may exist and is replaced (keeping its permissions)
    Keep,    // the final name must not exist; it is never overwritten, not even by a race
};

// Writes target through `write`, which receives the path of a new, empty temporary file in the
// target's folder (and may open it by name). `verify`, when given, checks the temporary after it
// has been flushed. Refuses a target that names a file of a database (IsDatabaseFile).
bool WriteFileWhole(const QString &target, const FileStep &write, const FileStep &verify,
                    ExistingFile existing, QString *error);

// Writes content as the whole text of target, replacing an older file, and checks it reads back.
bool WriteFileWhole(const QString &target, const QByteArray &content, QString *error);

// The steps of writing bytes that are known beforehand: write them (every failure reported with
// the system's reason), and check that the file holds exactly them.
bool WriteBytes(const QString &path, const QByteArray &content, QString *error);
bool HoldsBytes(const QString &path, const QByteArray &content, QString *error);

// True when path (or the file a symbolic link at path leads to) is a database file "data.abs",
// one of its journals, its connection slots file, a work file of maintenance or of init-data
// (data.abs.tmp, data.abs.new…), or the file named by the shared DatabasePath. No output of the
// program may take one of these names.
bool IsDatabaseFile(const QString &path);

// The message for a refused output name.
QString DatabaseFileRefusal(const QString &path);

// Flushes a file, or a folder's entries, to the disk; false when the system reports an error.
bool SyncFile(const QString &path);
bool SyncFolder(const QString &folder);

// Renames from to to; false (from left as it is) when to exists, also when it appears meanwhile.
bool RenameWithoutReplacing(const QString &from, const QString &to, QString *error);

// The file a path finally names once every symbolic link is followed; the path itself when it
// names no symbolic link (or a dangling one).
QString FileBehindLinks(const QString &path);
