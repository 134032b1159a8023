#pragma once

#include <QString>

#include <optional>

// Numbers typed into and shown in the boxes of the windows, in the user's locale: the decimal
// separator is the locale's, no thousands separators. A value shows in the shortest general
// form (3, 2.5, 1E-5).
QString NumberToBoxText(double value);
// nullopt for a text that is not a number in that form (an empty text included).
std::optional<double> NumberFromBoxText(const QString &text);
