#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>

// The product list of the sticker job: code and name of every registered product.
struct StickerProduct
{
    QString code;
    QString name;
};

// All products ordered by name (byName) or by code. False with the store's error.
bool ReadStickerProducts(QSqlDatabase db, bool byName, QList<StickerProduct> *products, QString *error);

// The first product from the top whose code (or name) begins with text, letters compared with
// their case; -1 when none does.
int FindProductStartingWith(const QList<StickerProduct> &products, const QString &text, bool byName);
// The first product whose code (or name) equals text, letters compared without case; -1 if none.
int FindProductEqualTo(const QList<StickerProduct> &products, const QString &text, bool byName);
