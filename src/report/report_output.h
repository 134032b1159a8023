#pragma once

#include "report/page_model.h"
#include "report/printers.h"

#include <QByteArray>
#include <QString>

// The report as a PDF file in memory: one PDF page per report page, each of the report's paper
// size exactly, with the report's title, the creator "Larderon" and the creation date. False with
// a message for the user in *error when Cairo cannot make it.
bool RenderReportPdf(const ReportDocument &document, QByteArray *pdf, QString *error);

// Writes the report's PDF to fileName whole or not at all (a temporary name, checked, then
// renamed): a failure leaves no file behind (and an existing file as it was) and says why in
// *error. A name of a database file is refused.
bool WriteReportPdf(const ReportDocument &document, const QString &fileName, QString *error);

// True when the print service offers any printer / names a default printer.
bool HasPrinter();
bool HasDefaultPrinter();
// Prints the report's PDF on the named printer (empty: the default one), copies times.
bool PrintReport(const ReportDocument &document, const QString &printer, int copies,
                 QString *error);
// Prints on the default printer without a printer dialog. Without a default printer it answers
// false with NoPrinterMessage() in *error.
bool PrintReportToDefaultPrinter(const ReportDocument &document, QString *error);
