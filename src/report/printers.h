#pragma once

#include <QByteArray>
#include <QList>
#include <QSizeF>
#include <QString>

// The print queues of the system's print service (CUPS) and the one way the program prints: a
// PDF file sent to a queue.

// What the user is told when printing finds no printer.
QString NoPrinterMessage();

struct PrinterQueue
{
    QString name;
    QString description; // the queue's own description, or its name
    bool isDefault = false;
};

// The queues the print service offers, the default first; empty when there is no print service
// or no queue.
QList<PrinterQueue> PrinterQueues();
// The name of the default queue, or the empty text when there is none.
QString DefaultPrinterName();

struct PrintJob
{
    QString printer;  // a queue name; empty: the default queue
    QString title;    // the job's name in the queue
    int copies = 1;
    QSizeF paperMm;   // the report's sheet, asked of the printer as its media, printed unscaled
};

// Sends pdf to the queue as one job. False with the print service's reason in *error.
bool SendPdfToPrinter(const QByteArray &pdf, const PrintJob &job, QString *error);

// The media name of a sheet for the print service: a standard name where the sheet is one in
// either orientation (Letter, A4, ...), otherwise "Custom.WxHmm" with the width as the sheet is
// fed (the short delivery note's 8.5 x 5.5 inches: "Custom.215.9x139.7mm").
QString MediaName(QSizeF paperMm);
