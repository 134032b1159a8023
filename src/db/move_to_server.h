#pragma once

#include "engine/server_config.h"

#include <QStringList>

// The road of a shop that outgrows its shared file: copies every table of the folder's data.abs
// into an empty database of server in one transaction, checks the row count and the sum of every
// number column table by table, and only then writes server.ini into the folder and renames
// data.abs to data.abs.moved (kept, never deleted). The file must not be in use (every connection
// slot is taken first). On any difference or failure nothing is switched: the server's
// transaction is rolled back, the folder keeps data.abs, and error says which table differs.
// report gets one line per table.
bool MoveDataFolderToServer(const QString &folder, const ServerConfig &server, QStringList *report, QString *error);
