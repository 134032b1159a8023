#pragma once

#include "engine/connection_slots.h"
#include "engine/database_file.h"

#include <QSqlDatabase>
#include <QString>

#include <memory>

// How a window connects to the database file.
struct ConnectionSettings
{
    QString databasePath;
    int maxConnections = 5;
    bool multiUser = true;
    // Run on the file's header before the file is opened, so that a refused file stays untouched.
    DatabaseFileCheck checkFile = {};
};

// One open connection to a database file: a uniquely named QSqlDatabase plus the connection slot
// that counts it against the file's limit. Closing (or destroying) it closes the database, removes
// the Qt connection name and frees the slot. Query objects made on it must be gone before it is
// destroyed.
class Connection
{
public:
    // Opens the file; nullptr with an error text on failure (missing file, a file that is no database
    // or that checkFile refuses, limit reached, engine error).
    static std::unique_ptr<Connection> open(const ConnectionSettings &settings, QString *error);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    QSqlDatabase database() const;
    const QString &name() const { return m_name; }
    const QString &databasePath() const { return m_path; }

private:
    Connection(QString name, QString path, ConnectionSlot slot);
    QString m_name;
    QString m_path;
    ConnectionSlot m_slot;
};

// Milliseconds a statement waits for another connection's lock before it fails.
inline constexpr int kBusyTimeoutMs = 3000;
