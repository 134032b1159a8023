#pragma once

#include <QString>

// Creates a data folder: data.abs with every table, the settings row and the account "admin"
// (level 1, password "9806"), plus the default pictures logo.bmp, larderon.jpg and picture/temp.jpg.
// With demo, adds a small Thai data set (products, parties, employees with accounts of every level,
// projects and documents of each kind in this and the previous month). Refuses a folder that
// already holds data.abs; pictures already there are kept. The database is built beside its final
// name and renamed into place only when complete, so a failure leaves no half-made data.abs.
bool CreateDataFolder(const QString &folder, bool demo, QString *error);

// The announced password of the first administrator account.
inline constexpr char16_t kAdminPassword[] = u"9806";
