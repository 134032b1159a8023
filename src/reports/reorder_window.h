#pragma once

#include "reports/product_lists.h"
#include "reports/report_window.h"

class QButtonGroup;
class QPushButton;

// The reorder list window: prints the products whose stock on hand is below their reorder point.
// The posted sums are read once when the window is created.
class TPoint : public ReportWindow
{
    Q_OBJECT
public:
    explicit TPoint(QWidget *parent = nullptr);

    static QString caption() { return QStringLiteral(" รายงานสินค้าถึงจุดสั่งซื้อ"); }

    QButtonGroup *sortChoice() const { return m_sort; } // 0 code, 1 name
    QPushButton *reportButton() const { return m_report; }
    // The list the last "&รายงาน" printed.
    const ReorderList &lastList() const { return m_list; }

private:
    void ReportClick();

    QButtonGroup *m_sort = nullptr;
    QPushButton *m_report = nullptr;
    PostedSumsLookup m_sums;
    ReorderList m_list;
};
