#include "common/dates.h"

#include <gtest/gtest.h>

#include <limits>

#include "qt_printers.h"

namespace {

const QString IncompleteMessage = QStringLiteral(u"ข้อมูล วัน เดือน ปี  ไม่ครบ");
const QString WrongMessage = QStringLiteral(u"ข้ อ ม ู ล วัน เดือน ปี ผิด ต้องตรวจสอบทันที");
const QString NumberMessage = QStringLiteral(u"ตัวเลข...ไม่ถูกต้อง ");

TEST(DateToText, WritesDayMonthAndBuddhistYear)
{
    struct Case
    {
        QDate date;
        QString text;
    } cases[] = {
        {QDate(), "  /  /    "},
        {QDate(2008, 1, 1), "01/01/2551"},
        {QDate(2007, 12, 9), "09/12/2550"},
        {QDate(2024, 2, 29), "29/02/2567"},
        {QDate(1900, 10, 31), "31/10/2443"},
        // Buddhist years below 1000 keep four digits.
        {QDate(1, 1, 1), "01/01/0544"},
        {QDate(456, 12, 31), "31/12/0999"},
        {QDate(9456, 12, 31), "31/12/9999"},
        // Days a 10-character text cannot hold are no date; the extremes once overflowed.
        {QDate(9457, 1, 1), "  /  /    "},
        {QDate(-1, 12, 31), "  /  /    "},
        {QDate(std::numeric_limits<int>::max(), 12, 31), "  /  /    "},
        {QDate(std::numeric_limits<int>::min() + 1, 1, 1), "  /  /    "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.date.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(DateToText(c.date), c.text);
        // Every date text written reads back as the same day.
        if (c.text.trimmed().size() == 10) {
            EXPECT_EQ(TextToDate(c.text), c.date);
        }
    }
}

TEST(TextToDate, ReadsDatesAndExplainsFailures)
{
    struct Case
    {
        QString text;
        QDate date;
        QString message;
    } cases[] = {
        {"09/12/2550", QDate(2007, 12, 9), ""},
        {"  01/01/2551 ", QDate(2008, 1, 1), ""}, // surrounding blanks are ignored
        {"29/02/2551", QDate(2008, 2, 29), ""},
        {"", QDate(), IncompleteMessage},
        {"  /  /    ", QDate(), IncompleteMessage}, // the empty date text
        {"1/1/2550", QDate(), IncompleteMessage},
        {"31/04/2550", QDate(), WrongMessage},
        {"29/02/2550", QDate(), WrongMessage},
        {"00/01/2550", QDate(), WrongMessage},
        {"15/13/2550", QDate(), WrongMessage},
        {"aa/01/2550", QDate(), WrongMessage},
        {"01/01/25x0", QDate(), WrongMessage},
        {"01-01-2550", QDate(), WrongMessage},
        {"01/01/0500", QDate(), WrongMessage}, // before the Christian era
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        QString message = "stale";
        EXPECT_EQ(TextToDate(c.text, &message), c.date);
        EXPECT_EQ(message, c.message);
    }
}

TEST(TextToDate, RoundTripsWithDateToText)
{
    for (QDate d(2007, 12, 25); d <= QDate(2008, 3, 5); d = d.addDays(1))
        EXPECT_EQ(TextToDate(DateToText(d)), d);
}

TEST(IsValidDateText, AcceptsOnlyRealDays)
{
    struct Case
    {
        QString text;
        bool valid;
    } cases[] = {
        {"29/02/2551", true},  // 2008 is a leap year
        {"29/02/2550", false},
        {"29/02/2543", true},  // 2000 is a leap year
        {"29/02/2443", true},  // every year divisible by 4 counts, 1900 too
        {"31/12/2550", true},
        {"31/04/2550", false},
        {"30/04/2550", true},
        {"15/13/2550", false},
        {"15/00/2550", false},
        {"00/01/2550", true},  // no lower bound for the day
        {"1/1/2550", false},
        {" 01/01/2550 ", true},
        {"", false},
        {"  /  /    ", false},
        // Non-digits where digits belong, and other separators.
        {"ab/01/2550", false},
        {"01/0x/2550", false},
        {"01/01/25 0", false},
        {"-1/01/2550", false},
        {"01.01.2550", true}, // the separators are not examined
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(IsValidDateText(c.text), c.valid);
    }
}

TEST(IsNumberText, AcceptsWhatAUserTypesAsANumber)
{
    struct Case
    {
        QString text;
        bool number;
    } cases[] = {
        {"0", true},      {"12", true},      {"12.5", true},    {"-3", true},
        {"+4.25", true},  {".5", true},      {"5.", true},      {" 7 ", true},
        {"1e5", true},    {"2.5E-3", true},  {"-1.5e+2", true}, {"\t3\n", true},
        {"", false},      {"  ", false},     {"abc", false},    {"1,000", false},
        {"1.2.3", false}, {"--1", false},    {"12a", false},    {"1e", false},
        {"e5", false},    {"1e2.5", false},  {"0x10", false},   {"1e400", false}, // beyond a double
        {"nan", false},   {"NaN", false},    {"inf", false},    {"-inf", false},
        {"infinity", false},
        {".", false},     {"-", false},      {"1 2", false},    {QStringLiteral(u"๑๒"), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        QString message = "stale";
        EXPECT_EQ(IsNumberText(c.text, &message), c.number);
        EXPECT_EQ(message, c.number ? QString() : NumberMessage);
        // What passes the check must convert for the caller that reads the value.
        bool converts = false;
        c.text.toDouble(&converts);
        if (c.number) {
            EXPECT_TRUE(converts);
        }
    }
}

TEST(MonthTexts, GiveFirstAndLastDayOfTheMonth)
{
    struct Case
    {
        int month;
        int year;
        QString start;
        QString end;
    } cases[] = {
        {2, 2551, "01/02/2551", "29/02/2551"},
        {2, 2550, "01/02/2550", "28/02/2550"},
        {2, 2543, "01/02/2543", "29/02/2543"},
        {2, 2443, "01/02/2443", "29/02/2443"}, // divisible by 4: 29 days, 1900 too
        {7, 2550, "01/07/2550", "31/07/2550"},
        {4, 2550, "01/04/2550", "30/04/2550"},
        {12, 2567, "01/12/2567", "31/12/2567"},
        {0, 2550, "", ""},
        {13, 2550, "", ""},
        // Extreme years are written unchanged; taking the era offset once overflowed.
        {2, std::numeric_limits<int>::min(), "01/02/-2147483648", "28/02/-2147483648"},
        {2, std::numeric_limits<int>::max(), "01/02/2147483647", "29/02/2147483647"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.month << "/" << c.year);
        EXPECT_EQ(MonthStartText(c.month, c.year), c.start);
        EXPECT_EQ(MonthEndText(c.month, c.year), c.end);
        if (c.end.size() == 10 && c.year != 2443) {
            EXPECT_TRUE(IsValidDateText(c.start));
            EXPECT_TRUE(IsValidDateText(c.end));
        }
    }
}

TEST(ZeroPad, PadsRunningNumbers)
{
    struct Case
    {
        QString text;
        int width;
        QString padded;
    } cases[] = {
        {"12", 6, "000012"},   {"  ", 6, ""},          {"", 6, ""},
        {"7654321", 6, "7654321"}, {"123456", 6, "123456"}, {" 5 ", 3, "005"},
        {"1", 1, "1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(ZeroPad(c.text, c.width), c.padded);
    }
}

TEST(FirstWord, TakesTheTextBeforeTheFirstBlank)
{
    struct Case
    {
        QString text;
        QString word;
    } cases[] = {
        {QStringLiteral(u"123/4 ถนนสุขุมวิท"), "123/4"},
        {"one two three", "one"},
        {QStringLiteral(u"กรุงเทพฯ"), ""}, // no blank: no first word
        {" leading", ""},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FirstWord(c.text), c.word);
}

TEST(DateKey, OrdersByYearMonthDay)
{
    EXPECT_EQ(DateKey(QStringLiteral("09/12/2550")), "25501209");
    EXPECT_EQ(DateKey(QDate(2008, 1, 1)), "25510101");
    EXPECT_EQ(DateKey(QDate()), "        ");
    EXPECT_LT(DateKey(QStringLiteral("31/12/2550")), DateKey(QStringLiteral("01/01/2551")));
}

} // namespace
