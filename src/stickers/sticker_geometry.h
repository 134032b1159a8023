#pragma once

#include "report/barcode.h"
#include "report/report_types.h"

#include <QList>
#include <QString>

// The sticker sheets the program prints: the three sheet types of the sticker job in either
// symbology, and the product register's own EAN-13 sheet.
enum class StickerSheet { A4, A9, A10, Register };

// Where the stickers of one sheet are, in millimetres. Box and strip positions are measured from
// the top-left corner of the printable area (inside the margins). A list of per-row values holds
// either one value for every row or one value per row.
struct StickerSheetGeometry
{
    QString className;
    StickerSheet sheet;
    Symbology symbology;

    double paperWidth;
    double paperHeight;
    // Top and left margins are the job's offsets on the A9 and A10 sheets.
    bool jobOffsets;
    double marginTop;
    double marginLeft;
    double marginRight;
    double marginBottom;

    int columns;
    int rows;
    double boxWidth;
    QList<double> boxHeights;       // per row
    QList<QList<double>> columnLefts; // per column, each per row
    QList<double> rowTops;

    // The name strip of each sticker (the register sheet has one heading strip instead).
    double stripWidth;
    double stripHeight;
    double stripAbove;              // how far the strip's top lies above the box's top (0: same corner)
    QList<double> namePointSizes;   // EucrosiaUPC, per row

    // The register sheet's heading strip.
    Box heading;
    double headingPointSize = 0;

    FontRequest digitsFont;         // the human-readable text under the bars

    // Horizontal dotted cut lines.
    double cutLeft;
    double cutLength;
    QList<double> cutHeights;

    int positions() const { return columns * rows; }
    // Position k (1-based) lies in row ceil(k / 3), column ((k - 1) mod 3) + 1; rows and columns
    // here are 0-based.
    static int rowOf(int k, int columns) { return (k - 1) / columns; }
    static int columnOf(int k, int columns) { return (k - 1) % columns; }

    double boxLeft(int row, int column) const;
    double boxHeight(int row) const;
    double namePointSize(int row) const;
};

// The geometry of a sheet; the register sheet is always EAN-13.
const StickerSheetGeometry &StickerGeometry(StickerSheet sheet, Symbology symbology);
// Every geometry, the register sheet last.
const QList<StickerSheetGeometry> &StickerGeometries();
