#pragma once

#include "engine/server_config.h"

#include <QSqlDatabase>
#include <QString>

// Creates a data folder: data.abs with every table, the settings row and the account "admin"
// (level 1, password "9806"), plus the default pictures logo.bmp, larderon.jpg and picture/temp.jpg.
// With demo, adds a small Thai data set (products, parties, employees with accounts of every level,
// projects and documents of each kind in this and the previous month). Refuses an empty folder
// name and a folder that already holds data.abs; pictures already there are kept when they load
// (a broken one is written again). Every file is written whole: the pictures through a temporary
// name, the database under a work name of its own run, put in place only when complete and never
// over a data.abs that a simultaneous run finished first.
bool CreateDataFolder(const QString &folder, bool demo, QString *error);

// The same on a database server: the tables, the settings row and the first administrator (and
// with demo the demo data) in one transaction in an empty database of the server, then
// "server.ini" naming it in folder (the pictures stay in the folder). Refuses a database that
// already holds any table of the program, and a folder that holds data.abs or server.ini.
bool CreateServerDataFolder(const QString &folder, const ServerConfig &server, bool demo, QString *error);

// False, with the table named in error, when the server's database holds any of the program's
// tables.
bool ServerHoldsNoProgramData(QSqlDatabase db, QString *error);

// The announced password of the first administrator account.
inline constexpr char16_t kAdminPassword[] = u"9806";
