#pragma once

#include <QString>

// The three kinds of stock document: which tables hold them, which register holds their party,
// where their number prefix comes from and how their lines count in the stock balance.
struct DocumentKind
{
    int mode;            // DocumentMode and PrintDocKind: 1 goods out, 3 goods in, 5 purchase order
    QChar digit;         // the kind digit of the number and INV_TYPE
    QString headerTable; // invoice, order0, Tmpord
    QString lineTable;   // invoice1, order1, Tmpord1
    QString partyTable;  // customer for goods out, supply otherwise
    // The settings column holding the 4-character prefix; empty for the fixed prefix.
    QString prefixColumn;
    QString fixedPrefix;
    double stockPost; // STK_POST of every line: 1, 2 or 6

    bool goodsOut() const { return mode == 1; }
    bool goodsIn() const { return mode == 3; }
    bool purchaseOrder() const { return mode == 5; }
};

// The kind of a DocumentMode; nullptr for any other value.
const DocumentKind *FindDocumentKind(int mode);
const DocumentKind &GoodsOutKind();
const DocumentKind &GoodsInKind();
const DocumentKind &PurchaseOrderKind();

// Whether a product or line stock flag (CUT_STOCK) is counted: anything but "0" is.
inline bool IsStockCounted(const QString &flag)
{
    return flag != u"0";
}

// What stays of a product's balance after a line is written: balance is the product's balance
// with the stored line (if any) in it, oldQuantity that line's quantity (0 when adding, or when
// the line belonged to another product), newQuantity the quantity being saved. Goods out:
// balance + old - new; goods in: balance - old + new; purchase orders never count (0).
double RemainingQuantity(const DocumentKind &kind, double balance, double oldQuantity, double newQuantity);
