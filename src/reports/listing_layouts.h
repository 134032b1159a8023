#pragma once

#include "report/report_model.h"

#include <QList>
#include <QString>
#include <QVariantMap>

// The two printed layouts of the goods-in and goods-out listings ("รายงาน 1", "รายงาน 2"): Letter
// with the mode's title, one line per row in the list's order and the total quantity.
// Layout 1: running number, code, name, group, quantity, unit. Layout 2: document number, date,
// time, code, name, group, quantity, unit.
Report ListingReport(int layout, int mode, const QList<QVariantMap> &rows, double total);
