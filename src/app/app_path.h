#pragma once

#include <QString>

// Reads the data folder from "app_path.txt" in workingFolder. The text is kept as written except
// for line breaks at its very end, which text editors add and which would make the folder name
// point nowhere. Returns false with an error text when the file is missing or unreadable.
bool ReadAppPath(const QString &workingFolder, QString *dataFolder, QString *error);

// Fills DataFolder, DatabasePath (DataFolder + "data.abs"), DbMaxConnections (5) and DbMultiUser
// (true) of the shared state.
void ApplyConnectionSettings(const QString &dataFolder);

// For the commands: points the shared state at the data folder dir (given with or without its
// trailing separator) after checking that it holds data (data.abs, or server.ini naming a server).
// False with the reason otherwise.
bool UseDataFolder(const QString &dir, QString *error);
