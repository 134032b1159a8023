#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// A product's stock is never stored: it is the opening quantity PRO_TOTAL plus every goods-in line
// (order1, STK_POST 2) minus every goods-out line (invoice1, STK_POST 1). Purchase-order lines
// never count, and a line's own CUT_STOCK does not change its share. Products that are not
// stock-counted (CUT_STOCK "0") are shown as each window decides; this is the bare rule.

// The balance of one product; nullopt with an error text when the store fails. An unknown product
// has PRO_TOTAL 0, so its balance is the sum of its lines.
std::optional<double> StockBalance(QSqlDatabase db, const QString &productCode, QString *error);

// Posted quantities of one product.
struct PostedSums
{
    double in = 0;  // goods-in lines, STK_POST 2
    double out = 0; // goods-out lines, STK_POST 1
};

// The posted in and out sums of every product that has lines, in one pass over the line tables
// (for reports that list many products). Products without lines are absent.
std::optional<QHash<QString, PostedSums>> PostedSumsByProduct(QSqlDatabase db, QString *error);
