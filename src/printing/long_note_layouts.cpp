#include "printing/long_note_layouts.h"

#include "printing/layout_elements.h"

namespace {

const LongNoteDesign kDeliveryNoteDesign = {
    .codeCaption = {2.6, 41.8, 17.5},
    .partyCode = {20.4, 41.8, 18.3},
    .date = {160.1, 41.5, 34.4},
    .partyCaption = {2.9, 47.1, 17.2},
    .partyName = {20.4, 47.1, 119.6},
    .numberCaption = {136.5, 47.1, 22.5},
    .number = {159.5, 47.4, 36.0},
    .partyAddress1 = {19.8, 53.2, 121.4},
    .partyAddress2 = {19.8, 59.3, 121.2},
    .reference = {20.1, 64.8, 70.6},
    .employeeCaption = {136.8, 65.1, 12.2},
    .employee = {152.4, 64.8, 50.3},
    .columnsBox = {1.6, 77.8, 202.4, 12.4},
    .columnCode = {3.7, 80.7, 14.8},
    .columnItem = {47.1, 80.4, 67.7},
    .columnQuantity = {152.1, 80.7, 14.0},
    .columnUnit = {183.4, 80.7, 14.0},
    .quantityAlign = Align::Center,
    .lineCode = {3.4, 0.0, 37.0},
    .lineName = {47.1, 0.0, 96.3},
    .lineQuantity = {147.9, 0.0, 23.3},
    .lineUnit = {179.9, 0.0, 21.7},
    .lineDetail1 = {47.1, 6.3, 96.0},
    .lineDetail2 = {47.1, 12.2, 96.0},
    .footerHeight = 55.0,
    .leftSignature = {10.3, 19.6, 32.0},
    .leftSignatureLineY = 39.2,
    .rightSignature = {160.9, 19.8, 36.2},
    .rightSignatureLineY = 39.4,
};

const LongNoteDesign kPurchaseOrderDesign = {
    .codeCaption = {2.6, 41.8, 18.5},
    .partyCode = {20.6, 41.8, 18.3},
    .date = {160.1, 41.3, 34.4},
    .partyCaption = {2.9, 47.1, 17.5},
    .partyName = {20.6, 47.1, 119.6},
    .numberCaption = {136.5, 47.1, 21.2},
    .number = {159.5, 47.1, 36.0},
    .partyAddress1 = {20.1, 53.2, 121.4},
    .partyAddress2 = {20.4, 59.3, 121.2},
    .reference = {20.4, 64.8, 70.6},
    .employeeCaption = {136.8, 65.4, 12.2},
    .employee = {154.5, 65.6, 47.4},
    .columnsBox = {1.6, 75.9, 202.4, 12.4},
    .columnCode = {3.4, 78.8, 14.8},
    .columnItem = {41.3, 78.6, 67.7},
    .columnQuantity = {151.6, 78.8, 14.0},
    .columnUnit = {185.7, 78.8, 14.0},
    .quantityAlign = Align::Right,
    .lineCode = {3.7, 0.0, 31.8},
    .lineName = {41.3, 0.0, 94.2},
    .lineQuantity = {145.5, 0.0, 20.6},
    .lineUnit = {177.8, 0.0, 22.0},
    .lineDetail1 = {41.3, 5.8, 93.9},
    .lineDetail2 = {41.3, 11.6, 93.9},
    .footerHeight = 59.3,
    .leftSignature = {16.4, 24.6, 21.7},
    .leftSignatureLineY = 44.2,
    .rightSignature = {170.1, 24.9, 20.6},
    .rightSignatureLineY = 44.5,
};

} // namespace

TPrnDO8::TPrnDO8() : LongNoteLayout(kDeliveryNoteDesign) {}

TPrnORD3::TPrnORD3() : LongNoteLayout(kPurchaseOrderDesign) {}

void LongNoteLayout::applyDetailRule(Band &band, const ReportRow &row)
{
    const QString attrib = row.text(QStringLiteral("ATTRIB")).trimmed();
    const QString attrib2 = row.text(QStringLiteral("ATTRIB2")).trimmed();
    band.setText(QStringLiteral("detail1"), attrib);
    band.setText(QStringLiteral("detail2"), attrib2);
    if (!attrib2.isEmpty()) {
        band.height = 18.3;
    } else if (!attrib.isEmpty()) {
        band.height = 13.5;
        band.setVisible(QStringLiteral("detail2"), false);
    } else {
        band.height = 6.6;
        band.setVisible(QStringLiteral("detail1"), false);
        band.setVisible(QStringLiteral("detail2"), false);
    }
}

