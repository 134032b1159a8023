#include "reports/stock_card_layouts.h"

#include "common/number_format.h"
#include "reports/layout_parts.h"
#include "reports/report_queries.h"
#include "reports/stock_card_data.h"

#include <QHash>

namespace {

constexpr double kMargin = 9.906;
// The printable width of Letter within the margins.
constexpr double kWidth = 215.9 - 2 * kMargin;

// The columns of both forms, left edges in millimetres.
constexpr double kNumberX = 0;
constexpr double kDateX = 32;
constexpr double kInX = 58;
constexpr double kOutX = 86;
constexpr double kBalanceX = 114;
constexpr double kRemarksX = 142;
constexpr double kCell = 28;

QList<Element> columnRules(double top, double bottom, const QList<double> &xs)
{
    QList<Element> rules;
    for (double x : xs)
        rules.append(VLine(QStringLiteral("column_rule"), x, top, bottom));
    return rules;
}

QString firstRowText(const QList<QVariantMap> &rows, const char *column)
{
    return rows.isEmpty() ? QString() : RowText(rows.first(), column);
}

Band cardHeader(const StockCardPrint &print)
{
    const QString date = firstRowText(print.rows, "INV_DATE");
    const QString taxMonth =
        QStringLiteral("เดือนภาษี  ") + date.mid(3, 2) + QStringLiteral("    ปี  ") + date.mid(6, 4);
    const QList<double> allColumns = {kNumberX, kDateX, kInX, kBalanceX, kRemarksX, kWidth};
    return BandOf(59, {
        {
            ReportTitle(QStringLiteral("รายงานสินค้าและวัตถุดิบ"), kWidth),
            PrintDate(QStringLiteral("print_date"), {kWidth - 50, 0.5, 28}, Cordia(14), Align::Right),
        },
        PageNumberAt(kWidth, 0.5),
        {
            Label(QStringLiteral("tax_month"), taxMonth, {0, 10, 110}, Eucrosia(14)),
            Label(QStringLiteral("operator"),
                  QStringLiteral("ชื่อผู้ประกอบการ ..........................................................."),
                  {0, 16, 125}, Eucrosia(14)),
            Label(QStringLiteral("establishment"),
                  QStringLiteral("ชื่อสถานประกอบการ  ") + RowText(print.settings, "OF_NAME"), {0, 22, 128},
                  Eucrosia(14)),
            Label(QStringLiteral("product_caption"), QStringLiteral("ชื่อสินค้า/วัตถุดิบ"), {0, 28, 27}, Eucrosia(14)),
            Label(QStringLiteral("product_name"), firstRowText(print.rows, "PRO_NAME"), {27, 28, 100}, Eucrosia(14)),
            Label(QStringLiteral("kind_caption"),
                  QStringLiteral("ชนิด/ขนาด   .....................................        ปริมาณนับ    ................."),
                  {0, 34, 128}, Eucrosia(14)),
            // Over the dotted space after "ปริมาณนับ".
            Label(QStringLiteral("unit"), firstRowText(print.rows, "PRO_UNIT"), {78, 33.4, 22}, Eucrosia(14),
                  Align::Center),
            Label(QStringLiteral("tax_id_caption"), QStringLiteral("เลขประจำตัวผู้เสียภาษี"), {kWidth - 62, 10, 62},
                  Eucrosia(14)),
            Label(QStringLiteral("tax_id"), RowText(print.settings, "OF_TAXID"), {kWidth - 62, 16, 62}, Cordia(14)),
            Label(QStringLiteral("branch_caption"), QStringLiteral("สำนักงานใหญ่     สาขาที่"), {kWidth - 62, 22, 62},
                  Eucrosia(14)),
            Label(QStringLiteral("branch"), QStringLiteral("0"), {kWidth - 62, 28, 62}, Cordia(14)),

            HLine(QStringLiteral("heading_top_rule"), 41, 0, kWidth),
            Label(QStringLiteral("heading_number"), QStringLiteral("เลขใบสำคัญ"), {kNumberX, 44, kDateX}, Eucrosia(14, "B"),
                  Align::Center),
            Label(QStringLiteral("heading_date"), QStringLiteral("วัน เดือน ปี"), {kDateX, 44, kInX - kDateX},
                  Eucrosia(14, "B"), Align::Center),
            Label(QStringLiteral("heading_quantity"), QStringLiteral("ปริมาณสินค้า วัตถุดิบ"), {kInX, 41.3, kRemarksX - kInX},
                  Eucrosia(14, "B"), Align::Center),
            HLine(QStringLiteral("heading_quantity_rule"), 47, kInX, kRemarksX),
            Label(QStringLiteral("heading_in"), QStringLiteral("รับ"), {kInX, 47.3, kCell}, Eucrosia(14, "B"), Align::Center),
            Label(QStringLiteral("heading_out"), QStringLiteral("จ่าย"), {kOutX, 47.3, kCell}, Eucrosia(14, "B"),
                  Align::Center),
            Label(QStringLiteral("heading_balance"), QStringLiteral("คงเหลือ"), {kBalanceX, 47.3, kCell}, Eucrosia(14, "B"),
                  Align::Center),
            Label(QStringLiteral("heading_remarks"), QStringLiteral("หมายเหตุ"), {kRemarksX, 44, kWidth - kRemarksX},
                  Eucrosia(14, "B"), Align::Center),
            HLine(QStringLiteral("heading_bottom_rule"), 53, 0, kWidth),

            Label(QStringLiteral("forward_date"), print.startText, {kDateX, 53.3, kInX - kDateX}, Cordia(14), Align::Center),
            Label(QStringLiteral("forward_balance"), FormatMask(print.openingBalance, QLatin1String(kMoneyMask)),
                  {kBalanceX, 53.3, kCell - 1}, Cordia(14), Align::Right),
            Label(QStringLiteral("forward_caption"), QStringLiteral("ยอดยกมา"), {kRemarksX + 1, 53.3, 40}, Eucrosia(14)),
            HLine(QStringLiteral("forward_rule"), 59, 0, kWidth),
        },
        columnRules(41, 59, allColumns),
        columnRules(47, 59, {kOutX}),
    });
}

} // namespace

