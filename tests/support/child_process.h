#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>
#include <sys/resource.h>

// Runs a program of the build to its end, optionally on a "small disk": with fileSizeLimit > 0 the
// child may make no file larger than that many bytes (RLIMIT_FSIZE, set in the child only). Its
// writes past the limit then fail with EFBIG, as they would with ENOSPC on a full disk; SIGXFSZ is
// ignored so that the program sees the failure instead of being killed by it.
struct ProcessResult
{
    int exitCode = -1; // -1 when the program did not end normally
    QString out;
    QString err;
};

inline void LimitFileSize(QProcess &process, qint64 fileSizeLimit)
{
    if (fileSizeLimit <= 0)
        return;
    process.setChildProcessModifier([fileSizeLimit] {
        const struct rlimit limit = {rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, SIG_IGN);
    });
}

inline ProcessResult RunProcess(const QString &program, const QStringList &arguments, qint64 fileSizeLimit = 0)
{
    QProcess process;
    LimitFileSize(process, fileSizeLimit);
    process.start(program, arguments);
    ProcessResult result;
    if (!process.waitForFinished(-1)) {
        result.err = process.errorString();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}
