#include "reports/stock_card.h"

#include "common/dates.h"
#include "common/number_format.h"
#include "printing/layout_elements.h"
#include "reports/report_queries.h"
#include "reports/stock_card_layouts.h"
#include "ui/date_picker.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace {

QString Money(double value)
{
    return FormatMask(value, QLatin1String(kMoneyMask));
}

} // namespace

TStock_Card::TStock_Card(QWidget *parent) : ReportWindow(QStringLiteral("TStock_Card"), caption(), parent)
{
    m_start = addDatePicker(0, QStringLiteral("เริ่มต้น"));
    m_end = addDatePicker(0, QStringLiteral("สิ้นสุด"));
    m_product = addComboBox(0, QStringLiteral("รหัสสินค้า"));
    m_process = addButton(0, QStringLiteral("ประมวลผล"));
    setProcessButton(m_process);
    addStretch(0);
    m_view = addButton(0, QStringLiteral("ดู"));
    m_print = addButton(0, QStringLiteral("พิมพ์"));
    m_detail = addButton(0, QStringLiteral("พิมพ์ รายละเอียด"));
    m_detail->setMaximumWidth(m_detail->fontMetrics().horizontalAdvance(m_detail->text()) + 12);
    QPushButton *close = addButton(0, QStringLiteral("เลิก"));

    setColumns({{QStringLiteral("เลขใบสำคัญ"), QStringLiteral("INV_NO")},
                {QStringLiteral("วันที่"), QStringLiteral("INV_DATE")},
                {QStringLiteral("วันครบชำระ"), QStringLiteral("DUE_DATE"), {}, true},
                {QStringLiteral("ลูกค้า"), QStringLiteral("CUST_NO"), {}, true},
                {QStringLiteral("ชื่อ"), QStringLiteral("CUST_NAME")},
                {QStringLiteral("รหัสสินค้า"), QStringLiteral("PRO_NO")},
                {QStringLiteral("ชื่อสินค้า"), QStringLiteral("PRO_NAME")},
                {QStringLiteral("จำนวน"), QStringLiteral("PRO_QTY"), QLatin1String(kQuantityMask)},
                {QStringLiteral("เป็นเงิน"), QStringLiteral("PRICE"), QLatin1String(kQuantityMask)}});
    addStatusLabel()->setText(QStringLiteral("ยอดยกมา"));
    m_broughtForward = addStatusLabel();
    addStatusLabel()->setText(QStringLiteral("ยอดคงเหลือ"));
    m_closing = addStatusLabel();

    connect(m_start, &DatePicker::chosen, this, &TStock_Card::StartPickerChosen);
    connect(m_start, &DatePicker::doubleClicked, this, &TStock_Card::StartPickerChosen);
    connect(m_process, &QPushButton::clicked, this, &TStock_Card::ProcessClick);
    connect(m_product, &QComboBox::activated, this, &TStock_Card::ProductBoxChosen);
    connect(list(), &QTableWidget::cellClicked, this, [this](int row, int) { ListClick(row); });
    connect(m_view, &QPushButton::clicked, this, &TStock_Card::ViewClick);
    connect(m_print, &QPushButton::clicked, this, &TStock_Card::PrintClick);
    connect(m_detail, &QPushButton::clicked, this, &TStock_Card::DetailClick);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    FormCreate();
    setFixedSize(960, 540);
}

TStock_Card::~TStock_Card() = default;

void TStock_Card::FormCreate()
{
    const QDate today = QDate::currentDate();
    const int year = today.year() + 543;
    m_start->setDate(TextToDate(MonthStartText(today.month(), year)));
    m_end->setDate(TextToDate(MonthEndText(today.month(), year)));
    showBalances();
    m_product->addItem(QString());
    if (!connected())
        return;
    m_card = std::make_unique<StockCardQuery>(database());
    runQuery([this](QSqlDatabase db, QString *error) {
        QStringList codes;
        if (!StockCardQuery::productCodes(db, &codes, error) || !ReadSettingsRow(db, &m_settings, error))
            return false;
        m_product->addItems(codes);
        m_pack = RowText(m_settings, "PACK");
        return true;
    });
    m_product->setCurrentIndex(0);
}

void TStock_Card::StartPickerChosen()
{
    const QDate start = m_start->date();
    m_end->setDate(TextToDate(MonthEndText(start.month(), start.year() + 543)));
}

void TStock_Card::ProcessClick()
{
    m_processed = true;
    process();
}

void TStock_Card::ProductBoxChosen()
{
    if (m_processed)
        process();
}

void TStock_Card::process()
{
    m_startText = m_start->text();
    m_endText = m_end->text();
    m_result = StockCardResult();
    showBalances();
    if (m_card) {
        const StockCardRequest request{m_product->currentText(), m_startText, m_endText};
        if (!runQuery([&](QSqlDatabase, QString *error) { return m_card->process(request, &m_result, error); }))
            m_result = StockCardResult();
    }
    showRows(m_result.rows);
    showBalances();
}

void TStock_Card::showBalances()
{
    m_broughtForward->setText(Money(m_result.openingBalance()));
    m_closing->setText(Money(m_result.closingBalance()));
}

void TStock_Card::ListClick(int row)
{
    if (row >= 0 && row < m_result.rows.size())
        m_product->setEditText(RowText(m_result.rows.at(row), "PRO_NO"));
}

StockCardPrint TStock_Card::printData() const
{
    return {m_settings, m_startText, m_endText, m_result.openingBalance(),
            WithCardColumns(m_result.rows, m_result.openingBalance(), m_pack)};
}

void TStock_Card::ViewClick()
{
    if (hasReportRows(int(m_result.rows.size())))
        previewReport(StockCardReport(printData()));
}

void TStock_Card::PrintClick()
{
    if (hasReportRows(int(m_result.rows.size())))
        printReport(StockCardReport(printData()));
}

void TStock_Card::DetailClick()
{
    if (!m_result.rows.isEmpty())
        previewReport(StockCardDetailReport(printData()));
}

void TStock_Card::FormClose()
{
    if (m_card)
        m_card->dropWorkTable(nullptr);
    m_card.reset();
}
