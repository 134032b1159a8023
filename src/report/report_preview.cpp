#include "report/report_preview.h"

#include "report/report_output.h"
#include "report/report_page_view.h"
#include "ui/dialogs.h"
#include "ui/window_host.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kMinZoom = 0.25;
constexpr double kMaxZoom = 4.0;

QString AskPdfFileNameWithDialog(QWidget *parent, const QString &suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("บันทึก PDF"), suggested,
                                        QStringLiteral("ไฟล์ PDF (*.pdf)"));
}

QString SuggestedPdfName(const QString &title)
{
    QString name = title.trimmed();
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (QChar &c : name) {
        if (forbidden.contains(c))
            c = u'_';
    }
    if (name.isEmpty())
        name = QStringLiteral("report");
    return QDir::home().filePath(name + QStringLiteral(".pdf"));
}

} // namespace

PreviewOutput PreviewOutput::system()
{
    PreviewOutput output;
    output.hasPrinter = HasPrinter;
    output.print = PrintReportToDefaultPrinter;
    output.askPrintChoice = [](QWidget *parent) { return AskPrintChoice(parent, PrinterQueues()); };
    output.printOn = [](const ReportDocument &document, const PrintChoice &choice, QString *error) {
        return PrintReport(document, choice.printer, choice.copies, error);
    };
    output.askPdfFileName = AskPdfFileNameWithDialog;
    return output;
}

ReportPreview::ReportPreview(std::shared_ptr<const ReportDocument> document,
                             std::function<void()> onRelease, QWidget *parent)
    : QWidget(parent), m_document(std::move(document)), m_onRelease(std::move(onRelease))
{
    setWindowTitle(m_document->title.isEmpty()
                       ? QStringLiteral("ตัวอย่างก่อนพิมพ์")
                       : QStringLiteral("ตัวอย่างก่อนพิมพ์ - %1").arg(m_document->title));

    auto *toolBar = new QToolBar(this);
    m_pageLabel = new QLabel(this);
    buildToolBar(toolBar);

    m_view = new ReportPageView(m_document);
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setBackgroundRole(QPalette::Dark);
    m_scrollArea->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scrollArea->setWidget(m_view);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(m_scrollArea, 1);

    resize(900, 700);
    showPage(0);
}

ReportPreview::~ReportPreview()
{
    if (m_onRelease)
        m_onRelease();
}

void ReportPreview::buildToolBar(QToolBar *toolBar)
{
    auto add = [this, toolBar](const QString &text, const QString &tip, QKeySequence key,
                               void (ReportPreview::*slot)()) {
        QAction *action = toolBar->addAction(text, this, slot);
        action->setToolTip(tip);
        if (!key.isEmpty())
            action->setShortcut(key);
        return action;
    };
    m_first = add(QStringLiteral("|<"), QStringLiteral("หน้าแรก"), QKeySequence(Qt::Key_Home),
                  &ReportPreview::firstPage);
    m_previous = add(QStringLiteral("<"), QStringLiteral("หน้าก่อน"),
                     QKeySequence(Qt::Key_PageUp), &ReportPreview::previousPage);
    toolBar->addWidget(m_pageLabel);
    m_next = add(QStringLiteral(">"), QStringLiteral("หน้าถัดไป"), QKeySequence(Qt::Key_PageDown),
                 &ReportPreview::nextPage);
    m_last = add(QStringLiteral(">|"), QStringLiteral("หน้าสุดท้าย"), QKeySequence(Qt::Key_End),
                 &ReportPreview::lastPage);
    toolBar->addSeparator();
    m_zoomIn = add(QStringLiteral("+"), QStringLiteral("ขยาย"), QKeySequence::ZoomIn,
                   &ReportPreview::zoomIn);
    m_zoomOut = add(QStringLiteral("-"), QStringLiteral("ย่อ"), QKeySequence::ZoomOut,
                    &ReportPreview::zoomOut);
    add(QStringLiteral("พอดีความกว้าง"), QStringLiteral("ย่อหรือขยายให้พอดีความกว้างของหน้าต่าง"),
        {}, &ReportPreview::fitWidth);
    toolBar->addSeparator();
    add(QStringLiteral("พิมพ์"), QStringLiteral("เลือกเครื่องพิมพ์แล้วพิมพ์"), QKeySequence::Print,
        &ReportPreview::print);
    add(QStringLiteral("บันทึก PDF"), QStringLiteral("บันทึกเป็นไฟล์ PDF"), {},
        &ReportPreview::savePdf);
    toolBar->addSeparator();
    toolBar->addAction(QStringLiteral("ปิด"), this, &QWidget::close);
}

double ReportPreview::zoom() const
{
    return m_view->zoom();
}

QString ReportPreview::pageText() const
{
    return m_pageLabel->text();
}

void ReportPreview::showPage(int index)
{
    const int count = pageCount();
    m_pageIndex = std::clamp(index, 0, std::max(0, count - 1));
    m_view->setPageIndex(m_pageIndex);
    const int shown = count > 0 ? m_pageIndex + 1 : 0;
    m_pageLabel->setText(QStringLiteral(" %1 / %2 ").arg(shown).arg(count));
    m_first->setEnabled(m_pageIndex > 0);
    m_previous->setEnabled(m_pageIndex > 0);
    m_next->setEnabled(m_pageIndex + 1 < count);
    m_last->setEnabled(m_pageIndex + 1 < count);
    m_scrollArea->verticalScrollBar()->setValue(0);
}

void ReportPreview::firstPage()
{
    showPage(0);
}

void ReportPreview::previousPage()
{
    showPage(m_pageIndex - 1);
}

void ReportPreview::nextPage()
{
    showPage(m_pageIndex + 1);
}

void ReportPreview::lastPage()
{
    showPage(pageCount() - 1);
}

void ReportPreview::setZoom(double zoom)
{
    m_view->setZoom(std::clamp(zoom, kMinZoom, kMaxZoom));
    m_zoomIn->setEnabled(m_view->zoom() < kMaxZoom);
    m_zoomOut->setEnabled(m_view->zoom() > kMinZoom);
}

void ReportPreview::zoomIn()
{
    setZoom(m_view->zoom() * kZoomStep);
}

void ReportPreview::zoomOut()
{
    setZoom(m_view->zoom() / kZoomStep);
}

void ReportPreview::fitWidth()
{
    // Leave room for the vertical scroll bar, which a fitted page nearly always needs.
    const int width = m_scrollArea->maximumViewportSize().width() -
                      style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 1;
    setZoom(m_view->zoomForWidth(width));
}

void ReportPreview::print()
{
    if (!m_output.hasPrinter()) {
        if (Dialogs().askYesNo(this, NoPrinterMessage() +
                                         QStringLiteral("\nต้องการบันทึกเป็นไฟล์ PDF แทนหรือไม่")))
            savePdf();
        return;
    }
    const std::optional<PrintChoice> choice = m_output.askPrintChoice(this);
    if (!choice)
        return;
    QString error;
    if (!m_output.printOn(*m_document, *choice, &error))
        Dialogs().error(this, error);
}

void ReportPreview::savePdf()
{
    QString fileName = m_output.askPdfFileName(this, SuggestedPdfName(m_document->title));
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".pdf");
    QString error;
    if (!WriteReportPdf(*m_document, fileName, &error))
        Dialogs().error(this, error);
}

ReportPreview *ShowReportPreview(std::shared_ptr<const ReportDocument> document,
                                 std::function<void()> onRelease)
{
    auto *preview = new ReportPreview(std::move(document), std::move(onRelease));
    ShowChildWindow(preview);
    return preview;
}
