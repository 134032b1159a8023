#pragma once

#include "db/stock_balance.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>

// The reorder list (products whose stock on hand is below their reorder point) and the expiry
// list (products that expire on or before a date, with their stock on hand). Stock on hand is
// PRO_TOTAL plus the posted goods in (STK_POST 2) minus the posted goods out (STK_POST 1).

// The posted sums of every product, read in one grouped pass and looked up by product code with
// letter case ignored: a code's own sums when lines carry it exactly, otherwise those of the first
// code (in code order) that differs from it only in case.
class PostedSumsLookup
{
public:
    bool load(QSqlDatabase db, QString *error);
    PostedSums find(const QString &code) const;

private:
    QHash<QString, PostedSums> m_exact;
    QHash<QString, PostedSums> m_folded; // upper-case code -> sums of the first such code
};

enum class ReorderSort { Code, Name };   // "รหัสสินค้า", "ชื่อสินค้า"
enum class ExpirySort { Name, Expiry };  // "ชื่อสินค้า", "วันสิ้นอายุ" (latest first)

struct ReorderList
{
    int productCount = 0; // products in the register
    // The products below their reorder point, in the chosen order. Columns: PRO_NO, PRO_NAME,
    // PRO_RORDER, PRO_TOTAL and ON_HAND (the stock on hand).
    QList<QVariantMap> rows;
};

bool ReadReorderList(QSqlDatabase db, const PostedSumsLookup &sums, ReorderSort sort, ReorderList *list,
                     QString *error);

// The products whose expiry key (yyyymmdd of EXPIRE) is not after that of dateText: an empty
// EXPIRE forms the empty key and is listed at any date, a null one never. Columns: PRO_NO,
// PRO_NAME, EXPIRE, PRO_TOTAL, LAST_BUY, LAST_SALE, EXP_DATE (the key) and ON_HAND.
bool ReadExpiryList(QSqlDatabase db, const QString &dateText, ExpirySort sort, QList<QVariantMap> *rows,
                    QString *error);
