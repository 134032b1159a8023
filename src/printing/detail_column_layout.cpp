#include "printing/detail_column_layout.h"

#include "printing/form_header.h"
#include "printing/layout_elements.h"

Report TPrnDO2::buildReport(const DocumentPrintData &data) const
{
    const DocumentCaptions captions = data.captions();

    Report report;
    report.page = PageSetup::letter();
    data.applyMargins(report.page, 0.0, 12.5);

    const QString partyAddress = JoinPieces({{"", data.partyText("CUST_ADD1")},
                                        {" ", data.partyText("CUST_ADD2")},
                                        {" ", data.partyText("CUST_ADD4")},
                                        {" ", data.partyText("CUST_ZIP")},
                                        {" Tel. ", data.partyText("CUST_TEL")}});

    QList<Element> header = FormHeaderTop(data, captions.title);
    header += {
        Caption("party_caption", captions.partyCaption, {10.1, 52.7, 14.0}, Eucrosia(14, "B")),
        Field("party_name", "CUST_NAME", {24.1, 52.7, 137.8}, Eucrosia(14)),
        Caption("code_caption", "รหัส", {163.8, 52.9, 11.9}, Eucrosia(14, "B"), Align::Right),
        Field("party_code", "CUST_NO", {178.1, 52.9, 16.1}, Cordia(14), Align::Right),
        Caption("address_caption", "ที่อยู่", {10.1, 60.6, 6.9}, Eucrosia(14, "B")),
        Label("party_address", partyAddress, {20.4, 60.6, 176.7}, Eucrosia(14)),
        Caption("reference_caption", "อ้างถึง", {10.1, 74.3, 25.1}, Eucrosia(14, "B")),
        Caption("employee_caption", "พนักงาน", {183.6, 74.6, 12.2}, Eucrosia(14, "B"),
                Align::Right),
        Field("reference", "REF_ORDER", {10.3, 81.8, 29.4}, Eucrosia(14)),
        Field("employee", "SALE_NAME", {137.6, 81.8, 57.9}, Cordia(14), Align::Right),
        Caption("column_code", "รหัสสินค้า", {10.6, 93.9, 14.8}, Eucrosia(14, "B")),
        Caption("column_item", "รายการ", {41.5, 94.2, 55.6}, Eucrosia(14, "B")),
        Caption("column_detail", "รายละเอียด", {106.1, 94.2, 25.4}, Eucrosia(14, "B")),
        Caption("column_quantity", "จำนวน", {163.5, 93.9, 14.0}, Eucrosia(14, "B"),
                Align::Right),
        Caption("column_unit", "หน่วย", {181.8, 93.9, 14.0}, Eucrosia(14, "B"), Align::Right),
    };
    report.pageHeader = MakeBand(103.2, header);

    report.detail = MakeBand(6.1, {
        Field("pro_no", "PRO_NO", {10.8, 0.3, 28.8}, Cordia(14)),
        Field("pro_name", "PRO_NAME", {41.5, 0.0, 64.3}, Eucrosia(14)),
        Field("attrib", "ATTRIB", {106.6, 0.0, 53.2}, Eucrosia(14)),
        Field("pro_qty", "PRO_QTY", {160.6, 0.3, 17.2}, Cordia(14), Align::Right),
        Field("pro_unit", "PRO_UNIT", {179.9, 0.3, 16.4}, Eucrosia(14), Align::Right),
    });

    report.pageFooter = MakeBand(49.7, {
        HLine("footer_rule", 2.5, 7.7, 195.8).asStationery(),
        Label("left_signature", captions.leftSignature, {5.0, 27.8, 19.8}, Eucrosia(14, "B"),
         Align::Right),
        HLine("left_signature_line", 32.4, 27.0, 66.7).asStationery(),
        Label("right_signature", captions.rightSignature, {137.1, 27.5, 21.2}, Eucrosia(14, "B"),
         Align::Right),
        HLine("right_signature_line", 32.1, 159.3, 199.0).asStationery(),
    });

    finishReport(report, data);
    return report;
}
