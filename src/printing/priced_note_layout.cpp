#include "printing/priced_note_layout.h"

#include "common/baht_text.h"
#include "common/number_format.h"
#include "printing/form_header.h"
#include "printing/layout_elements.h"
#include "report/report_data.h"

PricedNoteTotals ComputePricedNoteTotals(const QList<QVariantMap> &lines,
                                         const QVariantMap &header)
{
    PricedNoteTotals totals;
    for (const QVariantMap &line : lines) {
        const double gross = ColumnValue(line, QStringLiteral("PRO_QTY")).toDouble() *
                             ColumnValue(line, QStringLiteral("UNIT_PRICE")).toDouble();
        const double percent = ColumnValue(line, QStringLiteral("DISCOUNT")).toDouble();
        const double lineDiscount = percent > 0 ? gross * percent / 100 : 0;
        totals.subtotal += gross - lineDiscount;
    }
    totals.discount = ColumnValue(header, QStringLiteral("DISCOUNT")).toDouble();
    totals.afterDiscount = totals.subtotal - totals.discount;
    totals.grandTotal = totals.afterDiscount;
    return totals;
}

QString GrandTotalWords(double grandTotal)
{
    const double twoDecimals = FormatMask(grandTotal, QStringLiteral("#######0.00")).toDouble();
    return u'<' + BahtText(MoneyToFixed(twoDecimals)) + u'>';
}

