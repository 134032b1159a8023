#include "report/report_layout.h"
#include "report/report_output.h"
#include "report/report_page_view.h"
#include "pdf_text.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

ReportDocument ThaiDocument(const PageSetup &page, int rowCount)
{
    Report report;
    report.title = QStringLiteral("ใบส่งของ");
    report.page = page;
    report.pageHeader = Band(30);
    report.pageHeader.add(Label("title", "ใบส่งของ", {59.0, 2.4, 82.8},
                                Font("EucrosiaUPC", 18, "B"), Align::Center));
    report.pageHeader.add(Frame("box", {1.6, 15, 200, 12}));
    report.pageHeader.add(Label("mark", "MARK", {10, 20, 30}, Font("EucrosiaUPC", 14)));
    report.detail = Band(20);
    report.detail.add(Field("name", "PRO_NAME", {3.4, 0, 100}, Font("EucrosiaUPC", 14)));
    report.detail.add(Field("qty", "PRO_QTY", {150, 0, 23.3}, Font("CordiaUPC", 14),
                            Align::Right, "###,###,##0.00"));
    report.pageFooter = Band(20);
    report.pageFooter.add(HLine("rule", 2.5, 1.6, 203.5, 0.5));
    QList<QVariantMap> rows;
    for (int i = 0; i < rowCount; ++i)
        rows.append({{"PRO_NAME", "ปากกาลูกลื่น สีน้ำเงิน"}, {"PRO_QTY", 1234.5}});
    report.data = std::make_shared<RowList>(rows);
    return LayoutReport(report);
}

struct PaperCase
{
    const char *name;
    double width;
    double height;
    int rows;
    const char *pdfinfoSize;
    int pages;
};

class PdfOutput : public testing::TestWithParam<PaperCase>
{
};

// End to end: the PDF has the paper size in points and its text, Thai marks included, comes back
// out of the file.
TEST_P(PdfOutput, WritesPagesOfTheReportSizeWithThaiText)
{
    const PaperCase &c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fileName = dir.filePath("report.pdf");
    PageSetup page(c.width, c.height);
    page.setMargins(3, 5, 5.08, 7.5);
    const ReportDocument document = ThaiDocument(page, c.rows);
    ASSERT_EQ(document.pages.size(), c.pages);

    QString error;
    ASSERT_TRUE(WriteReportPdf(document, fileName, &error)) << error.toStdString();
    EXPECT_EQ(error, QString());

    const QString info = RunPdfTool("pdfinfo", {fileName});
    EXPECT_TRUE(info.contains(QString::fromLatin1(c.pdfinfoSize))) << info.toStdString();
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    EXPECT_EQ(pages.match(info).captured(1).toInt(), c.pages) << info.toStdString();

    // The marker sits at its absolute place on the sheet: margins (3, 5) + position (10, 20) mm.
    const QRegularExpression markBox(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.-]+)\"[^>]*>MARK</word>"));
    const QRegularExpressionMatch mark =
        markBox.match(RunPdfTool("pdftotext", {"-bbox", "-f", "1", "-l", "1", fileName, "-"}));
    ASSERT_TRUE(mark.hasMatch());
    const double pointsPerMm = 72 / 25.4;
    EXPECT_NEAR(mark.captured(1).toDouble(), 13 * pointsPerMm, 0.5);
    EXPECT_NEAR(mark.captured(2).toDouble(), 25 * pointsPerMm, 0.5);

    const QString text = PdfText(fileName);
    for (const QString word : {"ใบส่งของ", "ปากกาลูกลื่น", "น้ำเงิน"})
        EXPECT_TRUE(text.contains(word)) << word.toStdString() << " in " << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1,234.50"))) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Papers, PdfOutput,
    testing::Values(PaperCase{"Letter", 215.9, 279.4, 20, "612 x 792 pts", 2},
                    PaperCase{"HalfLetter", 215.9, 139.7, 2, "612 x 396 pts", 1}),
    [](const testing::TestParamInfo<PaperCase> &info) { return std::string(info.param.name); });

