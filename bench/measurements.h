#pragma once

#include <QString>
#include <QTextStream>

// Measures the program's own data classes and layouts on the data folder dir, each operation
// beside the engine's lower bound measured in the same run, and prints one table: operation,
// median of repeat runs, the bound, their ratio, and the target.
bool RunMeasurements(const QString &dir, int repeat, QTextStream &out, QString *error);
