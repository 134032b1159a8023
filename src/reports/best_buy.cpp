#include "reports/best_buy.h"

#include "common/shared_state.h"
#include "printing/layout_elements.h"
#include "reports/listing_layouts.h"
#include "ui/date_picker.h"
#include "ui/dialogs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QPushButton>

TBest_Buy::TBest_Buy(QWidget *parent)
    : ReportWindow(QStringLiteral("TBest_Buy"), QString(), parent)
    , m_mode(ListingModeOf(Shared().ListingKind).mode)
{
    setWindowTitle(ListingModeOf(m_mode).caption);
    m_from = addDatePicker(0, QStringLiteral("ตั้งแต่วันที่"));
    m_to = addDatePicker(0, QStringLiteral("ถึงวันที่"));
    m_group = addComboBox(0, QStringLiteral("กลุ่มสินค้า"));
    m_process = addButton(0, QStringLiteral("ประมวลผล"));
    setProcessButton(m_process);
    m_report1 = addButton(0, QStringLiteral("รายงาน 1"));
    m_report2 = addButton(0, QStringLiteral("รายงาน 2"));
    QPushButton *close = addButton(0, QStringLiteral("เลิก"));
    addStretch(0);
    m_sort = addChoice(1, QStringLiteral("  จัดเรียงลำดับโดย  "),
                       {QStringLiteral("วันที่"), QStringLiteral("รหัส"), QStringLiteral("ชื่อสินค้า"),
                        QStringLiteral("กลุ่มสินค้า")},
                       0);
    m_export = addButton(1, QStringLiteral("Export ข้อมูล"));
    addStretch(1);
    const QString mask = QLatin1String(kQuantityMask);
    setColumns({{QStringLiteral("วันที่"), QStringLiteral("INV_DATE")},
                {QStringLiteral("เวลา"), QStringLiteral("INV_TIME")},
                {QStringLiteral("รหัสสินค้า"), QStringLiteral("PRO_NO")},
                {QStringLiteral("ชื่อสินค้า"), QStringLiteral("PRO_NAME")},
                {QStringLiteral("กลุ่ม"), QStringLiteral("PRO_GROUP")},
                {QStringLiteral("จำนวน"), QStringLiteral("PRO_QTY"), mask},
                {QStringLiteral("หน่วยนับ"), QStringLiteral("PRO_UNIT")},
                {QStringLiteral("เลขใบสำคัญ"), QStringLiteral("INV_NO")}});
    FormCreate();

    connect(m_process, &QPushButton::clicked, this, &TBest_Buy::runListing);
    connect(m_sort, &QButtonGroup::idClicked, this, &TBest_Buy::runListing);
    connect(m_from, &DatePicker::chosen, this, &TBest_Buy::runListing);
    connect(m_to, &DatePicker::chosen, this, &TBest_Buy::runListing);
    connect(m_group, &QComboBox::activated, this, &TBest_Buy::runListing);
    connect(m_group, &QComboBox::editTextChanged, this, &TBest_Buy::runListing);
    connect(m_report1, &QPushButton::clicked, this, [this] { ReportClick(1); });
    connect(m_report2, &QPushButton::clicked, this, [this] { ReportClick(2); });
    connect(m_export, &QPushButton::clicked, this, &TBest_Buy::ExportClick);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(900, 560);
}

void TBest_Buy::FormCreate()
{
    m_export->setEnabled(false);
    m_group->addItem(AllGroupsText());
    runQuery([this](QSqlDatabase db, QString *error) {
        QStringList groups;
        if (!ReadListingGroups(db, m_mode, &groups, error))
            return false;
        m_group->addItems(groups);
        return true;
    });
    m_group->setCurrentIndex(0);
}

void TBest_Buy::runListing()
{
    ListingRequest request;
    request.mode = m_mode;
    request.fromText = m_from->text();
    request.toText = m_to->text();
    request.group = m_group->currentText();
    request.sort = ListingSort(std::max(0, m_sort->checkedId()));
    if (!runQuery([&](QSqlDatabase db, QString *error) { return RunListing(db, request, &m_result, error); }))
        m_result = ListingResult();
    showRows(m_result.rows);
    m_export->setEnabled(!m_result.rows.isEmpty());
}

void TBest_Buy::ReportClick(int layout)
{
    if (hasReportRows(int(m_result.rows.size())))
        previewReport(ListingReport(layout, m_mode, m_result.rows, m_result.total));
}

void TBest_Buy::ExportClick()
{
    const QString fileName = Shared().DataFolder + ListingModeOf(m_mode).fileName;
    QString error;
    if (WriteListingCsv(fileName, m_mode, m_result.rows, &error))
        Dialogs().message(this, ListingExportedMessage(m_mode));
    else
        Dialogs().error(this, error);
}
