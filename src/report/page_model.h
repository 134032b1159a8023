#pragma once

#include "report/barcode.h"
#include "report/page_setup.h"
#include "report/report_types.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

// A report laid out into pages: what the painter draws and what tests read. Only elements that
// print are here; positions are absolute millimetres on the sheet, margins included.

struct PageItem
{
    ElementKind kind = ElementKind::Text;
    QString tag;
    BandKind band = BandKind::Detail;
    // Lines: from rect.topLeft() to rect.bottomRight() (one of width and height is 0).
    QRectF rect;
    // The final text of text, field, page number and date elements; the encoded value of a barcode
    // (EAN-13 with its check digit).
    QString text;
    FontRequest font;
    Align align = Align::Left;
    bool wordWrap = false;
    double penWidth = 0;
    bool dotted = false;
    Symbology symbology = Symbology::Ean13;
    double barcodeClearTop = 0;
    QImage picture;
};

struct Page
{
    int number = 0; // 1-based
    QList<PageItem> items;

    // The first item with this tag, or nullptr.
    const PageItem *find(const QString &tag) const;
    // Every item with this tag, in the order they were laid out (top to bottom).
    QList<const PageItem *> findAll(const QString &tag) const;
    int count(const QString &tag) const { return int(findAll(tag).size()); }
};

struct ReportDocument
{
    QString title;
    PageSetup page;
    QList<Page> pages;
};
