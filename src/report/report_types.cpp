#include "report/report_types.h"

FontRequest Font(const QString &family, double pointSize, const QString &style)
{
    FontRequest font;
    font.family = family;
    font.pointSize = pointSize;
    const QString upper = style.toUpper();
    font.bold = upper.contains(u'B');
    font.italic = upper.contains(u'I');
    font.underline = upper.contains(u'U');
    return font;
}

double LineHeightMm(const FontRequest &font)
{
    // One em: a point is 1/72 inch.
    return font.pointSize * 25.4 / 72.0;
}
