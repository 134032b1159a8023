#pragma once

#include "engine/raw_database.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// What maintenance must find again in a copy of a database file before the copy may take the
// file's place: its schema, its version, every row (by key) and its auto-increment counters.

struct SchemaObject
{
    QString type; // table, index, view, trigger
    QString name;
    QString table;
    QString sql; // empty for the indexes a table's own constraints make
};

struct TableFacts
{
    QString name;
    QString sql;
    bool autoIncrement = false;
    bool withoutRowid = false;
    QString rowidAlias;     // the INTEGER PRIMARY KEY column, when there is one
    QStringList keyColumns; // of the first unique index, when there is no rowid alias
    QStringList indexes;    // every index of the table (names)
};

struct DatabaseFacts
{
    QList<SchemaObject> objects; // all but the engine's own sqlite_sequence and statistics tables
    QList<TableFacts> tables;
    qint64 userVersion = 0;
    qint64 applicationId = 0;
    qint64 pageSize = 4096;
    bool statistics = false; // the file kept planner statistics (sqlite_stat1)
    bool sequencesKnown = true;
    QHash<QString, qint64> sequences; // the highest counter recorded for each table

    const TableFacts *table(const QString &name) const;
};

// Reads the facts of the database attached as `schema` ("main" or an ATTACH name) on db. Only
// the schema and the counters are read; a damaged counter table is noted, not fatal.
bool ReadDatabaseFacts(RawDatabase &db, const QString &schema, DatabaseFacts *facts, QString *error);

// Gives every auto-increment table of the copy (the "main" database of db) exactly one counter,
// at least the original's and at least its highest key, so that no key is ever issued twice.
bool SetSequences(RawDatabase &db, const DatabaseFacts &facts, QString *error);

enum class ProofLevel {
    Structure, // schema, version, counters and the integrity check (a backup of a file in use)
    Contents,  // and every row: counts and keys equal to the original's
};

// Proves the copy at workFile against the original at sourcePath. damagedTables names the tables
// that could be read only in part, with the number of rows saved from each: those must hold just
// that many rows; every other table must hold exactly the original's keys. False with the first
// difference found.
bool ProveCopy(const QString &workFile, const QString &sourcePath, const DatabaseFacts &facts,
               ProofLevel level, const QHash<QString, qint64> &damagedTables, QString *error);