Report StockCardReport(const StockCardPrint &print)
{
    Report report;
    report.title = QStringLiteral("รายงานสินค้าและวัตถุดิบ");
    report.page = LetterPortrait(kMargin);
    report.pageHeader = cardHeader(print);
    const QString mask = QLatin1String(kQuantityMask);
    report.detail = BandOf(6, {
        {
            Field(QStringLiteral("inv_no"), QStringLiteral("INV_NO"), {kNumberX + 1, 0.2, kDateX - 2}, Cordia(14)),
            Field(QStringLiteral("inv_date"), QStringLiteral("INV_DATE"), {kDateX, 0.2, kInX - kDateX}, Cordia(14),
                  Align::Center),
            Field(QStringLiteral("min"), QStringLiteral("MIN"), {kInX, 0.2, kCell - 1}, Cordia(14), Align::Right, mask),
            Field(QStringLiteral("mout"), QStringLiteral("MOUT"), {kOutX, 0.2, kCell - 1}, Cordia(14), Align::Right, mask),
            Field(QStringLiteral("mbalance"), QStringLiteral("MBALANCE"), {kBalanceX, 0.2, kCell - 1}, Cordia(14),
                  Align::Right, mask),
            Field(QStringLiteral("cust_name"), QStringLiteral("CUST_NAME"), {kRemarksX + 1, 0.2, kWidth - kRemarksX - 2},
                  Eucrosia(14)),
        },
        columnRules(0, 6, {kNumberX, kDateX, kInX, kOutX, kBalanceX, kRemarksX, kWidth}),
    });
    report.pageFooter = BandOf(2, {{HLine(QStringLiteral("footer_rule"), 0, 0, kWidth)}});
    report.data = std::make_shared<RowList>(print.rows);
    return report;
}

