#pragma once

#include <QString>
#include <QtGlobal>

#include <limits>

// The fixed-point value that stands for no amount at all: MoneyToFixed gives it for a value it
// cannot hold, and BahtText spells it as the empty text.
inline constexpr qint64 kNoAmount = std::numeric_limits<qint64>::min();

// A money amount as the fixed-point value BahtText takes: amount x 10000, rounded to the nearest
// integer (12.50 -> 125000). NaN, the infinities and amounts whose fixed-point value would not fit
// (beyond about 922,337,203,685,477 baht either way) give kNoAmount, never a wrong number.
qint64 MoneyToFixed(double amount);

// Thai words of 0..999,999 without blanks ("หนึ่งร้อยสิบเอ็ด" for 111); 0 and values outside that
// range give the empty text.
QString NumberToWords(int n);

// The amount in Thai words for printed documents: millions, baht, then satang or "ถ้วน" (exactly).
// Satang are the first two decimals; the third and fourth are dropped, not rounded. Zero gives
// the empty text. Counts of millions above 999,999 are spelled with "ล้าน" repeated
// (one million million is "หนึ่งล้านล้าน"), and a negative amount is spelled with "ลบ" (minus) in
// front. kNoAmount gives the empty text.
QString BahtText(qint64 amountTimes10000);
