#include "printing/form_header.h"

#include "printing/layout_elements.h"

QList<Element> FormHeaderTop(const DocumentPrintData &data, const QString &title)
{
    const double nameLeft = data.logoPrinted() ? 29.9 : 10.3;
    return {
        Label("title", title, {62.2, 2.6, 82.8}, Eucrosia(18, "B"), Align::Center),
        Caption("number_caption", "เลขที่", {152.4, 4.0, 8.2}, Eucrosia(16)),
        Field("number", "INV_NO", {162.2, 4.8, 34.4}, Eucrosia(14), Align::Right),
        Picture("logo", {10.6, 8.7, 15.9, 15.9}, data.logo).withVisible(data.logoPrinted()),
        Caption("date_caption", "วันที่", {153.5, 11.6, 6.9}, Eucrosia(16)),
        Field("date", "INV_DATE", {161.9, 12.2, 34.4}, Eucrosia(14), Align::Right),
        Label("company_name", data.companyName(), {nameLeft, 19.3, 165.1}, Eucrosia(18)),
        Label("company_address", data.companyAddressLine(), {10.3, 29.1, 187.9}, Eucrosia(12)),
        Label("company_contact", data.companyContactLine(), {10.1, 35.7, 187.9}, Eucrosia(12)),
        Frame("party_box", {6.9, 50.3, 191.3, 19.3}).asStationery(),
        Frame("terms_box", {6.9, 71.2, 191.3, 18.3}).asStationery(),
        Frame("columns_box", {6.9, 91.8, 191.3, 10.6}).asStationery(),
    };
}
