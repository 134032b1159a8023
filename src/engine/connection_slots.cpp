#include "engine/connection_slots.h"

#include "common/atomic_file.h"

#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How often a slot is taken again when its file was replaced under it, and how often an existing
// slots file is opened again while its creator has not yet given it its permissions.
constexpr int kAttempts = 20;

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Read and write for whoever may read and write the database file.
mode_t slotFileMode(const QString &databasePath)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(databasePath).constData(), &info) != 0)
        return 0666;
    return (info.st_mode & 0666) | S_IRUSR | S_IWUSR;
}

int openSlotFile(const QString &databasePath, const QString &slotFile, QString *error)
{
    const QByteArray name = QFile::encodeName(slotFile);
    const mode_t mode = slotFileMode(databasePath);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            ::fchmod(fd, mode); // the umask took bits away from the mode given to open()
            return fd;
        }
        if (errno == EEXIST) {
            fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
            if (fd >= 0) {
                // A file made by an earlier build under a narrow umask is widened by its owner.
                struct stat info = {};
                if (::fstat(fd, &info) == 0 && info.st_uid == ::geteuid() && (info.st_mode & mode) != mode)
                    ::fchmod(fd, (info.st_mode & 07777) | mode);
                return fd;
            }
            if (errno == ENOENT)
                continue; // removed between the two calls
            if (errno == EACCES && attempt + 1 < kAttempts) {
                QThread::msleep(10); // its creator may not have set its permissions yet
                continue;
            }
        }
        break;
    }
    if (error)
        *error = QStringLiteral("Cannot open the connection slot file '%1': %2").arg(slotFile, systemError());
    return -1;
}

// Non-blocking write lock of `length` bytes from `start`; false when another open file holds one.
bool lockBytes(int fd, off_t start, off_t length)
{
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = start;
    lock.l_len = length;
    lock.l_pid = 0; // required for open-file-description locks
    return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

// The open file is the one the name stands for (same device and inode).
bool isFileAtName(int fd, const QString &name)
{
    struct stat open = {}, named = {};
    return ::fstat(fd, &open) == 0 && ::stat(QFile::encodeName(name).constData(), &named) == 0
           && open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

} // namespace

ConnectionSlot::~ConnectionSlot()
{
    release();
}

ConnectionSlot::ConnectionSlot(ConnectionSlot &&other) noexcept
    : m_fd(other.m_fd)
    , m_slotFile(std::move(other.m_slotFile))
{
    other.m_fd = -1;
}

ConnectionSlot &ConnectionSlot::operator=(ConnectionSlot &&other) noexcept
{
    if (this != &other) {
        release();
        m_fd = other.m_fd;
        m_slotFile = std::move(other.m_slotFile);
        other.m_fd = -1;
    }
    return *this;
}

QString ConnectionSlot::slotFileName(const QString &databasePath)
{
    return FileBehindLinks(databasePath) + QStringLiteral(".slots");
}

bool ConnectionSlot::acquire(const QString &databasePath, int maxSlots, QString *error)
{
    return take(databasePath, maxSlots, error);
}

bool ConnectionSlot::acquireAll(const QString &databasePath, QString *error)
{
    return take(databasePath, 0, error);
}

// maxSlots 0: every byte of the file, whatever limit the others use.
bool ConnectionSlot::take(const QString &databasePath, int maxSlots, QString *error)
{
    release();
    const QString slotFile = slotFileName(databasePath);
    bool current = false;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const int fd = openSlotFile(FileBehindLinks(databasePath), slotFile, error);
        if (fd < 0)
            return false;
        bool locked = false;
        if (maxSlots == 0) {
            locked = lockBytes(fd, 0, 0);
        } else {
            for (int slot = 0; slot < maxSlots && !locked; ++slot)
                locked = lockBytes(fd, slot, 1);
        }
        current = isFileAtName(fd, slotFile);
        if (locked && current) {
            m_fd = fd; // the lock lives as long as this descriptor stays open
            m_slotFile = slotFile;
            return true;
        }
        ::close(fd);
        if (current)
            break; // the file is the right one and its slots are taken
    }
    if (error) {
        if (!current)
            *error = QStringLiteral("The connection slot file '%1' is removed or replaced again and again").arg(slotFile);
        else if (maxSlots == 0)
            *error = QStringLiteral("Database file '%1' is in use: close every window and every other copy of the program that uses it first")
                         .arg(databasePath);
        else
            *error = TooManyConnectionsMessage(QStringLiteral("database file '%1'").arg(databasePath), maxSlots);
    }
    return false;
}

bool ConnectionSlot::stillInPlace() const
{
    return m_fd >= 0 && isFileAtName(m_fd, m_slotFile);
}

void ConnectionSlot::release()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

QString TooManyConnectionsMessage(const QString &where, int limit)
{
    return QStringLiteral("Too many connections to %1: all %2 connections are in use").arg(where, QString::number(limit));
}
