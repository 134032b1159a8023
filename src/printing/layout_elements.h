#pragma once

#include "report/report_model.h"

// The two faces the document layouts use: EucrosiaUPC for captions and most texts, CordiaUPC for
// numbers, dates and document numbers. style: "B" bold, "I" italic.
inline FontRequest Eucrosia(double pointSize, const QString &style = {})
{
    return Font(QStringLiteral("EucrosiaUPC"), pointSize, style);
}

inline FontRequest Cordia(double pointSize, const QString &style = {})
{
    return Font(QStringLiteral("CordiaUPC"), pointSize, style);
}

// A caption of the printed form: stationery, so a pre-printed form leaves it out.
inline Element Caption(const QString &tag, const QString &text, const Box &box,
                       const FontRequest &font, Align align = Align::Left)
{
    return Label(tag, text, box, font, align).asStationery();
}

inline constexpr const char *kQuantityMask = "###,###,##0.00";
inline constexpr const char *kMoneyMask = "##,###,##0.00";

// A band of the given height holding the elements in order.
inline Band MakeBand(double height, const QList<Element> &elements)
{
    Band band(height);
    for (const Element &e : elements)
        band.add(e);
    return band;
}
