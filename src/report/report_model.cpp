#include "report/report_model.h"

namespace {

Element MakeElement(ElementKind kind, const QString &tag, const QRectF &rect)
{
    Element e;
    e.kind = kind;
    e.tag = tag;
    e.rect = rect;
    return e;
}

QRectF TextRect(const Box &box, const FontRequest &font)
{
    QRectF rect = box.rect();
    if (rect.height() <= 0)
        rect.setHeight(LineHeightMm(font));
    return rect;
}

} // namespace

Element Label(const QString &tag, const QString &text, const Box &box, const FontRequest &font,
              Align align)
{
    Element e = MakeElement(ElementKind::Text, tag, TextRect(box, font));
    e.text = text;
    e.font = font;
    e.align = align;
    return e;
}

Element Field(const QString &tag, const QString &column, const Box &box, const FontRequest &font,
              Align align, const QString &mask)
{
    Element e = MakeElement(ElementKind::Field, tag, TextRect(box, font));
    e.column = column;
    e.mask = mask;
    e.font = font;
    e.align = align;
    return e;
}

Element HLine(const QString &tag, double y, double x1, double x2, double penWidth)
{
    Element e = MakeElement(ElementKind::Line, tag, QRectF(QPointF(x1, y), QPointF(x2, y)));
    e.penWidth = penWidth;
    return e;
}

Element VLine(const QString &tag, double x, double y1, double y2, double penWidth)
{
    Element e = MakeElement(ElementKind::Line, tag, QRectF(QPointF(x, y1), QPointF(x, y2)));
    e.penWidth = penWidth;
    return e;
}

Element Frame(const QString &tag, const Box &box, double penWidth)
{
    Element e = MakeElement(ElementKind::Rectangle, tag, box.rect());
    e.penWidth = penWidth;
    return e;
}

Element Picture(const QString &tag, const Box &box, const QImage &image)
{
    Element e = MakeElement(ElementKind::Picture, tag, box.rect());
    e.picture = image;
    return e;
}

Element PageNumber(const QString &tag, const Box &box, const FontRequest &font, Align align,
                   const QString &pattern)
{
    Element e = MakeElement(ElementKind::PageNumber, tag, TextRect(box, font));
    e.text = pattern;
    e.font = font;
    e.align = align;
    return e;
}

Element PrintDate(const QString &tag, const Box &box, const FontRequest &font, Align align)
{
    Element e = MakeElement(ElementKind::Date, tag, TextRect(box, font));
    e.font = font;
    e.align = align;
    return e;
}

Element &Band::add(const Element &element)
{
    elements.append(element);
    return elements.last();
}

Element *Band::find(const QString &tag)
{
    for (Element &e : elements) {
        if (e.tag == tag)
            return &e;
    }
    return nullptr;
}

const Element *Band::find(const QString &tag) const
{
    for (const Element &e : elements) {
        if (e.tag == tag)
            return &e;
    }
    return nullptr;
}

bool Band::setText(const QString &tag, const QString &text)
{
    Element *e = find(tag);
    if (!e)
        return false;
    e->text = text;
    return true;
}

bool Band::setVisible(const QString &tag, bool visible)
{
    Element *e = find(tag);
    if (!e)
        return false;
    e->visible = visible;
    return true;
}

void Report::forEachBand(const std::function<void(Band &)> &f)
{
    f(pageHeader);
    for (Group &group : groups)
        f(group.header);
    f(detail);
    for (Group &group : groups)
        f(group.footer);
    f(summary);
    f(pageFooter);
}

void Report::setStationeryPrinted(bool printed)
{
    forEachBand([printed](Band &band) {
        for (Element &e : band.elements) {
            if (e.stationery)
                e.visible = printed;
        }
    });
}

Element Barcode(const QString &tag, const Box &box, Symbology symbology, const QString &value,
                const FontRequest &font)
{
    Element e = MakeElement(ElementKind::Barcode, tag, box.rect());
    e.symbology = symbology;
    e.text = value;
    e.font = font;
    return e;
}
