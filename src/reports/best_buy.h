#pragma once

#include "reports/movement_listing.h"
#include "reports/report_window.h"

class QButtonGroup;
class QComboBox;
class QPushButton;

// The goods-in or goods-out listing window, its mode taken from ListingKind when it is created:
// the lines of a date range and a product group in the chosen order with the total quantity, two
// printed layouts and the CSV export into the data folder.
class TBest_Buy : public ReportWindow
{
    Q_OBJECT
public:
    explicit TBest_Buy(QWidget *parent = nullptr);

    int mode() const { return m_mode; }
    DatePicker *fromPicker() const { return m_from; }
    DatePicker *toPicker() const { return m_to; }
    QComboBox *groupBox() const { return m_group; }
    QButtonGroup *sortChoice() const { return m_sort; } // 0 date, 1 code, 2 name, 3 group
    QPushButton *processButton() const { return m_process; }
    QPushButton *report1Button() const { return m_report1; }
    QPushButton *report2Button() const { return m_report2; }
    QPushButton *exportButton() const { return m_export; }
    const ListingResult &result() const { return m_result; }

private:
    void FormCreate();
    void runListing();
    void ReportClick(int layout);
    void ExportClick();

    int m_mode = 2;
    DatePicker *m_from = nullptr;
    DatePicker *m_to = nullptr;
    QComboBox *m_group = nullptr;
    QButtonGroup *m_sort = nullptr;
    QPushButton *m_process = nullptr;
    QPushButton *m_report1 = nullptr;
    QPushButton *m_report2 = nullptr;
    QPushButton *m_export = nullptr;
    ListingResult m_result;
};
