#pragma once

#include "report/report_model.h"
#include "report/report_preview.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>
#include <QWidget>

#include <functional>
#include <memory>

class Connection;
class DatePicker;
class QButtonGroup;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QStatusBar;
class QTableWidget;
class QVBoxLayout;

// One column of a report window's list: its caption, the row's column it shows (upper case, as
// RowFromRecord names it) and the number mask of its values; a hidden column exists but is not
// shown.
struct ListColumn
{
    ListColumn(QString caption, QString column, QString mask = {}, bool hidden = false)
        : caption(std::move(caption)), column(std::move(column)), mask(std::move(mask)), hidden(hidden)
    {
    }

    QString caption;
    QString column;
    QString mask;
    bool hidden = false;
};

// What every report window shares: its own connection, opened when it is created and closed when
// it closes; a bar of rows of controls at the top (date pickers, boxes, choices, the process and
// report buttons); a read-only list with whole-row selection; a status bar; queries run under the
// hourglass cursor with failures shown in the error box; the no-data message; preview and direct
// printing of a laid-out report. A window adds its controls, its query and its layout.
class ReportWindow : public QWidget
{
    Q_OBJECT
public:
    ~ReportWindow() override;

    QTableWidget *list() const { return m_list; }
    QStatusBar *statusBar() const { return m_statusBar; }
    // Printers and PDF file names (the system's; tests give their own).
    void setOutput(PreviewOutput output) { m_output = std::move(output); }
    bool connected() const { return bool(m_connection); }

    static QString noDataMessage() { return QStringLiteral("ไม่มีข้อมูลรายงาน..."); }

protected:
    ReportWindow(const QString &objectName, const QString &caption, QWidget *parent);

    QSqlDatabase database() const;

    // The bar's rows, top to bottom; controls are added to a row left to right.
    DatePicker *addDatePicker(int row, const QString &caption);
    QComboBox *addComboBox(int row, const QString &caption);
    QPushButton *addButton(int row, const QString &caption);
    // A framed group of radio choices; the group's ids are the items' positions from 0.
    QButtonGroup *addChoice(int row, const QString &title, const QStringList &items, int checked);
    void addStretch(int row);
    // The button that starts processing: hidden while a query runs.
    void setProcessButton(QPushButton *button) { m_processButton = button; }
    // Hides the list (a window that only prints).
    void hideList();
    // A label of the status bar.
    QLabel *addStatusLabel();

    void setColumns(const QList<ListColumn> &columns);
    // Fills the list with rows (values formatted with the columns' masks).
    void showRows(const QList<QVariantMap> &rows);

    // Runs work on the window's connection under the hourglass cursor, the process button hidden.
    // False when it fails (the error box shows why) or when the window has no connection.
    bool runQuery(const std::function<bool(QSqlDatabase db, QString *error)> &work);
    // True when count > 0; otherwise shows "ไม่มีข้อมูลรายงาน...".
    bool hasReportRows(int count);
    // Shows the report laid out in the preview window.
    void previewReport(const Report &report);
    // Prints the report on the default printer; without a printer the user is told and the report
    // is previewed instead (from where it can be saved as PDF).
    void printReport(const Report &report);

    // Runs when the window closes, while its connection is still open.
    virtual void FormClose() {}
    void closeEvent(QCloseEvent *event) override;

private:
    QHBoxLayout *barRow(int row);
    void closeConnection();

    std::unique_ptr<Connection> m_connection;
    PreviewOutput m_output = PreviewOutput::system();
    QVBoxLayout *m_layout = nullptr;
    QList<QHBoxLayout *> m_barRows;
    QTableWidget *m_list = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QPushButton *m_processButton = nullptr;
    QList<ListColumn> m_columns;
    bool m_closed = false;
};
