#pragma once

#include <QRectF>
#include <QString>

// Small value types shared by the report declaration and the laid-out page model.

enum class BandKind { PageHeader, GroupHeader, Detail, GroupFooter, Summary, PageFooter };

enum class ElementKind { Text, Field, Line, Rectangle, Picture, PageNumber, Date, Barcode };

enum class Align { Left, Center, Right };

// A face as a layout asks for it ("EucrosiaUPC", "CordiaUPC"). The page model keeps it as asked;
// only the painter turns it into an installed face (see fonts.h).
struct FontRequest
{
    QString family;
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const FontRequest &) const = default;
};

// Font("EucrosiaUPC", 14, "B"): style letters B bold, I italic, U underline, in any order.
FontRequest Font(const QString &family, double pointSize, const QString &style = {});

// Height of one line of text in millimetres, used where a layout gives a text element no height.
double LineHeightMm(const FontRequest &font);

// Left, top, width and (optionally) height in millimetres, written the way layouts list their
// elements: {59.0, 2.4, 82.8}. A text without height gets one line (LineHeightMm).
struct Box
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    QRectF rect() const { return QRectF(left, top, width, height); }
};
