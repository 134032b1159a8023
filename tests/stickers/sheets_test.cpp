#include "stickers/sticker_sheet.h"

#include "../common/qt_printers.h"
#include "report/report_layout.h"

#include <gtest/gtest.h>

namespace {

StickerSheetValues AllSlots(bool names = false, bool lines = false, int alignment = 1)
{
    StickerSheetValues values;
    values.barcode = QStringLiteral("8850999320014");
    values.productName = QStringLiteral("น้ำดื่ม ขวด 600 มล.");
    values.printedSlots.fill(true);
    values.printName = names;
    values.printLines = lines;
    values.alignment = alignment;
    values.topOffset = 2;
    values.leftOffset = 6;
    return values;
}

ReportDocument Sheet(StickerSheet sheet, Symbology symbology, const StickerSheetValues &values)
{
    return LayoutReport(BuildStickerSheet(StickerGeometry(sheet, symbology), values));
}

// Boxes as the sheets' measurements give them, from the top-left corner of the printable area.
struct BoxCase
{
    const char *name;
    StickerSheet sheet;
    Symbology symbology;
    int position;
    double left, top, width, height;
};

const BoxCase kBoxes[] = {
    {"A4Ean13First", StickerSheet::A4, Symbology::Ean13, 1, 6.9, 10.6, 29.9, 15.1},
    {"A4Ean13Last", StickerSheet::A4, Symbology::Ean13, 30, 126.5, 203.7, 29.9, 15.1},
    {"A4Code128Middle", StickerSheet::A4, Symbology::Code128, 17, 61.1, 107.7, 31.75, 13.2},
    {"A9Ean13", StickerSheet::A9, Symbology::Ean13, 9, 113.2, 46.6, 29.9, 14.55},
    {"A9Code128Row4Exception", StickerSheet::A9, Symbology::Code128, 12, 112.2, 68.3, 31.75, 14.55},
    {"A9Code128Row5", StickerSheet::A9, Symbology::Code128, 15, 112.4, 90.0, 31.75, 14.55},
    {"A10Ean13Row2", StickerSheet::A10, Symbology::Ean13, 5, 59.5, 34.9, 29.9, 14.3},
    {"A10Ean13Row4", StickerSheet::A10, Symbology::Ean13, 12, 112.7, 91.0, 29.9, 14.3},
    {"A10Ean13Row8", StickerSheet::A10, Symbology::Ean13, 23, 58.2, 202.9, 29.9, 14.0},
    {"A10Code128", StickerSheet::A10, Symbology::Code128, 24, 112.7, 199.8, 31.75, 15.1},
    {"RegisterFirst", StickerSheet::Register, Symbology::Ean13, 1, 11.4, 25.4, 29.9, 15.1},
    {"RegisterLast", StickerSheet::Register, Symbology::Ean13, 30, 131.0, 218.5, 29.9, 15.1},
};

class StickerBoxes : public testing::TestWithParam<BoxCase>
{
};

TEST_P(StickerBoxes, SitWhereTheSheetMeasuresThem)
{
    const BoxCase &c = GetParam();
    const ReportDocument document = Sheet(c.sheet, c.symbology, AllSlots());
    ASSERT_EQ(document.pages.size(), 1);
    const QPointF origin = document.page.printableRect().topLeft();
    const PageItem *box = document.pages[0].find(QStringLiteral("barcode_%1").arg(c.position));
    ASSERT_TRUE(box);
    EXPECT_NEAR(box->rect.left() - origin.x(), c.left, 0.05);
    EXPECT_NEAR(box->rect.top() - origin.y(), c.top, 0.05);
    EXPECT_NEAR(box->rect.width(), c.width, 0.05);
    EXPECT_NEAR(box->rect.height(), c.height, 0.05);
    EXPECT_EQ(box->symbology, c.symbology);
}

INSTANTIATE_TEST_SUITE_P(Sheets, StickerBoxes, testing::ValuesIn(kBoxes),
                         [](const testing::TestParamInfo<BoxCase> &info) { return std::string(info.param.name); });

TEST(StickerSheets, PaperAndMargins)
{
    const struct
    {
        const char *name;
        StickerSheet sheet;
        Symbology symbology;
        double width, height, left, top, right, bottom;
    } cases[] = {
        {"A4Ean13OnLetter", StickerSheet::A4, Symbology::Ean13, 215.9, 279.4, 10, 10, 10, 10},
        {"A4Code128", StickerSheet::A4, Symbology::Code128, 210, 297, 10, 10, 10, 10},
        // The job's offsets (top 2, left 6) place the A9 and A10 sheets, never the A4 ones.
        {"A9Ean13", StickerSheet::A9, Symbology::Ean13, 160, 220, 6, 2, 1, 0},
        {"A9Code128", StickerSheet::A9, Symbology::Code128, 160, 220, 6, 2, 1, 1},
        {"A10Ean13", StickerSheet::A10, Symbology::Ean13, 160, 220, 6, 2, 1, 1},
        {"A10Code128", StickerSheet::A10, Symbology::Code128, 160, 220, 6, 2, 1, 0},
        {"Register", StickerSheet::Register, Symbology::Ean13, 215.9, 279.4, 10, 10, 10, 10},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const PageSetup page = Sheet(c.sheet, c.symbology, AllSlots()).page;
        EXPECT_DOUBLE_EQ(page.paperWidth(), c.width);
        EXPECT_DOUBLE_EQ(page.paperHeight(), c.height);
        EXPECT_DOUBLE_EQ(page.margins().left, c.left);
        EXPECT_DOUBLE_EQ(page.margins().top, c.top);
        EXPECT_DOUBLE_EQ(page.margins().right, c.right);
        EXPECT_DOUBLE_EQ(page.margins().bottom, c.bottom);
    }
}

TEST(StickerSheets, SlotsNamesAndAlignment)
{
    // All slots, names and lines off: the barcodes and nothing else.
    for (const StickerSheetGeometry &g : StickerGeometries()) {
        if (g.sheet == StickerSheet::Register)
            continue;
        SCOPED_TRACE(g.className.toStdString());
        const Page page = Sheet(g.sheet, g.symbology, AllSlots()).pages.at(0);
        EXPECT_EQ(page.items.size(), g.positions());
        EXPECT_EQ(page.count("barcode_1"), 1);
        EXPECT_EQ(page.find("barcode_1")->barcodeClearTop, 0);
    }

    // Slot 1 off, names on, right-aligned: position 1 is empty, every other carries both.
    StickerSheetValues values = AllSlots(true, false, 2);
    values.printedSlots[1] = false;
    const Page page = Sheet(StickerSheet::A4, Symbology::Ean13, values).pages.at(0);
    EXPECT_FALSE(page.find("barcode_1"));
    EXPECT_FALSE(page.find("name_1"));
    for (int k = 2; k <= 30; ++k) {
        const PageItem *barcode = page.find(QStringLiteral("barcode_%1").arg(k));
        const PageItem *name = page.find(QStringLiteral("name_%1").arg(k));
        ASSERT_TRUE(barcode && name) << k;
        EXPECT_EQ(name->text, values.productName);
        EXPECT_EQ(name->align, Align::Right);
        EXPECT_EQ(name->rect.topLeft(), barcode->rect.topLeft()) << "strip over the box's top";
        EXPECT_NEAR(name->rect.width(), 30, 1e-9);
        EXPECT_NEAR(barcode->barcodeClearTop, 5.3, 1e-9) << "the bars leave the strip free";
    }
    EXPECT_EQ(page.count("cut_line_1"), 0);
}

TEST(StickerSheets, NameStripsAboveTheBoxOnA10)
{
    const struct
    {
        Symbology symbology;
        double above;
        double width;
    } cases[] = {{Symbology::Ean13, 5.0, 30.2}, {Symbology::Code128, 2.1, 32}};
    for (const auto &c : cases) {
        const Page page = Sheet(StickerSheet::A10, c.symbology, AllSlots(true)).pages.at(0);
        const PageItem *barcode = page.find("barcode_7");
        const PageItem *name = page.find("name_7");
        ASSERT_TRUE(barcode && name);
        EXPECT_NEAR(barcode->rect.top() - name->rect.top(), c.above, 1e-9);
        EXPECT_NEAR(name->rect.width(), c.width, 1e-9);
        EXPECT_NEAR(name->rect.height(), 5.3, 1e-9);
        EXPECT_NEAR(barcode->barcodeClearTop, 5.3 - c.above, 1e-9);
    }
    // The A4 Code 128 names are one point smaller from the third row on.
    const Page a4 = Sheet(StickerSheet::A4, Symbology::Code128, AllSlots(true)).pages.at(0);
    EXPECT_EQ(a4.find("name_6")->font.pointSize, 12);
    EXPECT_EQ(a4.find("name_7")->font.pointSize, 11);
}

TEST(StickerSheets, CutLines)
{
    const struct
    {
        const char *name;
        StickerSheet sheet;
        Symbology symbology;
        int count;
        double left, length, first, last;
    } cases[] = {
        {"A4Ean13", StickerSheet::A4, Symbology::Ean13, 11, 4.2, 178.3, 7.0, 221.6},
        {"A4Code128", StickerSheet::A4, Symbology::Code128, 10, 0.3, 178.3, 18.4, 210.5},
        {"A9Ean13", StickerSheet::A9, Symbology::Ean13, 9, 0.8, 144.5, 20.5, 198.3},
        {"A9Code128", StickerSheet::A9, Symbology::Code128, 9, 0.8, 144.5, 20.0, 198.3},
        {"A10Ean13", StickerSheet::A10, Symbology::Ean13, 7, 0.8, 144.5, 26.6, 195.4},
        {"A10Code128", StickerSheet::A10, Symbology::Code128, 7, 0.8, 144.5, 26.3, 195.1},
        {"Register", StickerSheet::Register, Symbology::Ean13, 11, 8.7, 178.3, 20.5, 235.1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ReportDocument document = Sheet(c.sheet, c.symbology, AllSlots(false, true));
        const QPointF origin = document.page.printableRect().topLeft();
        const Page &page = document.pages.at(0);
        QList<const PageItem *> lines;
        for (const PageItem &item : page.items) {
            if (item.kind == ElementKind::Line)
                lines.append(&item);
        }
        ASSERT_EQ(lines.size(), c.count);
        for (const PageItem *line : lines) {
            EXPECT_TRUE(line->dotted);
            EXPECT_NEAR(line->rect.left() - origin.x(), c.left, 1e-9);
            EXPECT_NEAR(line->rect.width(), c.length, 1e-9);
            EXPECT_EQ(line->rect.height(), 0);
        }
        EXPECT_NEAR(lines.first()->rect.top() - origin.y(), c.first, 1e-9);
        EXPECT_NEAR(lines.last()->rect.top() - origin.y(), c.last, 1e-9);
        // The first line runs above the first row only on the A4 EAN-13 and register sheets.
        const double firstRow = page.find("barcode_1")->rect.top();
        const bool above = c.sheet == StickerSheet::Register ||
                           (c.sheet == StickerSheet::A4 && c.symbology == Symbology::Ean13);
        EXPECT_EQ(lines.first()->rect.top() < firstRow, above);
    }
}

TEST(StickerSheets, RegisterSheetPrintsItsHeadingThirtyBarcodesAndLines)
{
    StickerSheetValues values = RegisterSheetValues();
    values.barcode = QStringLiteral("8850999320019"); // a wrong check digit
    values.productName = QStringLiteral("น้ำดื่ม ขวด 600 มล.");
    const ReportDocument document = Sheet(StickerSheet::Register, Symbology::Ean13, values);
    const Page &page = document.pages.at(0);
    const QPointF origin = document.page.printableRect().topLeft();
    ASSERT_EQ(page.count("heading"), 1);
    const PageItem *heading = page.find("heading");
    EXPECT_EQ(heading->text, values.productName);
    EXPECT_EQ(heading->align, Align::Left);
    EXPECT_EQ(heading->rect.translated(-origin), QRectF(11.9, 13.0, 100.5, 6.4));
    int barcodes = 0, names = 0;
    for (const PageItem &item : page.items) {
        barcodes += item.kind == ElementKind::Barcode ? 1 : 0;
        names += item.tag.startsWith("name_") ? 1 : 0;
        if (item.kind == ElementKind::Barcode) {
            EXPECT_EQ(item.text, QStringLiteral("8850999320014"));
        }
    }
    EXPECT_EQ(barcodes, 30);
    EXPECT_EQ(names, 0);
    EXPECT_EQ(page.count("cut_line_11"), 1);
}

} // namespace
