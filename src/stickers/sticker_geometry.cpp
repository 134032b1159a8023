#include "stickers/sticker_geometry.h"

namespace {

// One value for every row, or one per row.
double PerRow(const QList<double> &values, int row)
{
    return values.size() == 1 ? values.first() : values.value(row, values.last());
}

// The cut lines of the job sheets start somewhere between 0.3 and 1.3 mm; each sheet's lines
// start at the lower end of its range.
QList<StickerSheetGeometry> MakeGeometries()
{
    const FontRequest sans = Font(QStringLiteral("Sans"), 10);
    const QList<double> letterTops = {10.6, 32.0, 53.4, 74.9, 96.3, 117.7, 139.2, 160.6, 182.3, 203.7};
    QList<StickerSheetGeometry> sheets;

    sheets.append({"Tbarcode_a4_ean13", StickerSheet::A4, Symbology::Ean13,
                   215.9, 279.4, false, 10, 10, 10, 10,
                   3, 10, 29.9, {15.1}, {{6.9}, {66.7}, {126.5}}, letterTops,
                   30, 5.3, 0, {12}, {}, 0, sans,
                   4.2, 178.3, {7.0, 28.4, 49.9, 71.3, 92.7, 114.2, 135.6, 157.0, 178.5, 200.2, 221.6}});

    sheets.append({"Tbarcode_a4_128", StickerSheet::A4, Symbology::Code128,
                   210, 297, false, 10, 10, 10, 10,
                   3, 10, 31.75, {13.2}, {{1.3}, {61.1}, {120.9}},
                   {1.1, 22.5, 43.9, 65.4, 86.8, 107.7, 129.1, 150.5, 172.2, 193.7},
                   32, 5.3, 0, {12, 12, 11, 11, 11, 11, 11, 11, 11, 11}, {}, 0, sans,
                   0.3, 178.3, {18.4, 39.8, 61.3, 82.7, 103.8, 125.3, 146.7, 167.9, 189.3, 210.5}});

    sheets.append({"Tbarcode_a9_ean13", StickerSheet::A9, Symbology::Ean13,
                   160, 220, true, 0, 0, 1, 0,
                   3, 10, 29.9, {14.55}, {{4.8}, {59.0}, {113.2}},
                   {2.4, 24.1, 46.6, 68.8, 90.8, 113.0, 134.9, 157.4, 179.4, 201.1},
                   30.2, 5.3, 0, {12}, {}, 0, sans,
                   0.8, 144.5, {20.5, 42.2, 65.0, 86.4, 108.6, 130.8, 153.3, 175.0, 198.3}});

    sheets.append({"Tbarcode_a9_128", StickerSheet::A9, Symbology::Code128,
                   160, 220, true, 0, 0, 1, 1,
                   3, 10, 31.75, {14.55},
                   {{4.8}, {57.9}, {112.4, 112.4, 112.4, 112.2, 112.4, 112.4, 112.4, 112.4, 112.4, 112.4}},
                   {2.4, 24.1, 46.0, 68.3, 90.0, 112.7, 134.9, 156.4, 178.9, 201.1},
                   32, 5.3, 0, {12}, {}, 0, sans,
                   0.8, 144.5, {20.0, 42.2, 65.2, 86.7, 109.1, 131.1, 153.3, 175.0, 198.3}});

    sheets.append({"Tbarcode_a10_ean13", StickerSheet::A10, Symbology::Ean13,
                   160, 220, true, 0, 0, 1, 1,
                   3, 8, 29.9, {14.3, 14.3, 14.3, 14.3, 14.3, 14.3, 14.3, 14.0},
                   {{6.1},
                    {59.5, 59.5, 59.3, 59.3, 58.2, 58.2, 58.2, 58.2},
                    {113.0, 113.0, 112.7, 112.7, 111.7, 111.7, 111.7, 111.7}},
                   {7.7, 34.9, 63.2, 91.0, 118.8, 147.6, 175.7, 202.9},
                   30.2, 5.3, 5.0, {12}, {}, 0, Font(QStringLiteral("EucrosiaUPC"), 14),
                   0.8, 144.5, {26.6, 54.6, 82.7, 110.2, 138.2, 167.1, 195.4}});

    sheets.append({"Tbarcode_a10_128", StickerSheet::A10, Symbology::Code128,
                   160, 220, true, 0, 0, 1, 0,
                   3, 8, 31.75, {15.1}, {{6.1}, {59.3}, {112.7}},
                   {5.3, 32.8, 60.9, 87.8, 116.4, 144.5, 174.1, 199.8},
                   32, 5.3, 2.1, {12}, {}, 0, sans,
                   0.8, 144.5, {26.3, 54.4, 82.4, 109.9, 138.2, 166.8, 195.1}});

    sheets.append({"Tpbarcode13", StickerSheet::Register, Symbology::Ean13,
                   215.9, 279.4, false, 10, 10, 10, 10,
                   3, 10, 29.9, {15.1}, {{11.4}, {71.2}, {131.0}},
                   {25.4, 46.8, 68.3, 89.7, 111.1, 132.6, 154.0, 175.4, 197.1, 218.5},
                   0, 0, 0, {14}, {11.9, 13.0, 100.5, 6.4}, 14, sans,
                   8.7, 178.3, {20.5, 41.9, 63.4, 84.8, 106.2, 127.7, 149.1, 170.5, 192.0, 213.7, 235.1}});
    return sheets;
}

} // namespace

double StickerSheetGeometry::boxLeft(int row, int column) const
{
    return PerRow(columnLefts.at(column), row);
}

double StickerSheetGeometry::boxHeight(int row) const
{
    return PerRow(boxHeights, row);
}

double StickerSheetGeometry::namePointSize(int row) const
{
    return PerRow(namePointSizes, row);
}

const QList<StickerSheetGeometry> &StickerGeometries()
{
    static const QList<StickerSheetGeometry> sheets = MakeGeometries();
    return sheets;
}

const StickerSheetGeometry &StickerGeometry(StickerSheet sheet, Symbology symbology)
{
    for (const StickerSheetGeometry &g : StickerGeometries()) {
        if (g.sheet == sheet && (sheet == StickerSheet::Register || g.symbology == symbology))
            return g;
    }
    return StickerGeometries().last();
}
