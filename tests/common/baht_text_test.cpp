#include "common/baht_text.h"

#include <gtest/gtest.h>

#include <limits>

#include "qt_printers.h"

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Infinity = std::numeric_limits<double>::infinity();

TEST(NumberToWords, SpellsEachPlace)
{
    struct Case
    {
        int n;
        QString words;
    } cases[] = {
        {0, ""},
        {1, QStringLiteral(u"หนึ่ง")},
        {9, QStringLiteral(u"เก้า")},
        {10, QStringLiteral(u"สิบ")},
        {11, QStringLiteral(u"สิบเอ็ด")},
        {20, QStringLiteral(u"ยี่สิบ")},
        {21, QStringLiteral(u"ยี่สิบเอ็ด")},
        {35, QStringLiteral(u"สามสิบห้า")},
        {100, QStringLiteral(u"หนึ่งร้อย")},
        {101, QStringLiteral(u"หนึ่งร้อยหนึ่ง")},
        {111, QStringLiteral(u"หนึ่งร้อยสิบเอ็ด")},
        {1001, QStringLiteral(u"หนึ่งพันหนึ่ง")},
        {10000, QStringLiteral(u"หนึ่งหมื่น")},
        {234567, QStringLiteral(u"สองแสนสามหมื่นสี่พันห้าร้อยหกสิบเจ็ด")},
        {999999, QStringLiteral(u"เก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้า")},
        // Outside 0..999,999.
        {-5, ""},
        {1000000, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(NumberToWords(c.n), c.words);
    }
}

TEST(BahtText, SpellsAmountsForPrintedDocuments)
{
    struct Case
    {
        double amount;
        QString words;
    } cases[] = {
        {1234567.89, QStringLiteral(u"หนึ่งล้านสองแสนสามหมื่นสี่พันห้าร้อยหกสิบเจ็ดบาทแปดสิบเก้าสตางค์")},
        {21.00, QStringLiteral(u"ยี่สิบเอ็ดบาทถ้วน")},
        {101.00, QStringLiteral(u"หนึ่งร้อยหนึ่งบาทถ้วน")},
        {2000000.00, QStringLiteral(u"สองล้านบาทถ้วน")},
        {0.50, QStringLiteral(u"ห้าสิบสตางค์")},
        {0, ""},
        {12.345, QStringLiteral(u"สิบสองบาทสามสิบสี่สตางค์")}, // third decimal dropped
        {0.0099, ""},                                               // below one satang
        {0.01, QStringLiteral(u"หนึ่งสตางค์")},
        {210.00, QStringLiteral(u"สองร้อยสิบบาทถ้วน")},
        {1000001.00, QStringLiteral(u"หนึ่งล้านหนึ่งบาทถ้วน")},
        {1000000000000.00, QStringLiteral(u"หนึ่งล้านล้านบาทถ้วน")},
        {-21.50, QStringLiteral(u"ลบยี่สิบเอ็ดบาทห้าสิบสตางค์")},
        {9.2e14, QStringLiteral(u"เก้าร้อยยี่สิบล้านล้านบาทถ้วน")}, // close to the largest that fits
        // Values no fixed-point amount can hold are said with nothing, never with a wrong amount.
        {9.3e14, ""},
        {-9.3e14, ""},
        {NaN, ""},
        {Infinity, ""},
        {-Infinity, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << std::fixed << c.amount);
        EXPECT_EQ(BahtText(MoneyToFixed(c.amount)), c.words);
    }
}

TEST(MoneyToFixed, RoundsToFourDecimals)
{
    struct Case
    {
        double amount;
        qint64 fixed;
    } cases[] = {
        {12.50, 125000}, {0, 0}, {12.345, 123450}, {0.00005, 1}, {-1.5, -15000},
        {0.1 + 0.2, 3000}, {9.2e14, 9200000000000000000},
        {9.3e14, kNoAmount}, {-9.3e14, kNoAmount}, {NaN, kNoAmount}, {Infinity, kNoAmount},
        {-Infinity, kNoAmount},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MoneyToFixed(c.amount), c.fixed) << c.amount;
}

} // namespace
