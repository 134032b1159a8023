#pragma once

#include "engine/server_config.h"

#include <QSqlDatabase>
#include <QString>

// The two engines that can keep a data folder's data: the embedded engine in the file "data.abs"
// (one or two computers on a shared folder) and a PostgreSQL server named by "server.ini" (more
// computers). Pictures, exports and backups stay in the data folder either way. Windows and data
// classes never ask which one they run on; only the engine layer and the schema do.
enum class EngineKind { File, Server };

struct DataStore
{
    EngineKind kind = EngineKind::File;
    QString databasePath; // <folder>/data.abs, also for a server (it names the folder)
    ServerConfig server;  // Server only
};

// "server.ini" in the folder of databasePath.
QString ServerIniPath(const QString &databasePath);

// Which engine keeps the data of the folder of databasePath: a readable server.ini names a
// server; otherwise the file. Both server.ini and data.abs present, or a server.ini that cannot be
// read, is an error and nothing is opened.
bool LocateDataStore(const QString &databasePath, DataStore *store, QString *error);

// True when folder (with or without its trailing separator) holds a data file or server settings.
bool HoldsData(const QString &folder);

// The engine of an open Qt connection.
EngineKind EngineOf(const QSqlDatabase &db);
