#pragma once

#include "engine/copy_proof.h"

#include <QHash>
#include <QString>
#include <QStringList>

// What was saved from a damaged database file.
struct SalvageResult
{
    QHash<QString, qint64> damagedTables; // tables read only in part: rows saved from each
    qint64 lostRows = 0;                  // rows known to exist that could not be read
    QStringList findings;                 // for the repair text: per damaged table, the rows lost
};

// Builds workFile (which must not exist yet) from what can be read of the original at sourcePath:
// a table that reads whole is copied in one statement, a damaged one row by row, with its rows
// found through both directions of its table and through each of its indexes. A row that cannot
// be read is listed; anything that cannot be written into the copy (a row, an index, a counter)
// fails the whole rebuild, so a full disk never passes for damage. The original is only read.
bool SalvageInto(const QString &sourcePath, const QString &workFile, const DatabaseFacts &facts,
                 SalvageResult *result, QString *error);
