#include "report/page_painter.h"
#include "report/fonts.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

constexpr double kPixelsPerMm = 20;
const QSizeF kSheet(120, 60);

PageItem TextItem(const QString &text, QRectF rect, const FontRequest &font, Align align = Align::Left)
{
    PageItem item;
    item.kind = ElementKind::Text;
    item.text = text;
    item.rect = rect;
    item.font = font;
    item.align = align;
    return item;
}

// The inked area of an image in millimetres: left, top, right, bottom of the dark pixels.
struct Ink
{
    double left = 1e9, top = 1e9, right = -1, bottom = -1;
    bool any() const { return right >= 0; }
};

Ink InkOf(const QImage &image, QRectF withinMm = QRectF(0, 0, 1e9, 1e9))
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QPointF mm((x + 0.5) / kPixelsPerMm, (y + 0.5) / kPixelsPerMm);
            if (!withinMm.contains(mm) || qGray(image.pixel(x, y)) >= 128)
                continue;
            ink.left = std::min(ink.left, x / kPixelsPerMm);
            ink.right = std::max(ink.right, (x + 1) / kPixelsPerMm);
            ink.top = std::min(ink.top, y / kPixelsPerMm);
            ink.bottom = std::max(ink.bottom, (y + 1) / kPixelsPerMm);
        }
    }
    return ink;
}

QImage Render(const QList<PageItem> &items)
{
    Page page;
    page.items = items;
    return RenderPageImage(page, kSheet, kPixelsPerMm);
}

TEST(PagePainter, FacesOfOneRowShareTheBaseline)
{
    // Capital H stands on the baseline; both faces at the same requested size and top.
    const QImage image = Render({TextItem("HHH", {5, 10, 40, 0}, Font("EucrosiaUPC", 14)),
                                 TextItem("HHH", {60, 10, 40, 0}, Font("CordiaUPC", 14))});
    const Ink serif = InkOf(image, QRectF(0, 0, 50, 60));
    const Ink sans = InkOf(image, QRectF(55, 0, 60, 60));
    ASSERT_TRUE(serif.any() && sans.any());
    EXPECT_NEAR(serif.bottom, sans.bottom, 0.06);
    EXPECT_NEAR(serif.bottom, 10 + BaselineOffsetMm(Font("EucrosiaUPC", 14)), 0.1);
}

TEST(PagePainter, TextNeverDrawsOutsideItsFrameWidth)
{
    const struct
    {
        const char *name;
        Align align;
    } cases[] = {{"Left", Align::Left}, {"Center", Align::Center}, {"Right", Align::Right}};
    const QString longText = QStringLiteral("ห้างหุ้นส่วนจำกัด ลาร์เดอรอน เทรดดิ้ง สาขาที่ 0001");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = Render({TextItem(longText, {30, 20, 25, 0}, Font("EucrosiaUPC", 14), c.align)});
        const Ink ink = InkOf(image);
        ASSERT_TRUE(ink.any());
        EXPECT_GE(ink.left, 30 - 0.05);
        EXPECT_LE(ink.right, 55 + 0.05);
        // Cut at the edge, not shrunk: the ink runs from edge to edge.
        EXPECT_LT(ink.left, 30.5);
        EXPECT_GT(ink.right, 54.5);
    }
}

// Vertical strokes crossing the row y (in millimetres) of the image.
int StemsAcross(const QImage &image, double y)
{
    const int row = int(y * kPixelsPerMm);
    int stems = 0;
    bool inStem = false;
    for (int x = 0; x < image.width(); ++x) {
        const bool dark = qGray(image.pixel(x, row)) < 128;
        stems += dark && !inStem ? 1 : 0;
        inStem = dark;
    }
    return stems;
}

TEST(PagePainter, SlightlyTooWideTextIsCondensedToItsFrame)
{
    const FontRequest font = Font("EucrosiaUPC", 14);
    const double width = TextWidthMm("HHHHHHHHHH", font);
    const double stemRow = 20 + BaselineOffsetMm(font) - 1;
    const struct
    {
        const char *name;
        double frameWidth;
        bool whole;
    } cases[] = {{"Fits", width + 1, true}, {"TenPercentWider", width * 0.9, true},
                 {"HalfAgainAsWide", width / 1.5, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = Render({TextItem("HHHHHHHHHH", {10, 20, c.frameWidth, 0}, font, Align::Right)});
        const Ink ink = InkOf(image);
        EXPECT_GE(ink.left, 10 - 0.05);
        EXPECT_LE(ink.right, 10 + c.frameWidth + 0.05);
        if (c.whole) {
            EXPECT_EQ(StemsAcross(image, stemRow), 20);
        } else {
            EXPECT_LT(StemsAcross(image, stemRow), 20);
        }
    }
}

TEST(PagePainter, ShortTextKeepsItsAlignment)
{
    const struct
    {
        const char *name;
        Align align;
        double expectedLeft;  // of the ink, roughly
        double expectedRight;
    } cases[] = {{"Left", Align::Left, 30, -1}, {"Right", Align::Right, -1, 90}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Ink ink = InkOf(Render({TextItem("1,234.50", {30, 20, 60, 0}, Font("CordiaUPC", 14), c.align)}));
        ASSERT_TRUE(ink.any());
        if (c.expectedLeft >= 0) {
            EXPECT_NEAR(ink.left, c.expectedLeft, 0.5);
        }
        if (c.expectedRight >= 0) {
            EXPECT_NEAR(ink.right, c.expectedRight, 0.5);
        }
    }
    const Ink centred = InkOf(Render({TextItem("1,234.50", {30, 20, 60, 0}, Font("CordiaUPC", 14), Align::Center)}));
    EXPECT_NEAR((centred.left + centred.right) / 2, 60, 0.5);
}

TEST(PagePainter, WrappedTextShowsTheLinesThatFitItsFrame)
{
    PageItem item = TextItem(QStringLiteral("สินค้า ทดสอบ ").repeated(12), {10, 10, 30, 12},
                             Font("EucrosiaUPC", 14));
    item.wordWrap = true;
    const Ink ink = InkOf(Render({item}));
    ASSERT_TRUE(ink.any());
    EXPECT_GE(ink.left, 10 - 0.05);
    EXPECT_LE(ink.right, 40 + 0.05);
    EXPECT_GT(ink.bottom, 10 + 2 * LineHeightMm(item.font)); // more than one line
    EXPECT_LE(ink.bottom, 22 + 0.05);                        // none below the frame
}

TEST(PagePainter, RulesAndFramesAtTheirPlaces)
{
    PageItem frame;
    frame.kind = ElementKind::Rectangle;
    frame.rect = QRectF(10, 10, 50, 20);
    frame.penWidth = 0.5;
    PageItem rule;
    rule.kind = ElementKind::Line;
    rule.rect = QRectF(70, 40, 40, 0);
    rule.penWidth = 0.5;
    const QImage image = Render({frame, rule});
    const Ink box = InkOf(image, QRectF(0, 0, 65, 35));
    EXPECT_NEAR(box.left, 9.75, 0.06);
    EXPECT_NEAR(box.top, 9.75, 0.06);
    EXPECT_NEAR(box.right, 60.25, 0.06);
    EXPECT_NEAR(box.bottom, 30.25, 0.06);
    const Ink line = InkOf(image, QRectF(65, 35, 55, 25));
    EXPECT_NEAR(line.left, 70, 0.06);
    EXPECT_NEAR(line.right, 110, 0.06);
    EXPECT_NEAR(line.top, 39.75, 0.06);
    EXPECT_NEAR(line.bottom, 40.25, 0.06);
}

} // namespace
