#include "reports/report_window.h"

#include "db/data_connection.h"
#include "engine/statistics.h"
#include "report/field_text.h"
#include "report/printers.h"
#include "report/report_layout.h"
#include "ui/date_picker.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The hourglass for the life of the guard.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace

ReportWindow::ReportWindow(const QString &objectName, const QString &caption, QWidget *parent) : QWidget(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    m_layout = new QVBoxLayout(this);
    m_list = new QTableWidget(0, 0, this);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_layout->addWidget(m_list, 1);
    m_statusBar = new QStatusBar(this);
    m_statusBar->setSizeGripEnabled(false);
    m_layout->addWidget(m_statusBar);

    QString error;
    m_connection = OpenDataConnection(&error);
    if (!m_connection)
        Dialogs().error(this, error);
}

ReportWindow::~ReportWindow()
{
    closeConnection();
}

QSqlDatabase ReportWindow::database() const
{
    return m_connection ? m_connection->database() : QSqlDatabase();
}

void ReportWindow::closeConnection()
{
    if (!m_connection)
        return;
    // The plans this window's queries made tell the file which statistics are worth refreshing; a
    // failure leaves them for another time.
    RefreshPlannerStatisticsOnClose(m_connection->database(), nullptr);
    m_connection.reset();
}

void ReportWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closed) {
        m_closed = true;
        if (m_connection)
            FormClose();
        closeConnection();
    }
    QWidget::closeEvent(event);
}

QHBoxLayout *ReportWindow::barRow(int row)
{
    while (m_barRows.size() <= row) {
        auto *layout = new QHBoxLayout;
        m_layout->insertLayout(int(m_barRows.size()), layout);
        m_barRows.append(layout);
    }
    return m_barRows.at(row);
}

DatePicker *ReportWindow::addDatePicker(int row, const QString &caption)
{
    barRow(row)->addWidget(new QLabel(caption, this));
    auto *picker = new DatePicker(this);
    barRow(row)->addWidget(picker);
    return picker;
}

QComboBox *ReportWindow::addComboBox(int row, const QString &caption)
{
    barRow(row)->addWidget(new QLabel(caption, this));
    auto *box = new QComboBox(this);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(12);
    barRow(row)->addWidget(box);
    return box;
}

QPushButton *ReportWindow::addButton(int row, const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    button->setAutoDefault(false);
    barRow(row)->addWidget(button);
    return button;
}

QButtonGroup *ReportWindow::addChoice(int row, const QString &title, const QStringList &items, int checked)
{
    auto *box = new QGroupBox(title, this);
    auto *layout = new QHBoxLayout(box);
    auto *group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), box);
        button->setChecked(i == checked);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    barRow(row)->addWidget(box);
    return group;
}

void ReportWindow::addStretch(int row)
{
    barRow(row)->addStretch(1);
}

void ReportWindow::hideList()
{
    m_list->hide();
    m_layout->setStretch(m_layout->indexOf(m_list), 0);
}

QLabel *ReportWindow::addStatusLabel()
{
    auto *label = new QLabel(this);
    label->setMinimumWidth(200);
    m_statusBar->addWidget(label);
    return label;
}

void ReportWindow::setColumns(const QList<ListColumn> &columns)
{
    m_columns = columns;
    m_list->setColumnCount(int(columns.size()));
    QStringList captions;
    for (const ListColumn &c : columns)
        captions.append(c.caption);
    m_list->setHorizontalHeaderLabels(captions);
    for (int i = 0; i < columns.size(); ++i)
        m_list->setColumnHidden(i, columns.at(i).hidden);
}

void ReportWindow::showRows(const QList<QVariantMap> &rows)
{
    m_list->setRowCount(0);
    m_list->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < m_columns.size(); ++c) {
            const ListColumn &column = m_columns.at(c);
            auto *item = new QTableWidgetItem(FieldText(rows.at(r).value(column.column), column.mask));
            if (!column.mask.isEmpty())
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_list->setItem(r, c, item);
        }
    }
}

bool ReportWindow::runQuery(const std::function<bool(QSqlDatabase db, QString *error)> &work)
{
    if (!m_connection)
        return false;
    const bool processShown = m_processButton && m_processButton->isVisibleTo(this);
    if (processShown)
        m_processButton->hide();
    QString error;
    bool ok = false;
    {
        BusyCursor busy;
        ok = work(m_connection->database(), &error);
    }
    if (processShown)
        m_processButton->show();
    if (!ok)
        Dialogs().error(this, error);
    return ok;
}

bool ReportWindow::hasReportRows(int count)
{
    if (count > 0)
        return true;
    Dialogs().message(this, noDataMessage());
    return false;
}

void ReportWindow::previewReport(const Report &report)
{
    ReportPreview *preview = ShowReportPreview(std::make_shared<const ReportDocument>(LayoutReport(report)));
    preview->setOutput(m_output);
}

void ReportWindow::printReport(const Report &report)
{
    if (!m_output.hasPrinter()) {
        Dialogs().message(this, NoPrinterMessage());
        previewReport(report);
        return;
    }
    QString error;
    if (!m_output.print(LayoutReport(report), &error))
        Dialogs().error(this, error);
}
