#pragma once

#include "db/sql_statement.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

// A product's stock is never stored: it is the opening quantity PRO_TOTAL plus every goods-in line
// (order1, STK_POST 2) minus every goods-out line (invoice1, STK_POST 1). Purchase-order lines
// never count, and a line's own CUT_STOCK does not change its share. Products that are not
// stock-counted (CUT_STOCK "0") are shown as each window decides; this is the bare rule.

// Posted quantities of one product.
struct PostedSums
{
    double in = 0;  // goods-in lines, STK_POST 2
    double out = 0; // goods-out lines, STK_POST 1
};

// Balances of single products on one connection. The engine adds the quantities: one sum() per line
// table, answered from the covering index (PRO_NO, STK_POST, PRO_QTY) without reading a line row,
// the sums (and the opening quantity) asked in one statement so that a balance is one round trip. The statements are prepared when they first run and kept for the life of
// the object, so a window that shows a balance per product or per keystroke keeps one of these
// beside its connection (and destroys it before the connection). Each run releases its read at
// once, so a balance shown on screen never holds other connections' writes back.
class StockBalanceQuery
{
public:
    explicit StockBalanceQuery(QSqlDatabase db);

    // The posted sums of one product (0 for a product without lines).
    std::optional<PostedSums> posted(const QString &productCode, QString *error);
    // opening (the product's PRO_TOTAL, as the caller read it) + goods in - goods out.
    std::optional<double> balance(const QString &productCode, double opening, QString *error);
    // The same with PRO_TOTAL read from the product; an unknown product has PRO_TOTAL 0, so its
    // balance is the sum of its lines.
    std::optional<double> balance(const QString &productCode, QString *error);

    // The texts of the goods-in and goods-out sums, and of the whole balance statement, for plan
    // checks.
    static QStringList sumStatementTexts();
    static QString balanceStatementText();

private:
    bool run(SqlStatement &statement, const QString &productCode, double *first, double *second, QString *error);

    SqlStatement m_posted;  // goods in, goods out
    SqlStatement m_balance; // opening + goods in - goods out
};

// The posted in and out sums of every product that has lines, in one pass over the line tables
// (for reports that list many products). Products without lines are absent.
std::optional<QHash<QString, PostedSums>> PostedSumsByProduct(QSqlDatabase db, QString *error);
