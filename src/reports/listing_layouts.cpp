#include "reports/listing_layouts.h"

#include "common/number_format.h"
#include "reports/layout_parts.h"
#include "reports/movement_listing.h"

namespace {

constexpr double kMargin = 5.08;
constexpr double kWidth = 215.9 - 2 * kMargin;

// One column of a listing layout: heading, the row's column (empty: the running number), where.
struct ListingColumn
{
    const char *tag;
    const char *heading;
    const char *column;
    double left;
    double width;
    Align align;
};

constexpr ListingColumn kLayout1[] = {
    {"number", "ที่", "", 0, 12, Align::Right},
    {"pro_no", "รหัสสินค้า", "PRO_NO", 15, 36, Align::Left},
    {"pro_name", "ชื่อสินค้า", "PRO_NAME", 52, 80, Align::Left},
    {"pro_group", "กลุ่ม", "PRO_GROUP", 134, 18, Align::Left},
    {"pro_qty", "จำนวน", "PRO_QTY", 152, 30, Align::Right},
    {"pro_unit", "หน่วยนับ", "PRO_UNIT", 185, 20.7, Align::Left},
};

constexpr ListingColumn kLayout2[] = {
    {"inv_no", "เลขใบสำคัญ", "INV_NO", 0, 26, Align::Left},
    {"inv_date", "วันที่", "INV_DATE", 27, 22, Align::Left},
    {"inv_time", "เวลา", "INV_TIME", 50, 20, Align::Left},
    {"pro_no", "รหัสสินค้า", "PRO_NO", 71, 30, Align::Left},
    {"pro_name", "ชื่อสินค้า", "PRO_NAME", 102, 50, Align::Left},
    {"pro_group", "กลุ่ม", "PRO_GROUP", 153, 13, Align::Left},
    {"pro_qty", "จำนวน", "PRO_QTY", 166, 22, Align::Right},
    {"pro_unit", "หน่วยนับ", "PRO_UNIT", 190, 15.7, Align::Left},
};

bool isText(const ListingColumn &c)
{
    return QLatin1String(c.column) == QLatin1String("PRO_NAME") || QLatin1String(c.column) == QLatin1String("PRO_UNIT");
}

} // namespace

Report ListingReport(int layout, int mode, const QList<QVariantMap> &rows, double total)
{
    const QList<ListingColumn> columns = layout == 2 ? QList<ListingColumn>(std::begin(kLayout2), std::end(kLayout2))
                                                     : QList<ListingColumn>(std::begin(kLayout1), std::end(kLayout1));
    const QString mask = QLatin1String(kQuantityMask);
    const QString title = ListingModeOf(mode).title;
    Report report;
    report.title = title;
    report.page = LetterPortrait(kMargin);

    QList<Element> headings, cells;
    const ListingColumn *quantity = nullptr;
    for (const ListingColumn &c : columns) {
        const QString tag = QLatin1String(c.tag);
        headings.append(Label(QStringLiteral("heading_") + tag, QString::fromUtf8(c.heading), {c.left, 10.5, c.width},
                              Eucrosia(14, "B"), c.align));
        const FontRequest font = isText(c) ? Eucrosia(14) : Cordia(14);
        if (*c.column == '\0')
            cells.append(Label(tag, QString(), {c.left, 0.2, c.width}, font, c.align));
        else
            cells.append(Field(tag, QLatin1String(c.column), {c.left, 0.2, c.width}, font, c.align,
                               tag == u"pro_qty" ? mask : QString()));
        if (tag == u"pro_qty")
            quantity = &c;
    }
    report.pageHeader = BandOf(18, {{ReportTitle(title, kWidth),
                                     PrintDate(QStringLiteral("print_date"), {kWidth - 40, 0.5, 40}, Cordia(14), Align::Right),
                                     HLine(QStringLiteral("heading_top_rule"), 10, 0, kWidth),
                                     HLine(QStringLiteral("heading_bottom_rule"), 17, 0, kWidth)},
                                    headings});
    report.detail = BandOf(6, {cells});
    if (layout != 2) {
        report.detail.beforePrint = [](Band &band, const ReportRow &row) {
            band.setText(QStringLiteral("number"), QString::number(row.index() + 1));
        };
    }
    report.summary = BandOf(9, {{
        HLine(QStringLiteral("summary_top_rule"), 0.5, 0, kWidth),
        Label(QStringLiteral("total_caption"), QStringLiteral("รวม"), {quantity->left - 20, 1.5, 18}, Eucrosia(14, "B"),
              Align::Right),
        Label(QStringLiteral("total"), FormatMask(total, mask), {quantity->left, 1.5, quantity->width}, Cordia(14),
              Align::Right),
        HLine(QStringLiteral("summary_bottom_rule"), 8, 0, kWidth),
    }});
    report.pageFooter = RuledPageFooter(kWidth);
    report.data = std::make_shared<RowList>(rows);
    return report;
}
