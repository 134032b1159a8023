#include "engine/statistics.h"

#include "engine/data_store.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

// Rows read from each index by an analysis on the file: enough for the planner's figures, a few
// milliseconds per index even on a million lines.
constexpr int kAnalysisLimit = 1000;

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

bool limitAnalysis(QSqlDatabase db, QString *error)
{
    return run(db, QStringLiteral("PRAGMA analysis_limit = %1").arg(kAnalysisLimit), error);
}

} // namespace

bool UpdatePlannerStatistics(QSqlDatabase db, QString *error)
{
    if (EngineOf(db) == EngineKind::Server)
        return run(db, QStringLiteral("ANALYZE"), error);
    return limitAnalysis(db, error) && run(db, QStringLiteral("ANALYZE main"), error);
}

bool RefreshPlannerStatisticsOnClose(QSqlDatabase db, QString *error)
{
    if (EngineOf(db) == EngineKind::Server)
        return true;
    return limitAnalysis(db, error) && run(db, QStringLiteral("PRAGMA optimize"), error);
}
