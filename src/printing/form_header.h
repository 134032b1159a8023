#pragma once

#include "printing/print_data.h"
#include "report/report_model.h"

// The top of the page header that the delivery note with detail column and the priced delivery
// note have in common: title, number and date with their captions, logo, the three company lines
// and the three boxes (party, reference row, column captions). The number prints as stored.
QList<Element> FormHeaderTop(const DocumentPrintData &data, const QString &title);
