#pragma once

#include "printing/document_layout.h"

// Short delivery note on half-letter paper (8.5 x 5.5 inches): one text line per document line
// with code, name, first detail text, quantity and unit.
class TPrnDO9s final : public DocumentLayout
{
public:
    QString className() const override { return QStringLiteral("TPrnDO9s"); }
    Report buildReport(const DocumentPrintData &data) const override;
};
