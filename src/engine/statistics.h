#pragma once

#include <QSqlDatabase>
#include <QString>

// The statistics a query planner chooses its plans by. Without them SQLite takes every index to be
// as selective as any other and picks poor plans for the reports over a busy shop's lines; on a
// server ANALYZE brings the figures up to date as well.

// Analyses every table now: after new indexes are made (a data upgrade). On the file the analysis
// reads a bounded sample of each index, so it takes moments also on a large file.
bool UpdatePlannerStatistics(QSqlDatabase db, QString *error);

// Run just before closing a connection that ran reports: on the file, the tables whose plans on
// this connection would have gained from fresh statistics (never analysed, or grown much since)
// are analysed from a bounded sample (PRAGMA optimize); the server keeps its statistics itself
// (autovacuum) and nothing is done. A failure (another connection's lock outlasting the busy
// timeout) changes nothing and may be ignored: the statistics are then refreshed another time.
bool RefreshPlannerStatisticsOnClose(QSqlDatabase db, QString *error);