Report StockCardDetailReport(const StockCardPrint &print)
{
    Report report;
    report.title = QStringLiteral("รายงานขาย");
    report.page = LetterPortrait(kMargin);
    report.pageHeader = BandOf(24, {{
        ReportTitle(QStringLiteral("รายงานขาย"), kWidth),
        Label(QStringLiteral("period"),
              QStringLiteral("วัน/เดือน/ปี ที่ขาย") + QStringLiteral(" ระหว่างวันที่ ") + print.startText +
                  QStringLiteral(" ถึงวันที่ ") + print.endText,
              {0, 9, kWidth}, Eucrosia(14), Align::Center),
        PrintDate(QStringLiteral("print_date"), {kWidth - 40, 0.5, 40}, Cordia(14), Align::Right),
        HLine(QStringLiteral("heading_top_rule"), 16, 0, kWidth),
        Label(QStringLiteral("heading_number"), QStringLiteral("เลขใบสำคัญ"), {kNumberX, 16.5, kDateX}, Eucrosia(14, "B")),
        Label(QStringLiteral("heading_date"), QStringLiteral("วัน เดือน ปี"), {kDateX, 16.5, kInX - kDateX},
              Eucrosia(14, "B"), Align::Center),
        Label(QStringLiteral("heading_in"), QStringLiteral("รับ"), {kInX, 16.5, kCell}, Eucrosia(14, "B"), Align::Right),
        Label(QStringLiteral("heading_out"), QStringLiteral("จ่าย"), {kOutX, 16.5, kCell}, Eucrosia(14, "B"), Align::Right),
        Label(QStringLiteral("heading_balance"), QStringLiteral("คงเหลือ"), {kBalanceX, 16.5, kCell}, Eucrosia(14, "B"),
              Align::Right),
        Label(QStringLiteral("heading_remarks"), QStringLiteral("หมายเหตุ"), {kRemarksX + 1, 16.5, 40}, Eucrosia(14, "B")),
        HLine(QStringLiteral("heading_bottom_rule"), 23, 0, kWidth),
    }});

    QHash<QString, double> groupQuantity;
    double totalAmount = 0;
    for (const QVariantMap &row : print.rows) {
        groupQuantity[RowText(row, "PRO_NO")] += row.value(QStringLiteral("PRO_QTY")).toDouble();
        totalAmount += row.value(QStringLiteral("SUM_TOTAL")).toDouble();
    }

    Group product;
    product.key = [](const ReportRow &row) { return row.value(QStringLiteral("PRO_NO")); };
    product.header = BandOf(7, {{
        Label(QStringLiteral("group_name_caption"), QStringLiteral("*** ชื่อสินค้า"), {0, 0.5, 24}, Eucrosia(14, "B")),
        Field(QStringLiteral("group_name"), QStringLiteral("PRO_NAME"), {24, 0.5, 90}, Eucrosia(14)),
        Label(QStringLiteral("group_code_caption"), QStringLiteral("***รหัสสินค้า"), {116, 0.5, 24}, Eucrosia(14, "B")),
        Field(QStringLiteral("group_code"), QStringLiteral("PRO_NO"), {140, 0.5, kWidth - 140}, Cordia(14)),
    }});
    product.footer = BandOf(7, {{
        Label(QStringLiteral("group_total_caption"), QStringLiteral("รวม"), {kDateX, 0.5, kInX - kDateX}, Eucrosia(14, "B"),
              Align::Right),
        Label(QStringLiteral("group_total"), QString(), {kInX, 0.5, kBalanceX - kInX}, Cordia(14), Align::Right),
    }});
    product.footer.beforePrint = [groupQuantity](Band &band, const ReportRow &row) {
        band.setText(QStringLiteral("group_total"),
                     FormatMask(groupQuantity.value(row.text(QStringLiteral("PRO_NO"))), QStringLiteral("##,###,###")));
    };
    report.groups.append(product);

    const QString mask = QStringLiteral("###,###,##0");
    report.detail = BandOf(6, {{
        Field(QStringLiteral("inv_no"), QStringLiteral("INV_NO"), {kNumberX, 0.2, kDateX}, Cordia(14)),
        Field(QStringLiteral("inv_date"), QStringLiteral("INV_DATE"), {kDateX, 0.2, kInX - kDateX}, Cordia(14), Align::Center),
        Field(QStringLiteral("received"), QStringLiteral("PRO_QTY"), {kInX, 0.2, kCell}, Cordia(14), Align::Right, mask),
        Field(QStringLiteral("issued"), QStringLiteral("PRO_QTY"), {kOutX, 0.2, kCell}, Cordia(14), Align::Right, mask),
        Field(QStringLiteral("cust_name"), QStringLiteral("CUST_NAME"), {kRemarksX + 1, 0.2, kWidth - kRemarksX - 1},
              Eucrosia(14)),
    }});
    report.detail.beforePrint = [](Band &band, const ReportRow &row) {
        const Movement movement = MovementOf(row.text(QStringLiteral("INV_NO")));
        band.setVisible(QStringLiteral("received"), movement == Movement::Receipt);
        band.setVisible(QStringLiteral("issued"), movement == Movement::Issue);
    };

    report.summary = BandOf(9, {{
        HLine(QStringLiteral("summary_top_rule"), 0.5, kWidth - 70, kWidth),
        Label(QStringLiteral("total_amount"), FormatMask(totalAmount, QLatin1String(kQuantityMask)),
              {kWidth - 60, 1.5, 60}, Cordia(14), Align::Right),
        HLine(QStringLiteral("summary_bottom_rule"), 8, kWidth - 70, kWidth),
    }});
    report.pageFooter = RuledPageFooter(kWidth);
    report.data = std::make_shared<RowList>(print.rows);
    return report;
}
