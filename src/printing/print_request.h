#pragma once

#include "report/report_preview.h"

#include <QString>

// What a print request came to.
enum class PrintOutcome {
    Nothing,   // no layout for the settings, or VIEW1 asks for neither preview nor print
    Previewed, // shown in the preview window
    Printed,   // sent to the default printer
    NotPrinted, // no printer: the user was told and offered a PDF file instead
    Failed,    // the layout could not be prepared or the printer refused; the user was told
};

// What the print button of the stock document window does once it has set the print hand-off
// values (PrintDocNo, PrintDocKind, PrintDocVariant) of the shared state. line5 and view1 are the
// settings LINE5 and VIEW1 as the window read them. Purchase orders are always previewed; goods
// out and goods in go to the layout LINE5 names, previewed for VIEW1 "0" or printed on the
// default printer at once for "1". Errors reach the user through the dialogs port; output gives
// the printer and the PDF file name (the system's by default, a test's own in tests).
PrintOutcome PrintDocumentRequest(const QString &line5, const QString &view1,
                                  const PreviewOutput &output = PreviewOutput::system());
