#include "report/barcode.h"
#include "report/page_painter.h"
#include "report/report_layout.h"
#include "../common/qt_printers.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

namespace {

TEST(Barcode, Ean13CheckDigitIsAlwaysTheOneOfTheFirstTwelveDigits)
{
    const struct
    {
        const char *value;
        const char *encoded;
    } cases[] = {
        {"885099932001", "8850999320014"},   // 12 digits gain the check digit
        {"8850999320014", "8850999320014"},  // a right 13th stays
        {"8850999320019", "8850999320014"},  // a wrong 13th is replaced
        {"885099932001499", "8850999320014"}, // characters after the 13th are not part of it
        {"88509993200", "88509993200"},      // fewer than 12 stay as they are
        {"88509993200A5", "88509993200A5"},  // not 12 digits: nothing to compute
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Ean13WithCheckDigit(c.value), QString::fromLatin1(c.encoded)) << c.value;
}

TEST(Barcode, ValuesASymbologyCannotEncodeAreRefused)
{
    const struct
    {
        Symbology symbology;
        const char *value;
        bool printable;
    } cases[] = {
        {Symbology::Ean13, "8850999320014", true},   {Symbology::Ean13, "885099932001", true},
        {Symbology::Ean13, "88509993200A4", false},  {Symbology::Ean13, "885099932", false},
        {Symbology::Code128, "AB-1234 x/9", true},   {Symbology::Code128, "", false},
    };
    for (const auto &c : cases) {
        const QString problem = BarcodeValueProblem(c.symbology, QString::fromLatin1(c.value));
        EXPECT_EQ(problem.isEmpty(), c.printable) << c.value << ": " << problem.toStdString();
    }
    EXPECT_FALSE(BarcodeValueProblem(Symbology::Code128, QStringLiteral("สินค้า12")).isEmpty());
    QString error;
    EXPECT_FALSE(EncodeBarcode(Symbology::Ean13, "88509993200A4", &error));
    EXPECT_FALSE(error.isEmpty());
}

// Renders the barcodes of a page at 300 dpi and reads them back with zbar, as a scanner would
// (zbar reports a value once per image, so the values on one page differ).
QStringList Scanned(const Page &page, QSizeF sheet)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("symbols.png");
    if (!RenderPageImage(page, sheet, 300 / 25.4).save(file))
        return {"<not saved>"};
    QProcess zbar;
    zbar.start("zbarimg", {"--quiet", file});
    zbar.waitForFinished(-1);
    QStringList symbols = QString::fromUtf8(zbar.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    symbols.sort();
    return symbols;
}

TEST(Barcode, PrintedSymbolsScanToTheirValues)
{
    Report report;
    report.page = PageSetup(120, 60);
    report.pageHeader = Band(50);
    report.pageHeader.add(Barcode("ean", {5, 5, 29.9, 15.1}, Symbology::Ean13, "8850999320019",
                                  Font("Sans", 10)));
    report.pageHeader.add(Barcode("code", {60, 5, 31.75, 13.2}, Symbology::Code128, "AB1234567890",
                                  Font("Sans", 10)));
    report.pageHeader.add(Barcode("narrow", {5, 30, 29.9, 14.3}, Symbology::Ean13, "885123456789",
                                  Font("EucrosiaUPC", 14)));
    const ReportDocument document = LayoutReport(report);
    const Page &page = document.pages.at(0);
    // The page model keeps what is encoded: the EAN-13 value with its right check digit.
    EXPECT_EQ(page.find("ean")->text, QStringLiteral("8850999320014"));
    EXPECT_EQ(page.find("ean")->symbology, Symbology::Ean13);
    EXPECT_EQ(page.find("code")->symbology, Symbology::Code128);
    EXPECT_EQ(page.find("ean")->rect, QRectF(5, 5, 29.9, 15.1));
    EXPECT_EQ(Scanned(page, document.page.paperSize()),
              QStringList({"CODE-128:AB1234567890", "EAN-13:8850999320014", "EAN-13:8851234567898"}));
}

TEST(Barcode, SymbolStaysInsideItsBox)
{
    PageItem item;
    item.kind = ElementKind::Barcode;
    item.symbology = Symbology::Ean13;
    item.text = QStringLiteral("8850999320014");
    item.rect = QRectF(20, 10, 29.9, 15.1);
    item.font = Font("Sans", 10);
    item.barcodeClearTop = 5.3;
    Page page;
    page.items = {item};
    constexpr double kPixelsPerMm = 20;
    const QImage image = RenderPageImage(page, QSizeF(80, 40), kPixelsPerMm);
    QRectF ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRectF(x / kPixelsPerMm, y / kPixelsPerMm, 1 / kPixelsPerMm, 1 / kPixelsPerMm);
        }
    }
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 20 - 0.05);
    EXPECT_LE(ink.right(), 49.9 + 0.05);
    EXPECT_GE(ink.top(), 10 + 5.3 - 0.05); // the name strip's band stays free
    EXPECT_LE(ink.bottom(), 25.1 + 0.05);
}

} // namespace
