#pragma once

#include <QStringList>

// Command-line commands that run without opening a window ("init-data", ...). Returns the exit
// code, or -1 when the arguments name no command and the program should start its window.
int RunCommand(const QStringList &arguments);

// The usage text printed for unknown commands.
QString CommandUsage();
