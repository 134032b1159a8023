#pragma once

#include <QString>

// Where a data folder's data lives when a database server keeps it: the folder holds
// "server.ini" instead of "data.abs". The password never lives in the shared folder; libpq finds
// it in its usual places (the password file, PGPASSFILE, PGPASSWORD).
struct ServerConfig
{
    QString host;   // a host name, an address, or a Unix socket folder (beginning with '/')
    int port = 0;   // 0: libpq's default
    QString dbname;
    QString user;
    QString sslmode; // empty: libpq's default

    // The keyword=value text libpq reads ("host=… port=… dbname=… user=…").
    QString connectionText() const;
    // What the messages name: "dbname on host".
    QString describe() const;
};

// Parses a libpq keyword=value text ("host=db1 dbname=shop user=clerk"); the keywords above only,
// values may be single-quoted. dbname is required. False with the reason.
bool ParseServerConnectionText(const QString &text, ServerConfig *config, QString *error);

// server.ini: an [server] section with host, port, dbname, user and optional sslmode.
bool ReadServerIni(const QString &path, ServerConfig *config, QString *error);
// Writes server.ini whole (a temporary name, checked, renamed).
bool WriteServerIni(const QString &path, const ServerConfig &config, QString *error);
