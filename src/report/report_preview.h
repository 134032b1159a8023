#pragma once

#include "report/page_model.h"
#include "report/print_dialog.h"

#include <QWidget>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QScrollArea;
class ReportPageView;

// What printing needs from outside besides the dialogs port: the printers, the print dialog and a
// file name for PDF files. The defaults use the system's print service and dialogs; tests replace
// them.
struct PreviewOutput
{
    // True when there is any printer to print on.
    std::function<bool()> hasPrinter;
    // Prints on the default printer at once, without a dialog.
    std::function<bool(const ReportDocument &document, QString *error)> print;
    // The print dialog; nothing when the user cancelled.
    std::function<std::optional<PrintChoice>(QWidget *parent)> askPrintChoice;
    // Prints on the printer chosen in the print dialog.
    std::function<bool(const ReportDocument &document, const PrintChoice &choice, QString *error)>
        printOn;
    // The chosen file name, or the empty text when the user cancelled.
    std::function<QString(QWidget *parent, const QString &suggested)> askPdfFileName;

    static PreviewOutput system();
};

// The print preview window: pages through a laid-out report, zooms, prints it on the printer the
// user picks and saves it as PDF. It keeps the report alive and calls the release callback when it is
// destroyed, so the layout behind it can close its connection then.
class ReportPreview : public QWidget
{
    Q_OBJECT
public:
    ReportPreview(std::shared_ptr<const ReportDocument> document,
                  std::function<void()> onRelease = {}, QWidget *parent = nullptr);
    ~ReportPreview() override;

    void setOutput(PreviewOutput output) { m_output = std::move(output); }

    const ReportDocument &document() const { return *m_document; }
    int pageCount() const { return int(m_document->pages.size()); }
    int currentPage() const { return m_pageIndex + 1; } // 1-based
    double zoom() const;
    // The page indicator as shown, "n / m".
    QString pageText() const;

public slots:
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void zoomIn();
    void zoomOut();
    void fitWidth();
    void print();
    void savePdf();

private:
    void buildToolBar(class QToolBar *toolBar);
    void showPage(int index);
    void setZoom(double zoom);

    std::shared_ptr<const ReportDocument> m_document;
    std::function<void()> m_onRelease;
    PreviewOutput m_output = PreviewOutput::system();
    int m_pageIndex = 0;

    QScrollArea *m_scrollArea = nullptr;
    ReportPageView *m_view = nullptr;
    QLabel *m_pageLabel = nullptr;
    QAction *m_first = nullptr;
    QAction *m_previous = nullptr;
    QAction *m_next = nullptr;
    QAction *m_last = nullptr;
    QAction *m_zoomIn = nullptr;
    QAction *m_zoomOut = nullptr;
};

// Creates a preview of document, shows it as a child window (deleted on close) and returns it.
ReportPreview *ShowReportPreview(std::shared_ptr<const ReportDocument> document,
                                 std::function<void()> onRelease = {});
