#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>

// The settings row of orvexsys as the reports read it (" select * from orvexsys ", the first
// row); an empty map when the table holds none. False with the store's error text.
bool ReadSettingsRow(QSqlDatabase db, QVariantMap *row, QString *error);

// A column of a row read with RowFromRecord, as text ("" when missing or null).
QString RowText(const QVariantMap &row, const char *column);
