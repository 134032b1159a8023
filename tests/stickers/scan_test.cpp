// End to end: every printed sticker scans to its value, and the sheet commands write what the
// window would.
#include "stickers/sticker_sheet.h"

#include "pdf_text.h"
#include "run_larderon.h"
#include "report/report_layout.h"
#include "report/report_output.h"
#include "temp_data_folder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int kDpi = 300;

// Decodes each image with zbar; one line per symbol found.
QStringList Scan(const QStringList &files)
{
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), QStringList{QStringLiteral("--quiet")} + files);
    zbar.waitForFinished(-1);
    return QString::fromUtf8(zbar.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

TEST(StickerScan, EveryPrintedStickerOfEverySheetScans)
{
    for (const StickerSheetGeometry &g : StickerGeometries()) {
        SCOPED_TRACE(g.className.toStdString());
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const bool ean = g.symbology == Symbology::Ean13;
        StickerSheetValues values;
        values.barcode = ean ? QStringLiteral("8850999320019") : QStringLiteral("AB12345678");
        values.productName = QStringLiteral("น้ำดื่ม ขวด 600 มล.");
        values.printedSlots.fill(true);
        if (g.sheet != StickerSheet::Register)
            values.printedSlots[2] = values.printedSlots[5] = false;
        values.printName = values.printLines = true;
        values.topOffset = 2;
        values.leftOffset = 6;
        const ReportDocument document = LayoutReport(BuildStickerSheet(g, values));

        const QString pdf = dir.filePath("sheet.pdf");
        QString error;
        ASSERT_TRUE(WriteReportPdf(document, pdf, &error)) << error.toStdString();
        RunPdfTool("pdftoppm", {"-r", QString::number(kDpi), "-gray", "-singlefile", pdf, dir.filePath("sheet")});
        const QImage sheet(dir.filePath("sheet.pgm"));
        ASSERT_FALSE(sheet.isNull());

        // One image per printed sticker, its box with a little white around it.
        QStringList crops;
        const double pixelsPerMm = kDpi / 25.4;
        for (const PageItem &item : document.pages.at(0).items) {
            if (item.kind != ElementKind::Barcode)
                continue;
            const QRectF box = item.rect.adjusted(-1.5, -1.5, 1.5, 1.5);
            const QRect pixels(int(box.left() * pixelsPerMm), int(box.top() * pixelsPerMm),
                               int(box.width() * pixelsPerMm), int(box.height() * pixelsPerMm));
            const QString file = dir.filePath(item.tag + ".png");
            ASSERT_TRUE(sheet.copy(pixels).save(file));
            crops.append(file);
        }
        const int ticked = g.sheet == StickerSheet::Register ? 30 : g.positions() - 2;
        ASSERT_EQ(crops.size(), ticked);
        const QString expected = ean ? QStringLiteral("EAN-13:8850999320014") : QStringLiteral("CODE-128:AB12345678");
        EXPECT_EQ(Scan(crops), QStringList(crops.size(), expected));
    }
}

TEST(StickerCommand, WritesTheSheetOrSaysWhyNot)
{
    TempDataFolder folder(true);
    ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
    QTemporaryDir out;
    const QString pdf = out.filePath("stickers.pdf");

    const CommandResult written = RunLarderon({"pdf-stickers", folder.folder(), "8850999320014", pdf, "--sheet",
                                               "a10", "--symbology", "ean13", "--names", "--lines", "--skip", "1,2",
                                               "--top", "3", "--left", "5"});
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_TRUE(written.out.contains("Tbarcode_a10_ean13")) << written.out.toStdString();
    EXPECT_TRUE(PdfText(pdf).contains(QStringLiteral("น้ำดื่ม ขวด 600 มล."))) << PdfText(pdf).toStdString();
    EXPECT_TRUE(RunPdfTool("pdfinfo", {pdf}).contains("453.543 x 623.622 pts")); // 160 x 220 mm

    const struct
    {
        const char *name;
        QStringList arguments;
        int exitCode;
        const char *message;
    } cases[] = {
        {"OddCode128", {"GLV-L", "--sheet", "a4", "--symbology", "code128"}, 1, "พิมพ์รหัสเฉพาะที่มีจำนวนหลักเป็นเลขคู่"},
        {"ShortEan", {"A4-80G", "--sheet", "a9", "--symbology", "ean13"}, 1, "พิมพ์เฉพาะรหัส EAN 13 เท่านั้น ..."},
        {"UnknownProduct", {"NO-SUCH", "--sheet", "a9", "--symbology", "ean13"}, 1, "ไม่พบรหัสสินค้า NO-SUCH"},
        {"NoSheet", {"8850999320014", "--symbology", "ean13"}, 2, "--sheet and --symbology are needed"},
        {"BadSkip", {"8850999320014", "--sheet", "a4", "--symbology", "ean13", "--skip", "31"}, 2, "--skip"},
        {"RegisterInCode128", {"8850999320014", "--sheet", "register", "--symbology", "code128"}, 2, "EAN-13 only"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = out.filePath(QStringLiteral("%1.pdf").arg(c.name));
        QStringList arguments = {QStringLiteral("pdf-stickers"), folder.folder(), c.arguments.first(), file};
        arguments += c.arguments.mid(1);
        const CommandResult result = RunLarderon(arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.message))) << result.err.toStdString();
        EXPECT_FALSE(QFile::exists(file));
    }
    // --help explains the command.
    EXPECT_EQ(RunLarderon({"pdf-stickers", "--help"}).exitCode, 0);
}

} // namespace
