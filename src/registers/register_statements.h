#pragma once

#include "db/sql_statement.h"
#include "ui/register_fields.h"

#include <QStringList>
#include <QVariantMap>

// The statements of the registers, written as text lines with one named parameter per column:
// the column name with "p" in front (":pcust_no"), the old key with "po" in front (":pocust_no").
// Column and table names come from the registers' own descriptions, never from what the user
// typed; every value is bound.

QStringList InsertLines(const QString &table, const QStringList &columns);
// " update <table> ", " set ", " c1=:pc1,c2=:pc2 ", " where <key> =:<whereParameter> "
QStringList UpdateLines(const QString &table, const QStringList &columns, const QString &key,
                        const QString &whereParameter);
QString ParameterOf(const QString &column);

// Binds the window's texts to the parameters of columns; the columns named in numbers are
// converted from the locale's number form first. False (nothing bound) when one of them is not a
// number.
bool BindTexts(SqlStatement &statement, const QStringList &columns, const QStringList &numbers,
               const QVariantMap &texts, QString *error);

// The characters a box takes for a column: boxLimit, but never more than the column holds.
int BoxLimit(const QString &table, const QString &column, int boxLimit = 0);
// A one-line box for a text column of table, limited by BoxLimit.
FieldDef TextField(const QString &table, const QString &column, const QString &caption, int boxLimit = 0,
                    const QString &note = {});
