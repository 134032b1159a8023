#include "reports/product_list_layouts.h"

#include "reports/layout_parts.h"

namespace {

constexpr double kMargin = 10;
constexpr double kWidth = 215.9 - 2 * kMargin;

// The four columns both lists print: code, name, a third column and the stock on hand.
struct ProductListColumns
{
    QString title;
    FontRequest titleFont;
    QStringList headings;
    FontRequest headingFont;
    QString thirdColumn;
    Align thirdAlign;
    bool headingRules;
};

Report ProductListReport(const ProductListColumns &c, const QList<QVariantMap> &rows)
{
    const struct
    {
        const char *tag;
        QString column;
        double left;
        double width;
        Align align;
        FontRequest font;
    } cells[] = {
        {"pro_no", QStringLiteral("PRO_NO"), 0, 40, Align::Left, Cordia(14)},
        {"pro_name", QStringLiteral("PRO_NAME"), 42, 90, Align::Left, Eucrosia(14)},
        {"third", c.thirdColumn, 134, 30, c.thirdAlign, Cordia(14)},
        {"on_hand", QStringLiteral("ON_HAND"), 166, kWidth - 166, Align::Right, Cordia(14)},
    };
    Report report;
    report.title = c.title;
    report.page = LetterPortrait(kMargin);
    QList<Element> headings, details;
    for (int i = 0; i < int(std::size(cells)); ++i) {
        const auto &cell = cells[i];
        const QString tag = QLatin1String(cell.tag);
        headings.append(Label(QStringLiteral("heading_") + tag, c.headings.at(i), {cell.left, 11, cell.width},
                              c.headingFont, cell.align));
        details.append(Field(tag, cell.column, {cell.left, 0.2, cell.width}, cell.font, cell.align));
    }
    QList<Element> title = {Label(QStringLiteral("title"), c.title, {0, 0, kWidth, 8.5}, c.titleFont, Align::Center)};
    if (c.headingRules)
        title += {HLine(QStringLiteral("heading_top_rule"), 10, 0, kWidth),
                  HLine(QStringLiteral("heading_bottom_rule"), 17.5, 0, kWidth)};
    report.pageHeader = BandOf(19, {title, headings});
    report.detail = BandOf(6, {details});
    report.pageFooter = Band(5); // empty: it closes each page
    report.data = std::make_shared<RowList>(rows);
    return report;
}

} // namespace

Report ReorderReport(const QList<QVariantMap> &rows)
{
    return ProductListReport({QStringLiteral("รายงานสินค้าถึงจุดต้องนำเข้า"), Eucrosia(18, "B"),
                              {QStringLiteral("รหัสสินค้า"), QStringLiteral("ชื่อสินค้า"), QStringLiteral("จำนวนต่ำสุด"),
                               QStringLiteral("จำนวนที่มี")},
                              Eucrosia(14, "B"), QStringLiteral("PRO_RORDER"), Align::Right, true},
                             rows);
}

Report ExpiryReport(const QList<QVariantMap> &rows)
{
    return ProductListReport({QStringLiteral("รายงานทะเบียนสินค้าสิ้นอายุ"), Eucrosia(18),
                              {QStringLiteral("รหัส"), QStringLiteral("ชื่อสินค้า"), QStringLiteral("วันสิ้นอายุ"),
                               QStringLiteral("จำนวนที่มี")},
                              Eucrosia(14, "BU"), QStringLiteral("EXPIRE"), Align::Center, false},
                             rows);
}
