#include "documents/document_kind.h"

const DocumentKind &GoodsOutKind()
{
    static const DocumentKind kind = {1, u'1', QStringLiteral("invoice"), QStringLiteral("invoice1"),
                                      QStringLiteral("customer"), QStringLiteral("PREFIX1"), QString(), 1};
    return kind;
}

const DocumentKind &GoodsInKind()
{
    static const DocumentKind kind = {3, u'3', QStringLiteral("order0"), QStringLiteral("order1"),
                                      QStringLiteral("supply"), QStringLiteral("PREFIX3"), QString(), 2};
    return kind;
}

const DocumentKind &PurchaseOrderKind()
{
    static const DocumentKind kind = {5, u'5', QStringLiteral("Tmpord"), QStringLiteral("Tmpord1"),
                                      QStringLiteral("supply"), QString(), QStringLiteral("TORD"), 6};
    return kind;
}

const DocumentKind *FindDocumentKind(int mode)
{
    for (const DocumentKind *kind : {&GoodsOutKind(), &GoodsInKind(), &PurchaseOrderKind()}) {
        if (kind->mode == mode)
            return kind;
    }
    return nullptr;
}

double RemainingQuantity(const DocumentKind &kind, double balance, double oldQuantity, double newQuantity)
{
    if (kind.goodsOut())
        return balance + oldQuantity - newQuantity;
    if (kind.goodsIn())
        return balance - oldQuantity + newQuantity;
    return 0;
}
