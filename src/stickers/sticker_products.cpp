#include "stickers/sticker_products.h"

#include "db/sql_statement.h"

namespace {

const QString &Key(const StickerProduct &product, bool byName)
{
    return byName ? product.name : product.code;
}

} // namespace

bool ReadStickerProducts(QSqlDatabase db, bool byName, QList<StickerProduct> *products, QString *error)
{
    products->clear();
    SqlStatement list(db, {QStringLiteral(" select pro_no, pro_name from product "),
                           byName ? QStringLiteral(" order by pro_name ") : QStringLiteral(" order by pro_no ")});
    if (!list.exec(error))
        return false;
    while (list.query().next())
        products->append({list.query().value(0).toString(), list.query().value(1).toString()});
    return true;
}

int FindProductStartingWith(const QList<StickerProduct> &products, const QString &text, bool byName)
{
    for (qsizetype i = 0; i < products.size(); ++i) {
        if (Key(products.at(i), byName).startsWith(text, Qt::CaseSensitive))
            return int(i);
    }
    return -1;
}

int FindProductEqualTo(const QList<StickerProduct> &products, const QString &text, bool byName)
{
    for (qsizetype i = 0; i < products.size(); ++i) {
        if (Key(products.at(i), byName).compare(text, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}
