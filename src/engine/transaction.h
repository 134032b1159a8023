#pragma once

#include <QSqlDatabase>
#include <QString>

// Scope guard of one transaction: begin() starts it, commit() ends it, and a guard that goes out of
// scope without a commit rolls back, so an early return never leaves a transaction open.
class Transaction
{
public:
    enum class Mode {
        Deferred,  // takes the write lock at the first write
        Immediate, // takes the write lock at once: use it when a read decides what is written
                   // (on a server: the program's write lock, which serialises these transactions)
    };

    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    bool begin(Mode mode, QString *error);
    // Commits with the data flushed to the file; on failure the transaction is rolled back.
    bool commit(QString *error);
    void rollback();
    bool active() const { return m_active; }

private:
    bool run(const QString &statement, QString *error);
    QSqlDatabase m_db;
    bool m_active = false;
};
