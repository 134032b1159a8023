#include "reports/expiry_window.h"

#include "reports/product_list_layouts.h"
#include "ui/date_picker.h"

#include <QButtonGroup>
#include <QPushButton>

TExpire::TExpire(QWidget *parent) : ReportWindow(QStringLiteral("TExpire"), caption(), parent)
{
    m_date = addDatePicker(0, QStringLiteral("วันสิ้นอายุ <="));
    m_sort = addChoice(0, QStringLiteral("เรียงลำดับ โดย"), {QStringLiteral("ชื่อสินค้า"), QStringLiteral("วันสิ้นอายุ")}, 0);
    m_report = addButton(0, QStringLiteral("&รายงาน"));
    QPushButton *close = addButton(0, QStringLiteral("เ&ลิก"));
    addStretch(0);
    setColumns({{QStringLiteral("รหัส"), QStringLiteral("PRO_NO")},
                {QStringLiteral("ชื่อสินค้า"), QStringLiteral("PRO_NAME")},
                {QStringLiteral("วันสิ้นอายุ"), QStringLiteral("EXPIRE")},
                {QStringLiteral("จำนวนที่มี"), QStringLiteral("ON_HAND")}});
    connect(m_date, &DatePicker::chosen, this, &TExpire::runList);
    connect(m_sort, &QButtonGroup::idClicked, this, &TExpire::runList);
    connect(m_report, &QPushButton::clicked, this, &TExpire::ReportClick);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    runList();
    resize(720, 480);
}

void TExpire::runList()
{
    const ExpirySort sort = m_sort->checkedId() == 1 ? ExpirySort::Expiry : ExpirySort::Name;
    if (!runQuery([&](QSqlDatabase db, QString *error) { return ReadExpiryList(db, m_date->text(), sort, &m_rows, error); }))
        m_rows.clear();
    showRows(m_rows);
}

void TExpire::ReportClick()
{
    if (hasReportRows(int(m_rows.size())))
        previewReport(ExpiryReport(m_rows));
}
