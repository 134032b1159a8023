#include "printing/short_note_layout.h"

#include "printing/layout_elements.h"

Report TPrnDO9s::buildReport(const DocumentPrintData &data) const
{
    const DocumentCaptions captions = data.captions();
    // The three company lines start right of the logo, or at the left edge without it.
    const double companyLeft = data.logoPrinted() ? 16.7 : 2.4;

    Report report;
    report.page = PageSetup(215.9, 139.7);
    data.applyMargins(report.page, 5.08, 22.0);

    const QString partyAddress = JoinPieces({{"", data.partyText("CUST_ADD1")},
                                             {" ", data.partyText("CUST_ADD2")},
                                             {" ", data.partyText("CUST_ADD4")},
                                             {" ", data.partyText("CUST_ZIP")}})
                                     .trimmed();

    report.pageHeader = MakeBand(47.6, {
        Picture("logo", {2.4, 3.2, 11.6, 11.6}, data.logo).withVisible(data.logoPrinted()),
        Label("company_name", data.companyName(), {companyLeft, 0.5, 134.9}, Eucrosia(14, "B")),
        Label("title", captions.title, {153.2, 0.5, 48.9}, Eucrosia(14, "BI"), Align::Right),
        Label("company_address", data.shortNoteAddressLine(), {companyLeft, 7.9, 144.5},
              Eucrosia(14)),
        Caption("number_caption", "เลขที่", {161.7, 7.9, 9.5}, Eucrosia(14, "B"), Align::Right),
        Label("number", data.composedNumber(), {171.4, 7.9, 30.4}, Cordia(14), Align::Right),
        Label("company_contact", data.shortNoteContactLine(), {companyLeft, 14.6, 144.5},
              Eucrosia(14)),
        Caption("date_caption", "วันที่", {163.0, 15.1, 8.2}, Eucrosia(14, "B"), Align::Right),
        Field("date", "INV_DATE", {169.1, 14.8, 32.5}, Cordia(14), Align::Right),
        HLine("company_rule", 21.7, 2.1, 204.0).asStationery(),
        Caption("party_caption", captions.partyCaption, {1.9, 23.8, 12.7}, Eucrosia(14, "B")),
        Field("party_name", "CUST_NAME", {16.4, 23.8, 184.9}, Eucrosia(14)),
        Caption("address_caption", "ที่อยู่", {2.1, 29.9, 6.9}, Eucrosia(14, "B")),
        Label("party_address", partyAddress, {11.4, 30.4, 190.0}, Eucrosia(12)),
        HLine("columns_top_rule", 38.4, 2.1, 204.3).asStationery(),
        Caption("column_code", "รหัส", {2.1, 39.2, 6.6}, Eucrosia(14, "B")),
        Caption("column_item", "รายการ", {31.8, 38.9, 67.7}, Eucrosia(14, "B")),
        Caption("column_detail", "รายละเอียด", {103.7, 38.9, 44.7}, Eucrosia(14, "B")),
        Caption("column_quantity", "จำนวน", {160.9, 39.2, 14.0}, Eucrosia(14, "B"), Align::Center),
        Caption("column_unit", "หน่วยนับ", {184.2, 39.2, 16.1}, Eucrosia(14, "B"), Align::Right),
        HLine("columns_bottom_rule", 46.2, 2.4, 204.0).asStationery(),
    });

    report.detail = MakeBand(5.6, {
        Field("pro_no", "PRO_NO", {2.4, -0.3, 29.1}, Cordia(14)),
        Field("pro_name", "PRO_NAME", {31.8, -0.3, 71.7}, Eucrosia(14)),
        Field("attrib", "ATTRIB", {104.0, -0.3, 54.0}, Eucrosia(14)),
        Field("pro_qty", "PRO_QTY", {158.5, -0.3, 19.8}, Cordia(14), Align::Center, kQuantityMask),
        Field("pro_unit", "PRO_UNIT", {181.8, -0.3, 18.8}, Eucrosia(14), Align::Right),
    });

    report.pageFooter = MakeBand(23.5, {
        HLine("footer_rule", 2.1, 2.1, 204.3).asStationery(),
        Label("left_signature", captions.leftSignature, {12.7, 13.0, 20.6}, Eucrosia(14, "B"),
              Align::Right),
        HLine("left_signature_line", 17.3, 35.7, 59.8).asStationery(),
        Label("right_signature", captions.rightSignature, {141.8, 12.7, 20.6}, Eucrosia(14, "B"),
              Align::Right),
        HLine("right_signature_line", 17.1, 164.3, 190.0).asStationery(),
    });

    finishReport(report, data);
    return report;
}