// What the preview shows is what the PDF holds: the preview's page image and poppler's rendering
// of the PDF page at the same resolution.
TEST(PdfOutput, PreviewShowsThePdfPage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    PageSetup page = PageSetup::letter();
    page.setMargins(3, 5, 5.08, 7.5);
    auto document = std::make_shared<const ReportDocument>(ThaiDocument(page, 14));
    const QString pdf = dir.filePath("page.pdf");
    QString error;
    ASSERT_TRUE(WriteReportPdf(*document, pdf, &error)) << error.toStdString();
    constexpr int kDpi = 100;
    const QString prefix = dir.filePath("poppler");
    RunPdfTool("pdftoppm", {"-r", QString::number(kDpi), "-f", "1", "-l", "1", "-gray",
                            "-singlefile", pdf, prefix});
    const QImage rendered(prefix + ".pgm");
    ASSERT_FALSE(rendered.isNull());

    ReportPageView view(document);
    view.setZoom(double(kDpi) / view.logicalDpiX());
    const QImage shown = view.pageImage();
    ASSERT_EQ(shown.size(), rendered.size());

    // Inked pixels of one image with no inked pixel within one pixel of the same place in the
    // other: the two rasterisers smooth edges differently, but a shifted text, another face or a
    // missing element leaves many such pixels.
    auto inkedNear = [](const QImage &image, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const QPoint p(x + dx, y + dy);
                if (image.rect().contains(p) && qGray(image.pixel(p)) < 160)
                    return true;
            }
        }
        return false;
    };
    qint64 inked = 0, unmatched = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const bool a = qGray(shown.pixel(x, y)) < 96;
            const bool b = qGray(rendered.pixel(x, y)) < 96;
            inked += a ? 1 : 0;
            unmatched += (a && !inkedNear(rendered, x, y)) || (b && !inkedNear(shown, x, y)) ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 2000);
    EXPECT_LT(unmatched, inked / 100) << unmatched << " of " << inked << " inked pixels unmatched";
}

// Fonts are embedded as subsets and a picture shared by the pages is stored once.
TEST(PdfOutput, HundredPagesStayCompact)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const ReportDocument document = ThaiDocument(PageSetup::letter(), 1100);
    ASSERT_GE(document.pages.size(), 100);
    const QString pdf = dir.filePath("long.pdf");
    QString error;
    ASSERT_TRUE(WriteReportPdf(document, pdf, &error)) << error.toStdString();
    EXPECT_LT(QFileInfo(pdf).size(), 3 * 1024 * 1024);
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    EXPECT_EQ(pages.match(RunPdfTool("pdfinfo", {pdf})).captured(1).toInt(), document.pages.size());
}

TEST(PdfOutput, UnwritableFileGivesAnError)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath("no/such/folder/report.pdf");
    QString error;
    EXPECT_FALSE(WriteReportPdf(ThaiDocument(PageSetup::letter(), 1), fileName, &error));
    EXPECT_TRUE(error.contains(fileName)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(fileName));
}

TEST(PrinterOutput, WithoutADefaultPrinterSaysSo)
{
    if (HasDefaultPrinter())
        GTEST_SKIP() << "this machine has a default printer; printing would use paper";
    QString error;
    EXPECT_FALSE(PrintReportToDefaultPrinter(ThaiDocument(PageSetup::letter(), 1), &error));
    EXPECT_EQ(error, NoPrinterMessage());
}

TEST(PrinterOutput, AsksThePrinterForTheReportsSheet)
{
    EXPECT_EQ(MediaName(PageSetup::letter().paperSize()), QStringLiteral("Letter"));
    EXPECT_EQ(MediaName(PageSetup::a4(Orientation::Landscape).paperSize()), QStringLiteral("A4"));
    EXPECT_EQ(MediaName(QSizeF(215.9, 139.7)), QStringLiteral("Custom.215.9x139.7mm"));
}

// Printing on a real queue, for a machine that has one to spare: set LARDERON_TEST_PRINTER to its
// name (a cups-pdf queue writes the job as a PDF file into the user's PDF folder).
TEST(PrinterOutput, SendsTheReportToANamedQueue)
{
    const QString printer = qEnvironmentVariable("LARDERON_TEST_PRINTER");
    if (printer.isEmpty())
        GTEST_SKIP() << "LARDERON_TEST_PRINTER names no print queue to use";
    QString error;
    EXPECT_TRUE(PrintReport(ThaiDocument(PageSetup(215.9, 139.7), 3), printer, 1, &error))
        << error.toStdString();
    EXPECT_FALSE(PrintReport(ThaiDocument(PageSetup::letter(), 1), "no-such-queue", 1, &error));
    EXPECT_TRUE(error.contains("no-such-queue")) << error.toStdString();
}

} // namespace
