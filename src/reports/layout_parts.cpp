#include "reports/layout_parts.h"

PageSetup LetterPortrait(double margin)
{
    PageSetup page = PageSetup::letter();
    page.setMargins(margin, margin, margin, margin);
    return page;
}

Element ReportTitle(const QString &text, double width, const QString &style)
{
    return Label(QStringLiteral("title"), text, {0, 0, width, 8.5}, Eucrosia(18, style), Align::Center);
}

QList<Element> PageNumberAt(double right, double top)
{
    return {Label(QStringLiteral("page_caption"), QStringLiteral("หน้า"), {right - 20, top, 8}, Eucrosia(14)),
            PageNumber(QStringLiteral("page_number"), {right - 12, top, 12}, Cordia(14), Align::Right)};
}

Band BandOf(double height, const QList<QList<Element>> &parts)
{
    Band band(height);
    for (const QList<Element> &part : parts) {
        for (const Element &e : part)
            band.add(e);
    }
    return band;
}

Band RuledPageFooter(double width)
{
    return BandOf(8, {{HLine(QStringLiteral("footer_rule"), 1, 0, width)}, PageNumberAt(width, 1.5)});
}
