#include "engine/connection_slots.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

int openSlotFile(const QString &databasePath, QString *error)
{
    const QByteArray name = QFile::encodeName(ConnectionSlot::slotFileName(databasePath));
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 && error)
        *error = QStringLiteral("Cannot open the connection slot file '%1': %2")
                     .arg(QString::fromLocal8Bit(name), QString::fromLocal8Bit(std::strerror(errno)));
    return fd;
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

} // namespace

ConnectionSlot::~ConnectionSlot()
{
    release();
}

ConnectionSlot::ConnectionSlot(ConnectionSlot &&other) noexcept
    : m_fd(other.m_fd)
{
    other.m_fd = -1;
}

ConnectionSlot &ConnectionSlot::operator=(ConnectionSlot &&other) noexcept
{
    if (this != &other) {
        release();
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

QString ConnectionSlot::slotFileName(const QString &databasePath)
{
    return databasePath + QStringLiteral(".slots");
}

bool ConnectionSlot::acquire(const QString &databasePath, int maxSlots, QString *error)
{
    release();
    const int fd = openSlotFile(databasePath, error);
    if (fd < 0)
        return false;
    for (int slot = 0; slot < maxSlots; ++slot) {
        if (lockBytes(fd, slot, 1)) {
            m_fd = fd; // the lock lives as long as this descriptor stays open
            return true;
        }
    }
    ::close(fd);
    if (error)
        *error = QStringLiteral("Too many connections to database file '%1': all %2 connections are in use")
                     .arg(databasePath)
                     .arg(maxSlots);
    return false;
}

bool ConnectionSlot::acquireAll(const QString &databasePath, QString *error)
{
    release();
    const int fd = openSlotFile(databasePath, error);
    if (fd < 0)
        return false;
    if (!lockBytes(fd, 0, 0)) { // length 0: every byte, whatever limit the others use
        ::close(fd);
        if (error)
            *error = QStringLiteral("Database file '%1' is in use: close every window and every other copy of the program that uses it first")
                         .arg(databasePath);
        return false;
    }
    m_fd = fd;
    return true;
}

void ConnectionSlot::release()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}
