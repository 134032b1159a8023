#pragma once

#include <QString>
#include <QStringList>

// larderon report NAME DATA_DIR [options] (--pdf OUT.pdf | --csv OUT.csv | --json): the stock
// card (stock-card), the goods-in and goods-out listings (goods-in, goods-out), the reorder list
// (reorder) and the expiry list (expiry), computed by the data classes of the report windows and
// laid out in their layouts. --pdf writes the page the window previews, --csv the listings' export
// exactly as the window writes it, --json prints the rows with their computed columns and the
// figures the window shows. arguments are those after the command name. Returns the exit code: 0
// done, 1 failed (one line on standard error), 2 bad usage.
int ReportCommand(const QStringList &arguments);

// The usage lines of the command.
QString ReportUsage();
