#include "report/report_output.h"

#include "common/atomic_file.h"
#include "report/report_painter.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace {

void SetError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QPageLayout ReportPageLayout(const PageSetup &setup)
{
    // QPageSize describes the sheet in portrait; the orientation turns it.
    const bool landscape = setup.orientation() == Orientation::Landscape;
    const QSizeF portrait = landscape ? setup.paperSize().transposed() : setup.paperSize();
    const QPageSize size(portrait, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

// A whole PDF file: its header at the start and its end-of-file trailer at the end (a full disk
// cuts the file short without the writer noticing).
bool CheckPdfFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0) {
        SetError(error, QStringLiteral("the file is empty"));
        return false;
    }
    const QByteArray head = file.read(5);
    file.seek(std::max<qint64>(0, file.size() - 64));
    if (head != "%PDF-" || !file.readAll().trimmed().endsWith("%%EOF")) {
        SetError(error, QStringLiteral("the file was cut short"));
        return false;
    }
    return true;
}

} // namespace

QString NoPrinterMessage()
{
    return QStringLiteral("ไม่พบเครื่องพิมพ์หลักในเครื่องนี้");
}

bool RenderReport(const ReportDocument &document, QPagedPaintDevice &device, QString *error)
{
    if (!device.setPageLayout(ReportPageLayout(document.page))) {
        SetError(error, QStringLiteral("ตั้งขนาดกระดาษ %1 x %2 มม. ไม่ได้")
                            .arg(document.page.paperWidth())
                            .arg(document.page.paperHeight()));
        return false;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        SetError(error, QStringLiteral("เริ่มพิมพ์ไม่ได้"));
        return false;
    }
    const double scale = DevicePerMm(device);
    for (qsizetype i = 0; i < document.pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            SetError(error, QStringLiteral("ขึ้นหน้าใหม่ไม่ได้"));
            return false;
        }
        PaintPage(painter, document.pages.at(i), scale);
    }
    if (!painter.end()) {
        SetError(error, QStringLiteral("พิมพ์ไม่สำเร็จ"));
        return false;
    }
    return true;
}

bool WriteReportPdf(const ReportDocument &document, const QString &fileName, QString *error)
{
    const auto render = [&](const QString &temporary, QString *failure) {
        QPdfWriter writer(temporary);
        writer.setTitle(document.title);
        writer.setCreator(QStringLiteral("Larderon"));
        writer.setResolution(1200);
        return RenderReport(document, writer, failure);
    };
    QString failure;
    if (!WriteFileWhole(fileName, render, CheckPdfFile, ExistingFile::Replace, &failure)) {
        SetError(error, QStringLiteral("บันทึกไฟล์ PDF \"%1\" ไม่ได้ (%2)").arg(fileName, failure));
        return false;
    }
    return true;
}

bool HasDefaultPrinter()
{
    return !QPrinterInfo::defaultPrinter().isNull();
}

bool PrintReportToDefaultPrinter(const ReportDocument &document, QString *error)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        SetError(error, NoPrinterMessage());
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(document.title);
    printer.setFullPage(true);
    QString renderError;
    if (!RenderReport(document, printer, &renderError)) {
        SetError(error, QStringLiteral("พิมพ์ที่เครื่องพิมพ์ %1 ไม่ได้ (%2)")
                            .arg(info.printerName(), renderError));
        return false;
    }
    return true;
}
