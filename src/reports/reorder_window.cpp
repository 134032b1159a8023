#include "reports/reorder_window.h"

#include "reports/product_list_layouts.h"

#include <QButtonGroup>
#include <QPushButton>

TPoint::TPoint(QWidget *parent) : ReportWindow(QStringLiteral("TPoint"), caption(), parent)
{
    m_report = addButton(0, QStringLiteral("&รายงาน"));
    QPushButton *close = addButton(0, QStringLiteral("เ&ลิก"));
    addStretch(0);
    m_sort = addChoice(1, QStringLiteral("  จัดเรียงลำดับโดย  "),
                       {QStringLiteral("รหัสสินค้า"), QStringLiteral("ชื่อสินค้า")}, 0);
    hideList();
    connect(m_report, &QPushButton::clicked, this, &TPoint::ReportClick);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    runQuery([this](QSqlDatabase db, QString *error) { return m_sums.load(db, error); });
    move(0, 0); // near the top-left corner of the main window's client area
}

void TPoint::ReportClick()
{
    const ReorderSort sort = m_sort->checkedId() == 1 ? ReorderSort::Name : ReorderSort::Code;
    if (!runQuery([&](QSqlDatabase db, QString *error) { return ReadReorderList(db, m_sums, sort, &m_list, error); }))
        return;
    // The register is checked, not the filtered list: no product below its point gives headings only.
    if (hasReportRows(m_list.productCount))
        previewReport(ReorderReport(m_list.rows));
}
