#include "ui/locale_number.h"

#include "common/number_format.h"

#include <QLocale>

QString NumberToBoxText(double value)
{
    QString text = FormatGeneral(value);
    text.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return text;
}

std::optional<double> NumberFromBoxText(const QString &text)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(text.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return value;
}
