#include "common/baht_text.h"

#include <cmath>

namespace {

const char16_t *const DigitWords[10] = {u"",    u"หนึ่ง", u"สอง", u"สาม", u"สี่",
                                        u"ห้า", u"หก",   u"เจ็ด", u"แปด", u"เก้า"};

constexpr qint64 Million = 1000000;

// Whole numbers of any size: the millions count is spelled the same way, followed by "ล้าน".
QString WholeWords(qint64 n)
{
    QString words;
    if (n >= Million)
        words = WholeWords(n / Million) + QStringLiteral(u"ล้าน");
    return words + NumberToWords(int(n % Million));
}

} // namespace

qint64 MoneyToFixed(double amount)
{
    // 2^63: the first magnitude a 64-bit integer cannot hold. Its negative twin is kNoAmount
    // itself, so it is refused as well. The test is written so that NaN fails it too.
    constexpr double limit = 9223372036854775808.0;
    const double scaled = amount * 10000.0;
    if (!(std::fabs(scaled) < limit))
        return kNoAmount;
    return std::llround(scaled);
}

QString NumberToWords(int n)
{
    if (n <= 0 || n >= Million)
        return {};

    struct Place
    {
        int value;
        const char16_t *word;
    };
    static constexpr Place places[] = {
        {100000, u"แสน"}, {10000, u"หมื่น"}, {1000, u"พัน"}, {100, u"ร้อย"}};

    QString words;
    int r = n;
    for (const Place &place : places) {
        if (r >= place.value) {
            words += QString::fromUtf16(DigitWords[r / place.value]);
            words += QString::fromUtf16(place.word);
            r %= place.value;
        }
    }

    bool tensWritten = false;
    if (r >= 10) {
        const int tens = r / 10;
        if (tens == 2)
            words += QStringLiteral(u"ยี่");
        else if (tens >= 3)
            words += QString::fromUtf16(DigitWords[tens]);
        words += QStringLiteral(u"สิบ");
        tensWritten = true;
        r %= 10;
    }

    if (r > 0)
        words += tensWritten && r == 1 ? QStringLiteral(u"เอ็ด") : QString::fromUtf16(DigitWords[r]);
    return words;
}

QString BahtText(qint64 amountTimes10000)
{
    // The lowest value has no positive twin: it is kNoAmount, the mark of a value that could not
    // be held, and is said with nothing rather than with a wrong amount.
    if (amountTimes10000 == kNoAmount)
        return {};
    if (amountTimes10000 < 0)
        return QStringLiteral(u"ลบ") + BahtText(-amountTimes10000);

    const qint64 baht = amountTimes10000 / 10000;
    const int satang = int((amountTimes10000 % 10000) / 100);

    QString text;
    if (baht > 0)
        text = WholeWords(baht) + QStringLiteral(u"บาท");
    if (satang > 0)
        text += NumberToWords(satang) + QStringLiteral(u"สตางค์");
    else if (baht > 0)
        text += QStringLiteral(u"ถ้วน");
    return text;
}
