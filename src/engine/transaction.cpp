#include "engine/transaction.h"

#include "engine/connection.h"
#include "engine/data_store.h"

#include <QSqlError>
#include <QSqlQuery>

Transaction::Transaction(QSqlDatabase db)
    : m_db(std::move(db))
{
}

Transaction::~Transaction()
{
    rollback();
}

bool Transaction::run(const QString &statement, QString *error)
{
    QSqlQuery query(m_db);
    if (query.exec(statement))
        return true;
    if (error)
        *error = query.lastError().text();
    return false;
}

bool Transaction::begin(Mode mode, QString *error)
{
    if (m_active) {
        if (error)
            *error = QStringLiteral("A transaction is already active on this connection");
        return false;
    }
    if (EngineOf(m_db) == EngineKind::Server) {
        // The server takes row locks as it writes; the write lock of an immediate transaction is
        // the program's own advisory lock, held to the transaction's end, so that transactions
        // which decide from a read are serialised as they are on the file.
        m_active = run(QStringLiteral("BEGIN"), error);
        if (m_active && mode == Mode::Immediate) {
            QSqlQuery lock(m_db);
            lock.prepare(QStringLiteral("SELECT pg_advisory_xact_lock(:key, 0)"));
            lock.bindValue(QStringLiteral(":key"), kServerLockKey);
            if (!lock.exec()) {
                if (error)
                    *error = lock.lastError().text();
                rollback();
            }
        }
        return m_active;
    }
    m_active = run(mode == Mode::Immediate ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"),
                   error);
    return m_active;
}

bool Transaction::commit(QString *error)
{
    if (!m_active) {
        if (error)
            *error = QStringLiteral("No transaction is active on this connection");
        return false;
    }
    if (run(QStringLiteral("COMMIT"), error)) {
        m_active = false;
        return true;
    }
    rollback();
    return false;
}

void Transaction::rollback()
{
    if (!m_active)
        return;
    run(QStringLiteral("ROLLBACK"), nullptr);
    m_active = false;
}
