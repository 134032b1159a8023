#include "stickers/sticker_sheet.h"

#include "common/shared_state.h"
#include "report/report_layout.h"
#include "report/report_preview.h"
#include "stickers/sticker_job.h"
#include "ui/dialogs.h"

namespace {

Align NameAlignment(int alignment)
{
    switch (alignment) {
    case 0:
        return Align::Left;
    case 2:
        return Align::Right;
    default:
        return Align::Center;
    }
}

FontRequest Eucrosia(double pointSize)
{
    return Font(QStringLiteral("EucrosiaUPC"), pointSize);
}

} // namespace

StickerSheetValues StickerJobValues()
{
    const SharedState &shared = Shared();
    StickerSheetValues values;
    values.barcode = shared.StickerBarcode;
    values.productName = shared.StickerProductName;
    values.printedSlots = shared.StickerSlots;
    values.printName = shared.StickerPrintName == 1;
    values.alignment = shared.StickerAlignment;
    values.printLines = shared.StickerPrintLines != 0;
    values.topOffset = shared.StickerTopMargin;
    values.leftOffset = shared.StickerLeftMargin;
    return values;
}

StickerSheetValues RegisterSheetValues()
{
    const SharedState &shared = Shared();
    StickerSheetValues values;
    values.barcode = shared.RegisterStickerCode;
    values.productName = shared.RegisterStickerName;
    values.printedSlots.fill(true);
    values.printLines = true;
    return values;
}

Report BuildStickerSheet(const StickerSheetGeometry &g, const StickerSheetValues &values)
{
    Report report;
    report.title = values.barcode;
    report.page = PageSetup(g.paperWidth, g.paperHeight);
    report.page.setMargins(g.jobOffsets ? values.leftOffset : g.marginLeft,
                           g.jobOffsets ? values.topOffset : g.marginTop, g.marginRight, g.marginBottom);
    Band &sheet = report.pageHeader;
    sheet.height = report.page.printableRect().height();

    const bool registerSheet = g.sheet == StickerSheet::Register;
    if (registerSheet) {
        sheet.add(Label(QStringLiteral("heading"), values.productName, g.heading,
                        Eucrosia(g.headingPointSize)));
    }
    for (int k = 1; k <= g.positions(); ++k) {
        const int row = StickerSheetGeometry::rowOf(k, g.columns);
        const int column = StickerSheetGeometry::columnOf(k, g.columns);
        const Box box{g.boxLeft(row, column), g.rowTops.at(row), g.boxWidth, g.boxHeight(row)};
        const bool printed = values.printedSlots.at(k);
        const bool named = printed && values.printName && !registerSheet;
        const Box strip{box.left, box.top - g.stripAbove, g.stripWidth, g.stripHeight};

        Element &barcode = sheet.add(Barcode(QStringLiteral("barcode_%1").arg(k), box, g.symbology,
                                             values.barcode, g.digitsFont)
                                         .withVisible(printed));
        if (named)
            barcode.barcodeClearTop = std::max(0.0, strip.top + strip.height - box.top);
        if (!registerSheet) {
            sheet.add(Label(QStringLiteral("name_%1").arg(k), values.productName, strip,
                            Eucrosia(g.namePointSize(row)), NameAlignment(values.alignment))
                          .withVisible(named));
        }
    }
    for (int n = 0; n < g.cutHeights.size(); ++n) {
        sheet.add(HLine(QStringLiteral("cut_line_%1").arg(n + 1), g.cutHeights.at(n), g.cutLeft,
                        g.cutLeft + g.cutLength, 0)
                      .asDotted()
                      .withVisible(values.printLines));
    }
    return report;
}

std::shared_ptr<const ReportDocument> LayOutStickerSheet(StickerSheet sheet, Symbology symbology)
{
    const StickerSheetValues values =
        sheet == StickerSheet::Register ? RegisterSheetValues() : StickerJobValues();
    return std::make_shared<const ReportDocument>(
        LayoutReport(BuildStickerSheet(StickerGeometry(sheet, symbology), values)));
}

QWidget *OpenRegisterStickerSheet()
{
    const SharedState &shared = Shared();
    StickerProblem problem;
    if (!HandOverRegisterSheet(shared.RegisterStickerCode, shared.RegisterStickerName, &problem)) {
        Dialogs().message(nullptr, problem.message);
        return nullptr;
    }
    return ShowReportPreview(LayOutStickerSheet(StickerSheet::Register, Symbology::Ean13));
}
