#include "common/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int SignificantDigits = 15;

// |value| taken to 15 significant digits: digits "d1d2...d15" meaning d1.d2...d15 x 10^exponent.
struct Decimal
{
    QString digits;
    int exponent = 0;
};

Decimal ToDecimal(double magnitude)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", SignificantDigits - 1, magnitude);
    // buffer is "d.dddddddddddddde+XX"
    Decimal d;
    const char *p = buffer;
    for (; *p && *p != 'e'; ++p) {
        if (*p != '.')
            d.digits += QLatin1Char(*p);
    }
    d.exponent = *p ? std::atoi(p + 1) : 0;
    return d;
}

// The decimal written out in full: integer digits without leading zeros ("" for zero) and
// fraction digits.
struct FixedParts
{
    QString integer;
    QString fraction;
};

FixedParts ToFixed(const Decimal &d)
{
    FixedParts f;
    if (d.exponent >= 0) {
        const int intLength = d.exponent + 1;
        f.integer = d.digits.left(intLength).leftJustified(intLength, u'0');
        f.fraction = d.digits.mid(intLength);
    } else {
        f.fraction = QString(-d.exponent - 1, u'0') + d.digits;
    }
    while (f.integer.startsWith(u'0'))
        f.integer.remove(0, 1);
    return f;
}

// Rounds half away from zero to `decimals` fraction digits (the fraction comes back exactly that
// long).
void RoundTo(FixedParts &f, int decimals)
{
    const bool roundUp = f.fraction.size() > decimals && f.fraction[decimals] >= u'5';
    f.fraction = f.fraction.left(decimals).leftJustified(decimals, u'0');
    if (!roundUp)
        return;
    QString all = f.integer + f.fraction;
    int i = int(all.size()) - 1;
    for (; i >= 0 && all[i] == u'9'; --i)
        all[i] = u'0';
    if (i >= 0)
        all[i] = QChar(all[i].unicode() + 1);
    else
        all.prepend(u'1');
    f.integer = all.left(all.size() - decimals);
    f.fraction = all.right(decimals);
}

bool IsPlaceholder(QChar c)
{
    return c == u'0' || c == u'#' || c == u'.' || c == u',';
}

QString GroupThousands(const QString &digits)
{
    QString grouped;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            grouped += u',';
        grouped += digits[i];
    }
    return grouped;
}

QString NonFiniteText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

} // namespace

QString FormatMask(double value, const QString &mask)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);

    qsizetype first = 0;
    while (first < mask.size() && !IsPlaceholder(mask[first]))
        ++first;
    qsizetype last = mask.size();
    while (last > first && !IsPlaceholder(mask[last - 1]))
        --last;
    const QString prefix = mask.left(first);
    const QString suffix = mask.mid(last);
    const QString picture = mask.mid(first, last - first);

    const qsizetype point = picture.indexOf(u'.');
    const QString integerPicture = point < 0 ? picture : picture.left(point);
    const QString fractionPicture = point < 0 ? QString() : picture.mid(point + 1);

    const bool thousands = integerPicture.contains(u',');
    int minIntegerDigits = 0;
    bool seenZero = false;
    for (QChar c : integerPicture) {
        seenZero = seenZero || c == u'0';
        if (seenZero && (c == u'0' || c == u'#'))
            ++minIntegerDigits;
    }
    int decimals = 0;
    int minDecimals = 0;
    for (QChar c : fractionPicture) {
        if (c == u'0' || c == u'#')
            ++decimals;
        if (c == u'0')
            minDecimals = decimals;
    }

    FixedParts f = value == 0 ? FixedParts{} : ToFixed(ToDecimal(std::fabs(value)));
    RoundTo(f, decimals);
    const bool isZero = f.integer.isEmpty()
        && std::all_of(f.fraction.begin(), f.fraction.end(), [](QChar c) { return c == u'0'; });

    QString integer = f.integer.rightJustified(minIntegerDigits, u'0');
    if (thousands)
        integer = GroupThousands(integer);
    QString fraction = f.fraction;
    while (fraction.size() > minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);

    QString text = integer;
    if (!fraction.isEmpty())
        text += u'.' + fraction;
    if (value < 0 && !isZero)
        text.prepend(u'-');
    return prefix + text + suffix;
}

QString FormatGeneral(double value)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    if (value == 0)
        return QStringLiteral("0");

    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    Decimal d = ToDecimal(std::fabs(value));
    while (d.digits.size() > 1 && d.digits.endsWith(u'0'))
        d.digits.chop(1);

    // The exponent is taken after rounding, so 999999999999999.9 becomes "1E15".
    if (d.exponent >= SignificantDigits || d.exponent < -4) {
        QString mantissa = d.digits.left(1);
        if (d.digits.size() > 1)
            mantissa += u'.' + d.digits.mid(1);
        return sign + mantissa + u'E' + QString::number(d.exponent);
    }

    const FixedParts f = ToFixed(d);
    QString text = f.integer.isEmpty() ? QStringLiteral("0") : f.integer;
    if (!f.fraction.isEmpty())
        text += u'.' + f.fraction;
    return sign + text;
}
