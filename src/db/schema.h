#pragma once

#include "engine/database_file.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// The tables of data.abs, their columns in the order the program writes them, and their keys.
// Widths are the character limits the windows enforce; the store keeps TEXT of any length.

enum class ColumnType { Text, Double, SmallInt, Integer, AutoInc, Graphic };

struct ColumnDef
{
    QString name;
    ColumnType type;
    int width = 0; // Text only: what the windows let the user type
    // Text only, when larger than width: what the store must hold (the password digest is longer
    // than the password typed).
    int storedWidth = 0;
};

struct TableDef
{
    QString name;
    QList<ColumnDef> columns;
    QString key;           // unique key column; empty for the line tables (keyed by AUTO)
    QStringList lookups;   // extra (non-unique) lookup indexes, each a comma-separated column list
                           // or an expression in parentheses
};

// Every table of the database, in creation order.
const QList<TableDef> &SchemaTables();
const TableDef *FindTable(const QString &name); // case-insensitive
// Character limit of a text column (0 when unknown or not text).
int ColumnWidth(const QString &table, const QString &column);

// Version stored in PRAGMA user_version; raised with every change of the tables below.
inline constexpr int kSchemaVersion = 3;

// The date key yyyymmdd of a document header, as the headers of goods in and goods out index it.
// Range tests and sorts of headers by date write exactly this text so that the index serves them.
inline constexpr char kHeaderDateKey[] = "substr(inv_date,7,4)||substr(inv_date,4,2)||substr(inv_date,1,2)";

// Creates every table and index in an empty database and stamps the version. Runs in the
// caller's transaction.
bool CreateSchema(QSqlDatabase db, QString *error);

// Brings a database made by an earlier build up to kSchemaVersion, step by step in one
// transaction. Refuses a file of a newer build or a file that is not a data file of this program.
bool UpgradeSchema(QSqlDatabase db, QString *error);

// The same refusal made from the file's header alone, before anything opens (and so may change)
// the file.
bool CheckDataFileHeader(const DatabaseFileHeader &header, QString *error);
