#include "report/page_setup.h"

#include <gtest/gtest.h>

namespace {

struct MarginCase
{
    const char *name;
    Margins given;
    Margins expected;
};

class PageSetupMargins : public testing::TestWithParam<MarginCase>
{
};

TEST_P(PageSetupMargins, NegativeMarginsBecomeZero)
{
    const MarginCase &c = GetParam();
    PageSetup page = PageSetup::letter();
    page.setMargins(c.given.left, c.given.top, c.given.right, c.given.bottom);
    EXPECT_DOUBLE_EQ(page.margins().left, c.expected.left);
    EXPECT_DOUBLE_EQ(page.margins().top, c.expected.top);
    EXPECT_DOUBLE_EQ(page.margins().right, c.expected.right);
    EXPECT_DOUBLE_EQ(page.margins().bottom, c.expected.bottom);

    const QRectF printable = page.printableRect();
    EXPECT_DOUBLE_EQ(printable.left(), c.expected.left);
    EXPECT_DOUBLE_EQ(printable.top(), c.expected.top);
    EXPECT_NEAR(printable.right(), 215.9 - c.expected.right, 1e-9);
    EXPECT_NEAR(printable.bottom(), 279.4 - c.expected.bottom, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageSetupMargins,
    testing::Values(
        // top 5, left 3: bottom 12.5 - 5
        MarginCase{"DocumentMargins", {3, 5, 5.08, 7.5}, {3, 5, 5.08, 7.5}},
        // top 20 leaves 12.5 - 20 below zero
        MarginCase{"NegativeBottom", {3, 20, 5.08, -7.5}, {3, 20, 5.08, 0}},
        MarginCase{"AllNegative", {-1, -2, -3, -4}, {0, 0, 0, 0}},
        MarginCase{"Zero", {0, 0, 0, 0}, {0, 0, 0, 0}}),
    [](const testing::TestParamInfo<MarginCase> &info) { return std::string(info.param.name); });

TEST(PageSetup, OrientationTurnsTheSheet)
{
    const PageSetup portrait(215.9, 139.7);
    EXPECT_DOUBLE_EQ(portrait.paperWidth(), 215.9);
    EXPECT_DOUBLE_EQ(portrait.paperHeight(), 139.7);

    const PageSetup landscape = PageSetup::a4(Orientation::Landscape);
    EXPECT_DOUBLE_EQ(landscape.paperWidth(), 297.0);
    EXPECT_DOUBLE_EQ(landscape.paperHeight(), 210.0);
}

TEST(PageSetup, MarginsWiderThanThePaperLeaveAnEmptyPrintableArea)
{
    PageSetup page(100, 50);
    page.setMargins(60, 30, 60, 30);
    EXPECT_DOUBLE_EQ(page.printableRect().width(), 0.0);
    EXPECT_DOUBLE_EQ(page.printableRect().height(), 0.0);
}

} // namespace
