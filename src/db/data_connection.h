#pragma once

#include "engine/connection.h"

#include <memory>

// The connection settings every window uses, taken from the shared run-time state
// (DatabasePath, DbMaxConnections, DbMultiUser) at the moment the window connects. They refuse
// files of other programs and of newer builds before opening them.
ConnectionSettings CurrentConnectionSettings();

// The test of a data file's header that connections and maintenance run before opening it.
DatabaseFileCheck DataFileCheck();

// Opens a window's connection to the data file from the shared settings and makes sure the file
// carries this program's tables (upgrading a file of an earlier build). A file of another program
// or of a newer build is refused before it is opened. nullptr with the error text on failure.
std::unique_ptr<Connection> OpenDataConnection(QString *error);
std::unique_ptr<Connection> OpenDataConnection(const ConnectionSettings &settings, QString *error);
