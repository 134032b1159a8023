#include "common/atomic_file.h"

#include "common/shared_state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// The names of a database's own files, after "data.abs": exact suffixes, then the prefixes of
// work files (which carry further suffixes of their own: journals, unique endings).
constexpr const char *kDatabaseSuffixes[] = {"", "-journal", "-wal", "-shm", ".slots"};
constexpr const char *kWorkFilePrefixes[] = {".tmp", ".new"};

bool isDatabaseFileName(const QString &fileName)
{
    const QLatin1String base("data.abs");
    if (!fileName.startsWith(base, Qt::CaseInsensitive))
        return false;
    const QString rest = fileName.mid(base.size());
    for (const char *suffix : kDatabaseSuffixes) {
        if (rest.compare(QLatin1String(suffix), Qt::CaseInsensitive) == 0)
            return true;
    }
    for (const char *prefix : kWorkFilePrefixes) {
        if (rest.startsWith(QLatin1String(prefix), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool sameFileOrFamily(const QString &path, const QString &databasePath)
{
    if (databasePath.isEmpty())
        return false;
    const QString candidate = QFileInfo(path).absoluteFilePath();
    const QString database = QFileInfo(databasePath).absoluteFilePath();
    for (const QString &name : {database, FileBehindLinks(database)}) {
        for (const char *suffix : kDatabaseSuffixes) {
            if (candidate == name + QLatin1String(suffix))
                return true;
        }
    }
    return false;
}

// A new, empty file beside target, named target + ".XXXXXX.part".
QString createTemporaryBeside(const QString &target, mode_t copyModeOf, bool haveMode, QString *error)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString suffix;
        for (int i = 0; i < 6; ++i)
            suffix += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
        const QString name = target + QLatin1Char('.') + suffix + QStringLiteral(".part");
        const int fd = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            fail(error, QStringLiteral("Cannot create a file in the folder of '%1': %2").arg(target, systemError()));
            return {};
        }
        if (haveMode)
            ::fchmod(fd, copyModeOf & 07777);
        ::close(fd);
        return name;
    }
    fail(error, QStringLiteral("Cannot find a free temporary name beside '%1'").arg(target));
    return {};
}

} // namespace

bool IsDatabaseFile(const QString &path)
{
    const QFileInfo info(path);
    return isDatabaseFileName(info.fileName()) || isDatabaseFileName(QFileInfo(FileBehindLinks(path)).fileName())
           || sameFileOrFamily(path, Shared().DatabasePath)
           || sameFileOrFamily(FileBehindLinks(path), Shared().DatabasePath);
}

QString DatabaseFileRefusal(const QString &path)
{
    return QStringLiteral("\"%1\" เป็นไฟล์ของฐานข้อมูล จึงบันทึกทับไม่ได้ ให้เลือกชื่อไฟล์อื่น "
                          "(the name belongs to the database; choose another file name)")
        .arg(QDir::toNativeSeparators(path));
}

QString FileBehindLinks(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink() && !info.exists())
        return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

bool SyncFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool SyncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL; // some file systems cannot sync a folder
    ::close(fd);
    return ok;
}

bool RenameWithoutReplacing(const QString &from, const QString &to, QString *error)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST)
        return fail(error, QStringLiteral("'%1' already exists").arg(to));
    if (errno != EINVAL && errno != ENOSYS)
        return fail(error, QStringLiteral("Cannot rename '%1' to '%2': %3").arg(from, to, systemError()));
    // The file system has no such rename: a hard link refuses an existing name just as well.
    if (::link(source.constData(), target.constData()) == 0) {
        ::unlink(source.constData());
        return true;
    }
    if (errno == EEXIST)
        return fail(error, QStringLiteral("'%1' already exists").arg(to));
    if (errno != EPERM && errno != EOPNOTSUPP)
        return fail(error, QStringLiteral("Cannot rename '%1' to '%2': %3").arg(from, to, systemError()));
    // Neither is possible here (some network shares): check, then rename.
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
        return fail(error, QStringLiteral("'%1' already exists").arg(to));
    if (std::rename(source.constData(), target.constData()) != 0)
        return fail(error, QStringLiteral("Cannot rename '%1' to '%2': %3").arg(from, to, systemError()));
    return true;
}

bool WriteFileWhole(const QString &target, const FileStep &write, const FileStep &verify,
                    ExistingFile existing, QString *error)
{
    if (target.isEmpty())
        return fail(error, QStringLiteral("No file name was given"));
    if (IsDatabaseFile(target))
        return fail(error, DatabaseFileRefusal(target));
    const QFileInfo given(target);
    if (given.isDir())
        return fail(error, QStringLiteral("'%1' is a folder").arg(target));
    if (existing == ExistingFile::Keep && (given.exists() || given.isSymLink()))
        return fail(error, QStringLiteral("'%1' already exists").arg(target));

    // A file reached through a symbolic link is replaced where it lies; the link stays.
    const QString finalName = existing == ExistingFile::Replace ? FileBehindLinks(target) : target;
    struct stat old = {};
    const bool replacing = ::stat(QFile::encodeName(finalName).constData(), &old) == 0;
    const QString temporary = createTemporaryBeside(finalName, old.st_mode, replacing, error);
    if (temporary.isEmpty())
        return false;

    QString failure;
    bool ok = write(temporary, &failure);
    if (ok && !SyncFile(temporary)) {
        failure = QStringLiteral("cannot flush it to the disk: %1").arg(systemError());
        ok = false;
    }
    if (ok && verify)
        ok = verify(temporary, &failure);
    if (ok) {
        if (existing == ExistingFile::Keep) {
            ok = RenameWithoutReplacing(temporary, finalName, &failure);
        } else if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(finalName).constData()) != 0) {
            failure = systemError();
            ok = false;
        }
    }
    if (!ok) {
        QFile::remove(temporary);
        return fail(error, QStringLiteral("Cannot write '%1': %2").arg(target, failure));
    }
    SyncFolder(QFileInfo(finalName).absolutePath());
    return true;
}

bool WriteBytes(const QString &path, const QByteArray &content, QString *error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return fail(error, systemError());
    for (qsizetype done = 0; done < content.size();) {
        const ssize_t written = ::write(fd, content.constData() + done, size_t(content.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const QString reason = written < 0 ? systemError() : QStringLiteral("nothing could be written");
            ::close(fd);
            return fail(error, reason);
        }
        done += written;
    }
    if (::close(fd) != 0)
        return fail(error, systemError());
    return true;
}

bool HoldsBytes(const QString &path, const QByteArray &content, QString *error)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.readAll() == content)
        return true;
    return fail(error, QStringLiteral("what was written does not read back"));
}

bool WriteFileWhole(const QString &target, const QByteArray &content, QString *error)
{
    const auto write = [&content](const QString &path, QString *failure) { return WriteBytes(path, content, failure); };
    const auto verify = [&content](const QString &path, QString *failure) { return HoldsBytes(path, content, failure); };
    return WriteFileWhole(target, write, verify, ExistingFile::Replace, error);
}
