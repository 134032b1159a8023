#pragma once

#include "engine/connection_slots.h"
#include "engine/data_store.h"
#include "engine/database_file.h"

#include <QSqlDatabase>
#include <QString>

#include <memory>

// How a window connects to a data folder's data: databasePath is the folder's "data.abs"; when
// the folder holds "server.ini" instead, the connection goes to the server it names.
struct ConnectionSettings
{
    QString databasePath;
    int maxConnections = 5;
    bool multiUser = true;
    // Run on the file's header before the file is opened, so that a refused file stays untouched.
    DatabaseFileCheck checkFile = {};
};

// One open connection to a data folder's data: a uniquely named QSqlDatabase plus the connection
// slot that counts it against the limit (on the file: a lock in the slots file beside it; on a
// server: a session-level advisory lock, which the server frees when the session ends, also when
// the program is killed). Closing (or destroying) it closes the database, removes the Qt
// connection name and frees the slot. Query objects made on it must be gone before it is
// destroyed.
class Connection
{
public:
    // Opens the file or the server; nullptr with an error text on failure (missing file, a file that
    // is no database or that checkFile refuses, unreadable server settings, limit reached, engine
    // error).
    static std::unique_ptr<Connection> open(const ConnectionSettings &settings, QString *error);
    // Opens the database of server directly, whatever the folder holds (to create a data folder on a
    // server or to move one to it); the limit and the slot as for any connection.
    static std::unique_ptr<Connection> openServer(const ConnectionSettings &settings, const ServerConfig &server,
                                                  QString *error);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    QSqlDatabase database() const;
    const QString &name() const { return m_name; }
    const QString &databasePath() const { return m_path; }
    EngineKind engine() const { return m_engine; }

private:
    Connection(QString name, QString path, EngineKind engine, ConnectionSlot slot);
    static std::unique_ptr<Connection> openFile(const ConnectionSettings &settings, QString *error);
    QString m_name;
    QString m_path;
    EngineKind m_engine;
    ConnectionSlot m_slot;
};

// The key of the program's advisory locks on a server: slots 1 to the limit hold a connection's
// place, slot 0 is the write lock that an immediate transaction takes.
inline constexpr int kServerLockKey = 0x4C415244; // "LARD"

// Milliseconds a statement waits for another connection's lock before it fails (on either engine).
inline constexpr int kBusyTimeoutMs = 3000;
