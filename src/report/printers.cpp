#include "report/printers.h"

#include <cups/cups.h>

#include <cmath>

namespace {

// Destinations of the print service, freed when the list goes out of scope.
class Destinations
{
public:
    Destinations() : m_count(cupsGetDests2(CUPS_HTTP_DEFAULT, &m_dests)) {}
    ~Destinations() { cupsFreeDests(m_count, m_dests); }
    Destinations(const Destinations &) = delete;
    Destinations &operator=(const Destinations &) = delete;

    int count() const { return m_count; }
    cups_dest_t *at(int i) const { return m_dests + i; }
    // The named destination, or the default one for an empty name; nullptr when there is none.
    cups_dest_t *find(const QString &name) const
    {
        const QByteArray utf8 = name.toUtf8();
        return cupsGetDest(name.isEmpty() ? nullptr : utf8.constData(), nullptr, m_count, m_dests);
    }

private:
    cups_dest_t *m_dests = nullptr;
    int m_count = 0;
};

QString Description(const cups_dest_t *dest)
{
    const char *info = cupsGetOption("printer-info", dest->num_options, dest->options);
    const QString text = info ? QString::fromUtf8(info).trimmed() : QString();
    return text.isEmpty() ? QString::fromUtf8(dest->name) : text;
}

QString LastCupsError()
{
    return QString::fromUtf8(cupsLastErrorString());
}

} // namespace

QString NoPrinterMessage()
{
    return QStringLiteral("ไม่พบเครื่องพิมพ์หลักในเครื่องนี้");
}

QList<PrinterQueue> PrinterQueues()
{
    const Destinations dests;
    QList<PrinterQueue> queues;
    for (int i = 0; i < dests.count(); ++i) {
        const cups_dest_t *dest = dests.at(i);
        if (dest->instance)
            continue;
        PrinterQueue queue{QString::fromUtf8(dest->name), Description(dest), dest->is_default != 0};
        if (queue.isDefault)
            queues.prepend(queue);
        else
            queues.append(queue);
    }
    return queues;
}

QString DefaultPrinterName()
{
    const Destinations dests;
    for (int i = 0; i < dests.count(); ++i) {
        if (dests.at(i)->is_default)
            return QString::fromUtf8(dests.at(i)->name);
    }
    return {};
}

QString MediaName(QSizeF paperMm)
{
    struct Named
    {
        const char *name;
        double width;
        double height;
    };
    static const Named kNamed[] = {
        {"Letter", 215.9, 279.4}, {"A4", 210, 297}, {"A5", 148, 210}, {"Legal", 215.9, 355.6}};
    const double w = paperMm.width();
    const double h = paperMm.height();
    for (const Named &n : kNamed) {
        const bool portrait = std::abs(n.width - w) < 0.5 && std::abs(n.height - h) < 0.5;
        const bool turned = std::abs(n.width - h) < 0.5 && std::abs(n.height - w) < 0.5;
        if (portrait || turned)
            return QString::fromLatin1(n.name);
    }
    return QStringLiteral("Custom.%1x%2mm").arg(w, 0, 'f', 1).arg(h, 0, 'f', 1);
}

bool SendPdfToPrinter(const QByteArray &pdf, const PrintJob &job, QString *error)
{
    const Destinations dests;
    cups_dest_t *dest = dests.find(job.printer);
    if (!dest) {
        *error = job.printer.isEmpty() ? NoPrinterMessage()
                                       : QStringLiteral("ไม่พบเครื่องพิมพ์ %1").arg(job.printer);
        return false;
    }
    cups_option_t *options = nullptr;
    int optionCount = 0;
    const QByteArray copies = QByteArray::number(std::max(1, job.copies));
    const QByteArray media = MediaName(job.paperMm).toUtf8();
    optionCount = cupsAddOption(CUPS_COPIES, copies.constData(), optionCount, &options);
    if (!job.paperMm.isEmpty())
        optionCount = cupsAddOption(CUPS_MEDIA, media.constData(), optionCount, &options);
    // Positions on the sheet are exact: the printer must not shrink or move the page.
    optionCount = cupsAddOption("print-scaling", "none", optionCount, &options);

    const QByteArray title = job.title.toUtf8();
    cups_dinfo_t *info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
    int jobId = 0;
    bool sent = false;
    if (cupsCreateDestJob(CUPS_HTTP_DEFAULT, dest, info, &jobId, title.constData(), optionCount,
                          options) == IPP_STATUS_OK) {
        if (cupsStartDestDocument(CUPS_HTTP_DEFAULT, dest, info, jobId, title.constData(),
                                  CUPS_FORMAT_PDF, 0, nullptr, 1) == HTTP_STATUS_CONTINUE) {
            const bool written =
                cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(), size_t(pdf.size())) ==
                HTTP_STATUS_CONTINUE;
            sent = cupsFinishDestDocument(CUPS_HTTP_DEFAULT, dest, info) == IPP_STATUS_OK && written;
        }
        if (!sent)
            cupsCancelDestJob(CUPS_HTTP_DEFAULT, dest, jobId);
    }
    if (!sent)
        *error = QStringLiteral("ส่งงานพิมพ์ไปที่เครื่องพิมพ์ %1 ไม่ได้ (%2)")
                     .arg(QString::fromUtf8(dest->name), LastCupsError());
    cupsFreeDestInfo(info);
    cupsFreeOptions(optionCount, options);
    return sent;
}
