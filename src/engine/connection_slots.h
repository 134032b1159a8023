#pragma once

#include <QString>

// One slot of the connection limit of a database file. The slots are open-file-description locks
// on single bytes of a small file beside the database ("data.abs.slots"): they hold across
// processes, belong to this open file only (closing another descriptor of the same file keeps
// them), and the system drops them when the process dies, so a crashed copy of the program never
// keeps a slot.
//
// A lock counts only while its file is the one at the slots file's name: after locking, the
// locked file is compared with the file at that name (device and inode), and a slot taken in a
// file that was removed or replaced meanwhile is given up and taken again in the new one. The
// slots file is made readable and writable for everyone who may write the database file (its
// permissions are those of the database file, whatever the creator's umask).
class ConnectionSlot
{
public:
    ConnectionSlot() = default;
    ~ConnectionSlot();
    ConnectionSlot(const ConnectionSlot &) = delete;
    ConnectionSlot &operator=(const ConnectionSlot &) = delete;
    ConnectionSlot(ConnectionSlot &&other) noexcept;
    ConnectionSlot &operator=(ConnectionSlot &&other) noexcept;

    // Takes the first free slot of maxSlots; false with an error text when all are taken.
    bool acquire(const QString &databasePath, int maxSlots, QString *error);
    // Takes every slot at once (for maintenance of the whole file); false when any is in use.
    bool acquireAll(const QString &databasePath, QString *error);
    void release();
    bool held() const { return m_fd >= 0; }
    // True while the held lock is in the file that the slots file's name still names.
    bool stillInPlace() const;

    // The slots file beside the file the database path leads to (symbolic links followed, so that
    // every path to one database counts against one limit).
    static QString slotFileName(const QString &databasePath);

private:
    bool take(const QString &databasePath, int maxSlots, QString *error);
    int m_fd = -1;
    QString m_slotFile;
};

// The message of a connection refused because every slot is in use; where names the data ("database
// file '…'", "the database … on …").
QString TooManyConnectionsMessage(const QString &where, int limit);
