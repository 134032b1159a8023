#include <cairo-pdf.h>
#include <cairo.h>

#include "report/report_output.h"

#include "common/atomic_file.h"
#include "report/page_painter.h"

#include <QDateTime>

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

void SetError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

cairo_status_t AppendToBuffer(void *closure, const unsigned char *data, unsigned int length)
{
    static_cast<QByteArray *>(closure)->append(reinterpret_cast<const char *>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

void SetMetadata(cairo_surface_t *surface, const ReportDocument &document)
{
    const QByteArray title = document.title.toUtf8();
    if (!title.isEmpty())
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, title.constData());
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "Larderon");
    const QDateTime now = QDateTime::currentDateTime();
    const QByteArray created = now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODate).toLatin1();
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, created.constData());
}

// A PDF file that Cairo finished: its header at the start and its trailer at the end.
bool LooksComplete(const QByteArray &pdf)
{
    return pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF");
}

} // namespace

bool RenderReportPdf(const ReportDocument &document, QByteArray *pdf, QString *error)
{
    pdf->clear();
    const double width = document.page.paperWidth() * kPointsPerMm;
    const double height = document.page.paperHeight() * kPointsPerMm;
    cairo_surface_t *surface = cairo_pdf_surface_create_for_stream(AppendToBuffer, pdf, width, height);
    SetMetadata(surface, document);
    cairo_t *cr = cairo_create(surface);
    cairo_scale(cr, kPointsPerMm, kPointsPerMm);
    {
        PagePainter painter;
        for (const Page &page : document.pages) {
            painter.paint(cr, page);
            cairo_show_page(cr);
        }
        if (document.pages.isEmpty())
            cairo_show_page(cr);
        cairo_destroy(cr);
        cairo_surface_finish(surface); // the painter's pictures must outlive the surface's pages
    }
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS || !LooksComplete(*pdf)) {
        SetError(error, QStringLiteral("สร้างไฟล์ PDF ไม่ได้ (%1)")
                            .arg(QString::fromUtf8(cairo_status_to_string(status))));
        pdf->clear();
        return false;
    }
    return true;
}

bool WriteReportPdf(const ReportDocument &document, const QString &fileName, QString *error)
{
    QByteArray pdf;
    QString renderError;
    if (!RenderReportPdf(document, &pdf, &renderError)) {
        SetError(error, QStringLiteral("บันทึกไฟล์ PDF \"%1\" ไม่ได้ (%2)").arg(fileName, renderError));
        return false;
    }
    QString failure;
    if (!WriteFileWhole(fileName, pdf, &failure)) {
        SetError(error, QStringLiteral("บันทึกไฟล์ PDF \"%1\" ไม่ได้ (%2)").arg(fileName, failure));
        return false;
    }
    return true;
}

bool HasPrinter()
{
    return !PrinterQueues().isEmpty();
}

bool HasDefaultPrinter()
{
    return !DefaultPrinterName().isEmpty();
}

bool PrintReport(const ReportDocument &document, const QString &printer, int copies,
                 QString *error)
{
    QByteArray pdf;
    if (!RenderReportPdf(document, &pdf, error))
        return false;
    PrintJob job;
    job.printer = printer;
    job.title = document.title;
    job.copies = copies;
    job.paperMm = document.page.paperSize();
    return SendPdfToPrinter(pdf, job, error);
}

bool PrintReportToDefaultPrinter(const ReportDocument &document, QString *error)
{
    if (!HasDefaultPrinter()) {
        SetError(error, NoPrinterMessage());
        return false;
    }
    return PrintReport(document, QString(), 1, error);
}
