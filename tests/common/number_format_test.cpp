#include "common/number_format.h"

#include <gtest/gtest.h>

#include <limits>

#include "qt_printers.h"

namespace {

struct MaskCase
{
    double value;
    const char *mask;
    QString text;
};

TEST(FormatMask, FormatsReportMasks)
{
    const MaskCase cases[] = {
        // Money with required digits.
        {1234567.891, "###,###,##0.00", "1,234,567.89"},
        {0, "###,###,##0.00", "0.00"},
        {0.5, "###,###,##0.00", "0.50"},
        {999.995, "###,###,##0.00", "1,000.00"},
        {-1234.5, "##,###,##0.00", "-1,234.50"},
        {123456789012.0, "##,###,##0.00", "123,456,789,012.00"}, // more digits than the mask
        {12, "##,###,##0.00", "12.00"},
        // Whole numbers.
        {1234.4, "###,###,##0", "1,234"},
        {1234.5, "###,###,##0", "1,235"},
        {0.4, "###,###,##0", "0"},
        {-2.5, "###,###,##0", "-3"},
        // No required digit: zero prints nothing.
        {0, "##,###,###", ""},
        {0.4, "##,###,###", ""},
        {0.5, "##,###,###", "1"},
        {1234567, "##,###,###", "1,234,567"},
        {-1234, "##,###,###", "-1,234"},
        // No thousands separator.
        {1234567.5, "#######0.00", "1234567.50"},
        {210, "#######0.00", "210.00"},
        // Optional and required digits elsewhere.
        {7, "000", "007"},
        {1.5, "0.0#", "1.5"},
        {1.234, "0.0#", "1.23"},
        {0.25, "#.00", ".25"},
        {3, "0.##", "3"},
        {12.5, "0.00 %", "12.50 %"},
    };
    for (const MaskCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " with " << c.mask);
        EXPECT_EQ(FormatMask(c.value, QString::fromLatin1(c.mask)), c.text);
    }
}

TEST(FormatMask, RoundsHalfAwayFromZeroOnTheDecimalValue)
{
    const MaskCase cases[] = {
        {2.675, "0.00", "2.68"},   // stored as 2.67499999...
        {1.005, "0.00", "1.01"},   // stored as 1.00499999...
        {-2.675, "0.00", "-2.68"},
        {0.125, "0.00", "0.13"},
        {1.15 * 3, "0.0", "3.5"},  // 3.4499999999999997 after the multiplication
        {0.1 + 0.2, "0.00", "0.30"},
        {0.994999, "0.00", "0.99"},
        {9.995, "0.00", "10.00"},
        {2.5, "0", "3"},
        {-0.5, "0", "-1"},
    };
    for (const MaskCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " with " << c.mask);
        EXPECT_EQ(FormatMask(c.value, QString::fromLatin1(c.mask)), c.text);
    }
}

TEST(FormatMask, NeverPrintsMinusZero)
{
    const MaskCase cases[] = {
        {-0.0, "###,###,##0.00", "0.00"},
        {-0.004, "###,###,##0.00", "0.00"},
        {-0.4, "###,###,##0", "0"},
        {-0.4, "##,###,###", ""},
        {-0.005, "###,###,##0.00", "-0.01"},
    };
    for (const MaskCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " with " << c.mask);
        EXPECT_EQ(FormatMask(c.value, QString::fromLatin1(c.mask)), c.text);
    }
}

TEST(FormatGeneral, GivesTheShortestReadableForm)
{
    struct Case
    {
        double value;
        QString text;
    } cases[] = {
        {2.5, "2.5"},
        {3, "3"},
        {0, "0"},
        {-0.0, "0"},
        {1234567.5, "1234567.5"},
        {0.1 + 0.2, "0.3"},
        {-12.75, "-12.75"},
        {100, "100"},
        {0.0001, "0.0001"},
        {0.00012345, "0.00012345"},
        {123456789012345.0, "123456789012345"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        // Exponent form for very large and very small magnitudes.
        {1e15, "1E15"},
        {999999999999999.9, "1E15"},
        {-2.25e20, "-2.25E20"},
        {0.000015, "1.5E-5"},
        {1e-10, "1E-10"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value);
        EXPECT_EQ(FormatGeneral(c.value), c.text);
    }
}

} // namespace
