#pragma once

#include "engine/server_config.h"

#include <QString>

// The maintenance of a data folder's data on a server, with the file's rule that nothing else is
// connected while it runs (it holds every connection slot): compaction is the server's
// VACUUM (ANALYZE), repair its REINDEX of every table of the data. report gets one line per step.
bool CompactServerDatabase(const QString &databasePath, const ServerConfig &server, QString *report, QString *error);
bool RepairServerDatabase(const QString &databasePath, const ServerConfig &server, QString *report, QString *error);