Report LongNoteLayout::buildReport(const DocumentPrintData &data) const
{
    const LongNoteDesign &d = m_design;
    const DocumentCaptions captions = data.captions();
    const double nameLeft = data.logoPrinted() ? 22.2 : 2.6;

    Report report;
    report.page = PageSetup::letter();
    data.applyMargins(report.page, 5.08, 12.5);

    report.pageHeader = MakeBand(91.0, {
        Picture("logo", {3.4, 4.5, 15.9, 15.9}, data.logo).withVisible(data.logoPrinted()),
        Label("title", captions.title, {59.0, 2.4, 82.8}, Eucrosia(18, "B"), Align::Center),
        Label("company_name", data.companyName(), {nameLeft, 14.6, 177.0}, Eucrosia(18)),
        Label("company_address", data.companyAddressLine(), {2.6, 22.8, 199.2}, Eucrosia(14)),
        Label("company_contact", data.companyContactLine(), {2.6, 28.6, 199.5}, Eucrosia(14)),
        Frame("party_box", {1.6, 40.2, 202.4, 32.8}).asStationery(),
        VLine("divider", 134.8, 40.5, 72.8, 0.5).asStationery(),
        Caption("code_caption", "รหัส", d.codeCaption, Eucrosia(14, "B")),
        Field("party_code", "CUST_NO", d.partyCode, Eucrosia(14)),
        Caption("date_caption", "วันที่", {136.5, 42.1, 8.2}, Eucrosia(14, "B")),
        Field("date", "INV_DATE", d.date, Cordia(14), Align::Center),
        Caption("party_caption", captions.partyCaption, d.partyCaption, Eucrosia(14, "B")),
        Field("party_name", "CUST_NAME", d.partyName, Eucrosia(14)),
        Caption("number_caption", "เลขที่", d.numberCaption, Eucrosia(14, "B")),
        Label("number", data.composedNumber(), d.number, Cordia(14), Align::Center),
        Caption("address_caption", "ที่อยู่", {3.2, 53.2, 6.9}, Eucrosia(14, "B")),
        Label("party_address1",
              JoinPieces({{"", data.partyText("CUST_ADD1")}, {" ", data.partyText("CUST_ADD2")}}),
              d.partyAddress1, Eucrosia(14)),
        Label("party_address2",
              JoinPieces({{" ", data.partyText("CUST_ADD4")},
                          {" ", data.partyText("CUST_ZIP")},
                          {" Tel. ", data.partyText("CUST_TEL")},
                          {" Fax. ", data.partyText("CUST_FAX")}}),
              d.partyAddress2, Eucrosia(14)),
        Caption("reference_caption", "อ้างถึง", {2.6, 64.8, 10.3}, Eucrosia(14, "B")),
        Field("reference", "REF_ORDER", d.reference, Eucrosia(14)),
        Caption("employee_caption", "พนักงาน", d.employeeCaption, Eucrosia(14, "B")),
        Field("employee", "SALE_NAME", d.employee, Cordia(14), Align::Center),
        Frame("columns_box", d.columnsBox).asStationery(),
        Caption("column_code", "รหัสสินค้า", d.columnCode, Eucrosia(14, "B")),
        Caption("column_item", "รายการ", d.columnItem, Eucrosia(14, "B")),
        Caption("column_quantity", "จำนวน", d.columnQuantity, Eucrosia(14, "B"), d.quantityAlign),
        Caption("column_unit", "หน่วย", d.columnUnit, Eucrosia(14, "B"), d.quantityAlign),
    });

    report.detail = MakeBand(6.6, {
        Field("pro_no", "PRO_NO", d.lineCode, Eucrosia(14)),
        Field("pro_name", "PRO_NAME", d.lineName, Eucrosia(14)),
        Field("pro_qty", "PRO_QTY", d.lineQuantity, Cordia(14), d.quantityAlign, kQuantityMask),
        Field("pro_unit", "PRO_UNIT", d.lineUnit, Eucrosia(14), d.quantityAlign),
        Label("detail1", {}, d.lineDetail1, Eucrosia(14)),
        Label("detail2", {}, d.lineDetail2, Eucrosia(14)),
    });
    report.detail.beforePrint = &LongNoteLayout::applyDetailRule;

    report.pageFooter = MakeBand(d.footerHeight, {
        HLine("footer_rule", 2.5, 1.6, 203.5).asStationery(),
        Label("left_signature", captions.leftSignature, d.leftSignature, Eucrosia(14, "B"),
              Align::Center),
        HLine("left_signature_line", d.leftSignatureLineY, 5.3, 47.6).asStationery(),
        Label("right_signature", captions.rightSignature, d.rightSignature, Eucrosia(14, "B"),
              Align::Center),
        HLine("right_signature_line", d.rightSignatureLineY, 158.5, 200.6).asStationery(),
    });

    finishReport(report, data);
    return report;
}
