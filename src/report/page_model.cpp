#include "report/page_model.h"

const PageItem *Page::find(const QString &tag) const
{
    for (const PageItem &item : items) {
        if (item.tag == tag)
            return &item;
    }
    return nullptr;
}

QList<const PageItem *> Page::findAll(const QString &tag) const
{
    QList<const PageItem *> found;
    for (const PageItem &item : items) {
        if (item.tag == tag)
            found.append(&item);
    }
    return found;
}
