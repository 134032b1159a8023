#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Runs the program itself (its path in LARDERON_BINARY, set by the test's CMake target) with
// arguments, for end-to-end tests of the commands.
struct CommandResult
{
    int exitCode = -1; // -1 when it crashed or could not start
    QString out;
    QString err;
};

inline CommandResult RunLarderon(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(LARDERON_BINARY), arguments);
    CommandResult result;
    if (!process.waitForFinished(-1)) {
        result.err = process.errorString();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}
