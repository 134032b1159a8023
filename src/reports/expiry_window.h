#pragma once

#include "reports/product_lists.h"
#include "reports/report_window.h"

class QButtonGroup;
class QPushButton;

// The expiry list window: the products that expire on or before the chosen date with their stock
// on hand, listed and printed.
class TExpire : public ReportWindow
{
    Q_OBJECT
public:
    explicit TExpire(QWidget *parent = nullptr);

    static QString caption() { return QStringLiteral(" รายงานสินค้าสิ้นอายุ"); }

    DatePicker *datePicker() const { return m_date; }
    QButtonGroup *sortChoice() const { return m_sort; } // 0 name, 1 expiry date
    QPushButton *reportButton() const { return m_report; }
    const QList<QVariantMap> &rows() const { return m_rows; }

private:
    void runList();
    void ReportClick();

    DatePicker *m_date = nullptr;
    QButtonGroup *m_sort = nullptr;
    QPushButton *m_report = nullptr;
    QList<QVariantMap> m_rows;
};
