#pragma once

#include "printing/layout_elements.h"
#include "report/report_model.h"

// Pieces the report layouts share. Widths are those of the page's printable area.

// Letter paper in portrait with the same margin on all four sides.
PageSetup LetterPortrait(double margin);

// The report's title, centred over the whole width, Thai at 18 points ("B" bold).
Element ReportTitle(const QString &text, double width, const QString &style = QStringLiteral("B"));

// "หน้า" and the page number, ending at right.
QList<Element> PageNumberAt(double right, double top);

// A band of the elements of each list in turn.
Band BandOf(double height, const QList<QList<Element>> &parts);

// The listings' page footer: a rule over the whole width, "หน้า" and the page number at the right.
Band RuledPageFooter(double width);
