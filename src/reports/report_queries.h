#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// The settings row of orvexsys as the reports read it (" select * from orvexsys ", the first
// row); an empty map when the table holds none. False with the store's error text.
bool ReadSettingsRow(QSqlDatabase db, QVariantMap *row, QString *error);

// The first column of every row of a statement without values, null values left out: the
// look-up lists of the report windows.
bool ReadTextList(QSqlDatabase db, const QStringList &statement, QStringList *texts, QString *error);

// A column of a row read with RowFromRecord, as text ("" when missing or null).
QString RowText(const QVariantMap &row, const char *column);
