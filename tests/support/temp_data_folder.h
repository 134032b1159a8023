#pragma once

#include "engine/server_config.h"

#include <QString>
#include <QTemporaryDir>

// A fresh data folder in a temporary directory, made by the same code as `larderon init-data`, on
// the engine of the test run (see test_engine.h): data.abs in the folder, or a new database of
// the test server named by the folder's server.ini, dropped again when the folder goes.
// use() points the shared connection settings at it, the way the main window does at start-up.
class TempDataFolder
{
public:
    explicit TempDataFolder(bool demo = false);
    ~TempDataFolder();
    TempDataFolder(const TempDataFolder &) = delete;
    TempDataFolder &operator=(const TempDataFolder &) = delete;

    bool ok() const { return m_ok; }
    const QString &error() const { return m_error; }
    // The folder, ending with the path separator (like DataFolder).
    QString folder() const;
    // The folder's data.abs, as DatabasePath names it (on the server it names the folder only).
    QString databasePath() const;
    bool onServer() const { return !m_server.dbname.isEmpty(); }
    // The server database of the folder (onServer() only).
    const ServerConfig &server() const { return m_server; }

    // Sets DataFolder, DatabasePath, DbMaxConnections 5 and DbMultiUser true.
    void use() const;

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
    QString m_error;
    ServerConfig m_server;
};

// For tests that need a server database of their own: a new empty database on the test server,
// and dropping it (with every session still on it).
bool CreateTestServerDatabase(ServerConfig *server, QString *error);
void DropTestServerDatabase(const ServerConfig &server);
