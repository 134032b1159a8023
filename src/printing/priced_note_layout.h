#pragma once

#include "printing/document_layout.h"

// The footer figures of the priced delivery note.
struct PricedNoteTotals
{
    double subtotal = 0;       // sum of quantity x unit price less each line's discount percent
    double discount = 0;       // the header's DISCOUNT
    double afterDiscount = 0;  // subtotal - discount
    double grandTotal = 0;     // equal to afterDiscount
};

PricedNoteTotals ComputePricedNoteTotals(const QList<QVariantMap> &lines,
                                         const QVariantMap &header);
// "<" + the grand total in Thai words + ">", the amount taken to two decimals first; "<>" for 0.
QString GrandTotalWords(double grandTotal);

// Priced delivery note: quantities, unit prices, line discounts and amounts, the totals of the
// document and the grand total in words, with fixed titles. It always reads the goods-out tables
// and the customer register: a number of another kind finds no header and prints an empty form.
class TPrnDO1 final : public DocumentLayout
{
public:
    QString className() const override { return QStringLiteral("TPrnDO1"); }
    Report buildReport(const DocumentPrintData &data) const override;

protected:
    int tableKind(int) const override { return kGoodsOut; }
};
