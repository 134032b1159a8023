#include "engine/statistics.h"

#include "engine/data_store.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

bool run(QSqlDatabase db, const QString &statement, QString *error)
{
    QSqlQuery query(db);
    if (query.exec(statement)) {
        while (query.next()) {
        }
        return true;
    }
    if (error)
        *error = query.lastError().text();
    return false;
}

} // namespace

bool UpdatePlannerStatistics(QSqlDatabase db, QString *error)
{
    if (EngineOf(db) == EngineKind::Server)
        return run(db, QStringLiteral("ANALYZE"), error);
    return run(db, QStringLiteral("ANALYZE main"), error);
}

bool RefreshPlannerStatisticsOnClose(QSqlDatabase db, QString *error)
{
    if (EngineOf(db) == EngineKind::Server)
        return true;
    return run(db, QStringLiteral("PRAGMA optimize"), error);
}