Report TPrnDO1::buildReport(const DocumentPrintData &data) const
{
    Report report;
    report.page = PageSetup::letter();
    data.applyMargins(report.page, 0.0, 12.5);

    const QString taxId = data.setting(QStringLiteral("OF_TAXID")).trimmed();
    const QString taxLine =
        taxId.isEmpty() ? QString() : QStringLiteral("เลขประจำตัวผู้เสียภาษี  ") + taxId;
    const QString customerAddress = JoinPieces({{"", data.partyText("CUST_ADD1")},
                                                {" ", data.partyText("CUST_ADD2")},
                                                {" ", data.partyText("CUST_ADD4")},
                                                {" ", data.partyText("CUST_ZIP")},
                                                {" Tel. ", data.partyText("CUST_TEL")}});

    QList<Element> header = FormHeaderTop(data, QStringLiteral("ใบส่งของชั่วคราว"));
    header += {
        Label("title2", "TEMP DELIVERY ORDER", {62.2, 10.8, 82.8}, Eucrosia(12), Align::Center),
        Label("tax_id", taxLine, {10.3, 42.1, 92.1}, Eucrosia(12)),
        Caption("customer_caption", "ลูกค้า", {10.1, 50.5, 8.5}, Eucrosia(14, "B")),
        Field("party_name", "CUST_NAME", {20.4, 50.5, 141.0}, Eucrosia(14)),
        Caption("code_caption", "รหัสลูกค้า", {162.7, 50.8, 15.1}, Eucrosia(14, "B")),
        Field("party_code", "CUST_NO", {178.1, 50.8, 16.1}, Cordia(14), Align::Right),
        Caption("customer_name_caption_en", "CUSTOMER  NAME", {10.3, 56.4, 31.0}, Eucrosia(8)),
        Caption("customer_no_caption_en", "CUSTOMER NO.", {162.2, 56.6, 14.8}, Eucrosia(8)),
        Caption("address_caption", "ที่อยู่", {10.3, 60.3, 6.9}, Eucrosia(14, "B")),
        Label("party_address", customerAddress, {20.4, 60.9, 176.7}, Eucrosia(12)),
        Caption("address_caption_en", "ADDRESS", {10.6, 65.6, 9.5}, Eucrosia(8)),
        Caption("order_no_caption", "เลขที่ใบสั่งลูกค้า", {9.0, 72.2, 25.1}, Eucrosia(14, "B")),
        Caption("terms_caption", "เงื่อนไขการชำระเงิน", {42.1, 72.5, 30.2}, Eucrosia(14, "B")),
        Caption("due_date_caption", "วันครบกำหนด", {79.9, 72.5, 22.5}, Eucrosia(14, "B")),
        Caption("discount_caption", "ส่วนลด", {143.9, 72.5, 10.8}, Eucrosia(14, "B")),
        Caption("salesman_caption", "พนักงานขาย", {177.8, 72.5, 18.0}, Eucrosia(14, "B"),
                Align::Right),
        Caption("discount_caption_en", "Discount", {144.5, 76.5, 12.4}, Eucrosia(12)),
        Caption("order_no_caption_en", "PURCHASE ORDER NO.", {9.3, 77.5, 21.2}, Eucrosia(8)),
        Caption("terms_caption_en", "TERMS", {52.4, 77.5, 7.1}, Eucrosia(8)),
        Caption("due_date_caption_en", "DUE DATE", {85.5, 77.5, 10.1}, Eucrosia(8)),
        Caption("salesman_caption_en", "SALESMAN", {184.4, 77.5, 10.8}, Eucrosia(8)),
        Field("reference", "REF_ORDER", {9.3, 81.8, 29.4}, Eucrosia(14)),
        Field("credit_term", "CUST_CRE", {47.1, 81.8, 17.5}, Eucrosia(14), Align::Center),
        Field("due_date", "DUE_DATE", {78.1, 81.8, 25.1}, Cordia(14), Align::Center),
        Field("customer_discount", "CUST_DISC", {140.5, 81.8, 18.3}, Cordia(14), Align::Center),
        Field("employee", "SALE_NO", {161.4, 81.8, 34.1}, Cordia(14), Align::Right),
        Caption("column_no", "ที่", {12.4, 93.1, 2.6}, Eucrosia(14, "B")),
        Caption("column_quantity", "จำนวน", {18.0, 93.1, 14.0}, Eucrosia(14, "B"), Align::Center),
        Caption("column_unit", "หน่วย", {34.4, 93.1, 14.0}, Eucrosia(14, "B"), Align::Center),
        Caption("column_item", "รายการ", {53.2, 93.4, 75.4}, Eucrosia(14, "B"), Align::Center),
        Caption("column_price", "ราคา/หน่วย", {140.0, 93.1, 18.5}, Eucrosia(14, "B"),
                Align::Right),
        Caption("column_discount", "ลด %", {160.6, 93.1, 9.0}, Eucrosia(14, "B")),
        Caption("column_amount", "จำนวนเงิน", {176.5, 93.1, 18.5}, Eucrosia(14, "B"),
                Align::Right),
        Caption("column_no_en", "NO.", {11.9, 97.9, 3.4}, Eucrosia(8)),
        Caption("column_quantity_en", "QUANTITY", {19.6, 97.9, 10.1}, Eucrosia(8)),
        Caption("column_unit_en", "UNIT", {37.6, 97.9, 4.8}, Eucrosia(8)),
        Caption("column_item_en", "DESCRIPTION", {86.0, 97.9, 12.7}, Eucrosia(8)),
        Caption("column_discount_en", "DISCOUNT", {159.8, 97.9, 9.8}, Eucrosia(8)),
        Caption("column_amount_en", "AMOUNT", {186.0, 97.9, 8.7}, Eucrosia(8)),
    };
    report.pageHeader = MakeBand(103.2, header);

    report.detail = MakeBand(6.1, {
        Label("line_no", {}, {8.7, 0.3, 9.0}, Cordia(14), Align::Center),
        Field("pro_qty", "PRO_QTY", {18.0, 0.3, 13.5}, Cordia(14), Align::Center),
        Field("pro_unit", "PRO_UNIT", {32.3, 0.3, 16.4}, Eucrosia(14)),
        Label("item", {}, {49.5, 0.0, 89.7}, Eucrosia(14)),
        Field("unit_price", "UNIT_PRICE", {139.7, 0.3, 18.8}, Cordia(14), Align::Right, kMoneyMask),
        Field("line_discount", "DISCOUNT", {159.5, 0.3, 10.1}, Cordia(14), Align::Center),
        Field("amount", "PRICE", {170.4, 0.3, 24.3}, Cordia(14), Align::Right, kQuantityMask),
    });
    // Each line is numbered by its place in the document, so the count goes on across pages.
    report.detail.beforePrint = [](Band &band, const ReportRow &row) {
        band.setText(QStringLiteral("line_no"), QString::number(row.index() + 1));
        band.setText(QStringLiteral("item"), row.text(QStringLiteral("PRO_NAME")) + u' ' +
                                                 row.text(QStringLiteral("ATTRIB")));
    };

    const PricedNoteTotals totals = ComputePricedNoteTotals(data.lines, data.header);
    const auto money = [](double value) { return FormatMask(value, QString::fromLatin1(kMoneyMask)); };
    report.pageFooter = MakeBand(81.0, {
        HLine("footer_rule", 2.5, 8.7, 195.8).asStationery(),
        Caption("subtotal_caption", "รวม  [ SUB TOTAL ]", {134.9, 5.3, 32.8}, Eucrosia(14, "B"),
                Align::Right),
        Label("subtotal", money(totals.subtotal), {169.9, 5.8, 24.9}, Cordia(14), Align::Right),
        Caption("discount_total_caption", "ส่วนลด  [ DISCOUNT ]", {132.8, 13.8, 34.7},
                Eucrosia(14, "B")),
        Label("discount", money(totals.discount), {169.9, 14.3, 24.9}, Cordia(14), Align::Right),
        Caption("after_discount_caption", "ราคาหลังหักส่วนลด", {137.1, 21.7, 30.4},
                Eucrosia(14, "B"), Align::Right),
        Label("after_discount", money(totals.afterDiscount), {169.9, 22.2, 24.9}, Cordia(14),
              Align::Right),
        Frame("grand_total_box", {6.9, 38.1, 190.8, 10.6}).asStationery(),
        Label("grand_total_words", GrandTotalWords(totals.grandTotal), {9.5, 40.2, 106.9},
              Eucrosia(14, "I")),
        Caption("grand_total_caption", "รวมเงิน  [ GRAND TOTAL ]", {119.1, 40.0, 43.7},
                Eucrosia(14, "B"), Align::Right),
        Label("grand_total", money(totals.grandTotal), {163.0, 40.2, 32.0}, Cordia(14),
              Align::Right),
        Label("remark", "ข้าพเจ้าได้รับสินค้าตามรายการข้างบนนี้ถูกต้องแล้ว", {110.6, 52.9, 79.6},
              Eucrosia(14, "B"), Align::Right),
        Label("left_signature", "ผู้ส่งของ", {11.4, 65.6, 12.7}, Eucrosia(14, "B")),
        HLine("left_signature_line", 70.2, 25.1, 64.8).asStationery(),
        Label("left_signature_en", "SENDER", {11.9, 70.9, 7.9}, Eucrosia(8)),
        Label("right_signature", "ผู้รับของ", {134.9, 65.4, 13.8}, Eucrosia(14, "B")),
        HLine("right_signature_line", 70.0, 149.8, 189.4).asStationery(),
        Label("right_signature_en", "RECEIVER", {135.5, 70.6, 10.1}, Eucrosia(8)),
    });

    finishReport(report, data);
    return report;
}
