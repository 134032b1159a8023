#include "report/field_text.h"
#include "report/report_layout.h"

#include <gtest/gtest.h>

namespace {

struct FieldCase
{
    const char *name;
    QVariant value;
    const char *mask;
    const char *expected;
};

class DataFieldText : public testing::TestWithParam<FieldCase>
{
};

// Each value goes through a real report: a detail band with one field bound to column "V".
TEST_P(DataFieldText, PrintsTheFormattedValue)
{
    const FieldCase &c = GetParam();
    Report report;
    report.detail = Band(6.6);
    report.detail.add(Field("qty", "V", {147.9, 0.0, 23.3}, Font("CordiaUPC", 14), Align::Center,
                            QString::fromUtf8(c.mask)));
    report.data = std::make_shared<RowList>(QList<QVariantMap>{{{"V", c.value}}});

    const ReportDocument document = LayoutReport(report);
    ASSERT_EQ(document.pages.size(), 1);
    const PageItem *item = document.pages[0].find("qty");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text, QString::fromUtf8(c.expected));
    EXPECT_EQ(FieldText(c.value, QString::fromUtf8(c.mask)), QString::fromUtf8(c.expected));
}

const char *const kMoney = "###,###,##0.00";

INSTANTIATE_TEST_SUITE_P(
    Cases, DataFieldText,
    testing::Values(
        FieldCase{"MaskThousands", QVariant(1234.5), kMoney, "1,234.50"},
        FieldCase{"MaskZero", QVariant(0.0), kMoney, "0.00"},
        FieldCase{"MaskNegativeMillions", QVariant(-1234567.891), kMoney, "-1,234,567.89"},
        FieldCase{"MaskRoundsHalfUp", QVariant(2.675), kMoney, "2.68"},
        FieldCase{"MaskInteger", QVariant(qlonglong(42)), kMoney, "42.00"},
        FieldCase{"MaskNumericText", QVariant(QStringLiteral("12.5")), kMoney, "12.50"},
        FieldCase{"MaskPlainText", QVariant(QStringLiteral("ABC")), kMoney, "ABC"},
        FieldCase{"GeneralFraction", QVariant(2.5), "", "2.5"},
        FieldCase{"GeneralWhole", QVariant(3.0), "", "3"},
        FieldCase{"GeneralNoSeparators", QVariant(1234567.5), "", "1234567.5"},
        FieldCase{"CodeKeepsLeadingZeros", QVariant(QStringLiteral("000123")), "", "000123"},
        FieldCase{"ThaiText", QVariant(QStringLiteral("กล่อง")), "", "กล่อง"},
        FieldCase{"NullPrintsNothing", QVariant(), kMoney, ""}),
    [](const testing::TestParamInfo<FieldCase> &info) { return std::string(info.param.name); });

TEST(DataField, MissingColumnPrintsNothingAndColumnNamesIgnoreCase)
{
    Report report;
    report.detail = Band(6.6);
    report.detail.add(Field("code", "pro_no", {3.4, 0, 37}, Font("EucrosiaUPC", 14)));
    report.detail.add(Field("missing", "NO_SUCH", {50, 0, 20}, Font("EucrosiaUPC", 14)));
    report.data = std::make_shared<RowList>(QList<QVariantMap>{{{"PRO_NO", "P-001"}}});

    const ReportDocument document = LayoutReport(report);
    ASSERT_EQ(document.pages.size(), 1);
    EXPECT_EQ(document.pages[0].find("code")->text, QStringLiteral("P-001"));
    EXPECT_EQ(document.pages[0].find("missing")->text, QString());
}

} // namespace
