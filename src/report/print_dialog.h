#pragma once

#include "report/printers.h"

#include <QList>
#include <QString>

#include <optional>

class QWidget;

// What the user chose in the print dialog.
struct PrintChoice
{
    QString printer;
    int copies = 1;
};

// The print dialog: a printer from queues (the default one preselected) and the number of copies.
// Nothing when the user cancels.
std::optional<PrintChoice> AskPrintChoice(QWidget *parent, const QList<PrinterQueue> &queues);
