#pragma once

#include "report/page_model.h"
#include "report/report_model.h"
#include "stickers/sticker_geometry.h"

#include <QString>

#include <array>
#include <memory>

// What a sticker sheet prints, as its opener hands it over.
struct StickerSheetValues
{
    QString barcode;
    QString productName;
    std::array<bool, 31> printedSlots{}; // 1-based
    bool printName = false;
    int alignment = 1; // 0 left, 1 centre, 2 right
    bool printLines = false;
    double topOffset = 0;  // A9 and A10 sheets only
    double leftOffset = 0;
};

// The sticker job's values from the shared state (StickerBarcode, StickerSlots, ...).
StickerSheetValues StickerJobValues();
// The product register's values from the shared state: its code on every one of the 30 stickers,
// its name in the heading, cut lines always.
StickerSheetValues RegisterSheetValues();

// The sheet as a one-page report: a barcode and a name strip per position, the cut lines, and on
// the register sheet its heading. A position whose slot is off prints neither; names print only
// when asked for and are aligned as asked; where a name strip lies over the top of the barcode box
// the bars leave it free.
Report BuildStickerSheet(const StickerSheetGeometry &geometry, const StickerSheetValues &values);

// BuildStickerSheet laid out, for the sheet and symbology of a job (values from the shared state).
std::shared_ptr<const ReportDocument> LayOutStickerSheet(StickerSheet sheet, Symbology symbology);

class QWidget;
// The product register's EAN-13 button: the register's sheet for RegisterStickerCode and
// RegisterStickerName of the shared state, in its print preview (returned; deleted when closed).
// A code EAN-13 cannot encode is refused with its message and nothing opens (nullptr).
QWidget *OpenRegisterStickerSheet();
