#include "common/dates.h"

#include <QRegularExpression>

#include <cmath>

namespace {

constexpr int BuddhistOffset = 543;

const QString EmptyDateText = QStringLiteral("  /  /    ");

// Digits only; -1 for anything else (blanks, signs, letters, empty).
int DigitsValue(QStringView s)
{
    if (s.isEmpty())
        return -1;
    int value = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// The day a trimmed "dd/mm/yyyy" text names, or a null QDate. Year 1 is the earliest Christian
// year accepted, so there is no year 0 and no year before the Christian era.
QDate ParseDateText(const QString &trimmed)
{
    if (trimmed.size() != 10 || trimmed[2] != u'/' || trimmed[5] != u'/')
        return {};
    const QStringView s(trimmed);
    const int day = DigitsValue(s.mid(0, 2));
    const int month = DigitsValue(s.mid(3, 2));
    const int year = DigitsValue(s.mid(6, 4));
    if (day < 0 || month < 0 || year < 0 || year - BuddhistOffset < 1)
        return {};
    const QDate d(year - BuddhistOffset, month, day);
    return d.isValid() ? d : QDate();
}

// Days of month m; February has 29 days in every year divisible by 4 (no century rule), the
// rule the date check and the report ranges have always used. The year is wide enough to take any
// Buddhist-era int less the offset.
int DaysInMonth(int m, qint64 christianYear)
{
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && christianYear % 4 == 0 ? 29 : days[m - 1];
}

QString TwoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QDate FirstDateOfText()
{
    return QDate(1, 1, 1);
}

QDate LastDateOfText()
{
    return QDate(9999 - BuddhistOffset, 12, 31);
}

QString DateToText(const QDate &d)
{
    if (!d.isValid() || d < FirstDateOfText() || d > LastDateOfText())
        return EmptyDateText;
    // Buddhist years below 1000 (Christian years before 457) keep four digits with leading zeros,
    // so the text stays 10 characters long, reads back and sorts by its date key.
    return TwoDigits(d.day()) + u'/' + TwoDigits(d.month()) + u'/'
        + QStringLiteral("%1").arg(d.year() + BuddhistOffset, 4, 10, QLatin1Char('0'));
}

QDate TextToDate(const QString &t, QString *message)
{
    if (message)
        message->clear();
    const QString trimmed = t.trimmed();
    if (trimmed.size() != 10) {
        if (message)
            *message = QStringLiteral(u"ข้อมูล วัน เดือน ปี  ไม่ครบ");
        return {};
    }
    const QDate d = ParseDateText(trimmed);
    if (!d.isValid() && message)
        *message = QStringLiteral(u"ข้ อ ม ู ล วัน เดือน ปี ผิด ต้องตรวจสอบทันที");
    return d;
}

bool IsValidDateText(const QString &t)
{
    const QString trimmed = t.trimmed();
    if (trimmed.size() != 10)
        return false;
    const QStringView s(trimmed);
    const int year = DigitsValue(s.mid(6, 4));
    const int month = DigitsValue(s.mid(3, 2));
    const int day = DigitsValue(s.mid(0, 2));
    // A non-digit where digits belong makes the text invalid. There is deliberately no lower
    // bound for the day and the separators are not examined.
    if (year < 0 || month < 1 || month > 12 || day < 0)
        return false;
    return day <= DaysInMonth(month, year - BuddhistOffset);
}

bool IsNumberText(const QString &t, QString *message)
{
    // Digits with at most one decimal point and an optional exponent ("1e5", "2.5E-3"). The
    // words a conversion might also take ("nan", "inf"), hexadecimal and grouped digits are not
    // numbers here, and neither is a value beyond the range of a double: none of them may reach
    // the store as a quantity or a price.
    static const QRegularExpression number(
        QStringLiteral(R"(^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?$)"));
    const QString trimmed = t.trimmed();
    bool converts = false;
    const double value = trimmed.toDouble(&converts);
    const bool ok = number.match(trimmed).hasMatch() && converts && std::isfinite(value);
    if (message)
        *message = ok ? QString() : QStringLiteral(u"ตัวเลข...ไม่ถูกต้อง ");
    return ok;
}

QString MonthStartText(int m, int buddhistYear)
{
    if (m < 1 || m > 12)
        return {};
    return QStringLiteral("01/") + TwoDigits(m) + u'/' + QString::number(buddhistYear);
}

QString MonthEndText(int m, int buddhistYear)
{
    if (m < 1 || m > 12)
        return {};
    const int day = DaysInMonth(m, qint64(buddhistYear) - BuddhistOffset);
    return TwoDigits(day) + u'/' + TwoDigits(m) + u'/' + QString::number(buddhistYear);
}

QString ZeroPad(const QString &t, int w)
{
    const QString trimmed = t.trimmed();
    if (trimmed.isEmpty())
        return {};
    return trimmed.rightJustified(w, u'0');
}

QString FirstWord(const QString &t)
{
    // A text without a blank (or starting with one) has no first word.
    const qsizetype blank = t.indexOf(u' ');
    return blank < 0 ? QString() : t.left(blank);
}

QString DateKey(const QString &dateText)
{
    return dateText.mid(6, 4) + dateText.mid(3, 2) + dateText.mid(0, 2);
}

QString DateKey(const QDate &d)
{
    return DateKey(DateToText(d));
}
