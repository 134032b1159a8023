#pragma once

#include "report/report_model.h"

#include <QList>
#include <QString>
#include <QVariantMap>

// What the two printed forms of a stock card print: the settings row (OF_NAME, OF_TAXID), the
// period, the balance brought forward and the card's rows in listing order with their computed
// columns (WithCardColumns).
struct StockCardPrint
{
    QVariantMap settings;
    QString startText;
    QString endText;
    double openingBalance = 0;
    QList<QVariantMap> rows;
};

// The monthly form "รายงานสินค้าและวัตถุดิบ" ("ดู" and "พิมพ์"): Letter, the tax month and the
// business in the page header with the brought-forward line, one ruled line per row with the
// quantity received, issued and the running balance.
Report StockCardReport(const StockCardPrint &print);

// The detail listing ("พิมพ์ รายละเอียด"): the rows grouped by product with the quantity under
// "รับ" or "จ่าย", the group's quantity and the sum of the documents' totals.
Report StockCardDetailReport(const StockCardPrint &print);
