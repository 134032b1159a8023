#pragma once

#include <QString>

// One slot of the connection limit of a database file. The slots are open-file-description locks
// on single bytes of a small file beside the database ("data.abs.slots"): they hold across
// processes, belong to this open file only (closing another descriptor of the same file keeps
// them), and the system drops them when the process dies, so a crashed copy of the program never
// keeps a slot.
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

    static QString slotFileName(const QString &databasePath);

private:
    int m_fd = -1;
};
