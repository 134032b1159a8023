#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>

// Inserts one row naming every column of a table (all but AUTO); columns missing from values get
// empty text or 0. Used to build new data files and fixtures, never by the windows.
bool InsertFullRow(QSqlDatabase db, const QString &table, const QVariantMap &values, QString *error);
