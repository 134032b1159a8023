#pragma once

#include <QString>

// Numbers as printed reports show them.
//
// Both functions first take the value to 15 significant digits, the precision a double holds
// reliably, so that a value such as 2.675 (stored as 2.67499999...) or a sum such as 0.1 + 0.2 is
// treated as the decimal the user typed or expects. Rounding is then half away from zero on that
// decimal value: 2.675 -> "2.68", 1.005 -> "1.01", -2.5 with no decimals -> "-3".
// Not-a-number prints "NAN", infinities "INF" and "-INF".

// Formats value with a picture mask:
//   '0'  a required digit: printed even when it is a leading or trailing zero;
//   '#'  an optional digit: printed only when significant;
//   ','  anywhere in the integer part: group the integer digits by three with ",";
//   '.'  the decimal point; the number of '0'/'#' after it is the number of decimals, and
//        decimals up to the last '0' are always printed.
// The integer part always shows all its digits; it is at least as long as the placeholders from the
// first '0' to the point. Text before the first and after the last placeholder is copied as it is.
// A negative value gets a leading "-", but a value that rounds to zero never prints "-0"; with no
// required digit in the mask ("##,###,###") zero prints as the empty text.
QString FormatMask(double value, const QString &mask);

// The shortest general form: up to 15 significant digits, no thousands separators, no trailing
// zeros and no trailing point (2.5 -> "2.5", 3 -> "3", 1234567.5 -> "1234567.5"). Magnitudes of
// 1E15 and above, or below 1E-4, use the exponent form "1.5E-5", "1E15", "-2.25E20".
QString FormatGeneral(double value);
