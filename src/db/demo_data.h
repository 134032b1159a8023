#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>

// Fills an empty data file with the demo data set, dated around `today`: products (stock-counted
// and not, EAN-13 codes, below their reorder point, expired), suppliers, requisitioners, employees
// with accounts of all five levels, projects, and documents of each kind in the current and the
// previous month. Runs in the caller's transaction.
bool InsertDemoData(QSqlDatabase db, const QDate &today, QString *error);

// Product codes of the demo set that come with a picture in picture/<code>.jpg.
QStringList DemoProductsWithPicture();

// EAN-13 check digit of a 12-digit text.
QChar Ean13CheckDigit(const QString &twelveDigits);
