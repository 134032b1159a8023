#pragma once

#include "child_process.h"

// Runs the program itself (its path in LARDERON_BINARY, set by the test's CMake target) with
// arguments, for end-to-end tests of the commands; with fileSizeLimit > 0 on a "small disk".
using CommandResult = ProcessResult;

inline CommandResult RunLarderon(const QStringList &arguments, qint64 fileSizeLimit = 0)
{
    return RunProcess(QStringLiteral(LARDERON_BINARY), arguments, fileSizeLimit);
}
