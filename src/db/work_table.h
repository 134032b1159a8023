#pragma once

#include <QSqlDatabase>
#include <QString>

// Work tables: temporary tables private to one connection (CREATE TEMP TABLE), dropped when it
// closes. A window that keeps its rows in one owns the connection, so two such windows never
// share a work table.

// The type of a text column of width characters in a work table, comparing and sorting by code
// point like the stored tables do on either engine.
QString WorkTableTextType(QSqlDatabase db, int width);
