#pragma once

#include "reports/report_window.h"
#include "reports/stock_card_data.h"
#include "reports/stock_card_layouts.h"

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;

// The stock card window: one product's goods in and goods out over a period with the balance
// brought forward and the closing balance; previews or prints the monthly card and previews the
// detail listing. Each window keeps its rows in a work table of its own connection.
class TStock_Card : public ReportWindow
{
    Q_OBJECT
public:
    explicit TStock_Card(QWidget *parent = nullptr);
    ~TStock_Card() override;

    static QString caption() { return QStringLiteral("รายงานสินค้าและวัตถุดิบ "); }

    DatePicker *startPicker() const { return m_start; }
    DatePicker *endPicker() const { return m_end; }
    QComboBox *productBox() const { return m_product; }
    QPushButton *processButton() const { return m_process; }
    QPushButton *viewButton() const { return m_view; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *detailButton() const { return m_detail; }
    QLabel *broughtForwardLabel() const { return m_broughtForward; }
    QLabel *closingLabel() const { return m_closing; }
    const StockCardResult &result() const { return m_result; }
    const QString &pack() const { return m_pack; }

    // The choice in the product list, as the list reports it when it closes after a choice.
    void ProductBoxChosen();

protected:
    void FormClose() override;

private:
    void FormCreate();
    void StartPickerChosen();
    void ProcessClick();
    void ListClick(int row);
    void ViewClick();
    void PrintClick();
    void DetailClick();
    void process();
    void showBalances();
    StockCardPrint printData() const;

    DatePicker *m_start = nullptr;
    DatePicker *m_end = nullptr;
    QComboBox *m_product = nullptr;
    QPushButton *m_process = nullptr;
    QPushButton *m_view = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_detail = nullptr;
    QLabel *m_broughtForward = nullptr;
    QLabel *m_closing = nullptr;

    std::unique_ptr<StockCardQuery> m_card;
    StockCardResult m_result;
    QVariantMap m_settings;
    QString m_pack;
    QString m_startText;
    QString m_endText;
    bool m_processed = false;
};
