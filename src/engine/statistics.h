#pragma once

#include <QSqlDatabase>
#include <QString>

// The statistics a query planner chooses its plans by. Without them SQLite takes every index to be
// as selective as any other and picks poor plans for the reports over a busy shop's lines; on a
// server ANALYZE brings the figures up to date as well.

// Analyses every table now: after new indexes are made (a data upgrade). The analysis reads every
// index whole (under a second for a million lines): a sample of the first entries of the lines'
// product index would see only the first products and make every product look as busy as they.
bool UpdatePlannerStatistics(QSqlDatabase db, QString *error);

// Run just before closing a connection that ran reports: on the file, the tables whose plans on
// this connection would have gained from fresh statistics (never analysed, or grown many times
// over since) are analysed (PRAGMA optimize), which seldom happens; the server keeps its statistics itself
// (autovacuum) and nothing is done. A failure (another connection's lock outlasting the busy
// timeout) changes nothing and may be ignored: the statistics are then refreshed another time.
bool RefreshPlannerStatisticsOnClose(QSqlDatabase db, QString *error);
