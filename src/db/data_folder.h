#pragma once

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

// The announced password of the first administrator account.
inline constexpr char16_t kAdminPassword[] = u"9806";
