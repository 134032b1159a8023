#pragma once

#include "printing/document_layout.h"

// Delivery note with a detail column, on letter paper: one text line per document line with
// code, name, first detail text, quantity and unit; the number prints as stored.
class TPrnDO2 final : public DocumentLayout
{
public:
    QString className() const override { return QStringLiteral("TPrnDO2"); }
    Report buildReport(const DocumentPrintData &data) const override;
};
