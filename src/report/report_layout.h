#pragma once

#include "report/page_model.h"
#include "report/report_model.h"

// Lays a report out into pages:
// - the page header prints at the top of every page and the page footer on the bottom of the
//   printable area of every page, the first and the last included;
// - group headers, detail bands, group footers and the summary flow between them in that order;
// - a band never splits: when it does not fit above the page footer it goes to a new page (a band
//   taller than a whole page is placed on a page of its own and runs over its foot);
// - a report without rows still prints one page with its header, summary and footer.
// Every band is copied from its declaration, its fields filled from its row, and its before-print
// hook run on the copy just before it is placed; invisible elements are left out of the pages.
ReportDocument LayoutReport(const Report &report);
