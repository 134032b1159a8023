#include "engine/transaction.h"

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
