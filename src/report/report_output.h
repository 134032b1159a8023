#pragma once

#include "report/page_model.h"

#include <QString>

class QPagedPaintDevice;

// What the user is told when printing finds no printer.
QString NoPrinterMessage();

// Draws every page of document on device, one device page per report page, after giving the
// device the report's paper and zero margins. False with a message for the user in *error when the
// device refuses the page size or cannot be painted on.
bool RenderReport(const ReportDocument &document, QPagedPaintDevice &device, QString *error);

// Writes document to a PDF file whose pages have the report's paper size exactly. The file is
// written whole or not at all (a temporary name, checked for its header and trailer, then renamed);
// a name of a database file is refused.
bool WriteReportPdf(const ReportDocument &document, const QString &fileName, QString *error);

// True when the system names a default printer.
bool HasDefaultPrinter();
// Prints document on the default printer without a printer dialog. Without a default printer it
// answers false with NoPrinterMessage() in *error.
bool PrintReportToDefaultPrinter(const ReportDocument &document, QString *error);
