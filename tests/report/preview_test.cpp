#include "report/report_layout.h"
#include "report/report_output.h"
#include "report/report_preview.h"
#include "ui/fake_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>

namespace {

std::shared_ptr<const ReportDocument> ThreePages()
{
    Report report;
    report.title = QStringLiteral("รายงานทดสอบ");
    report.page = PageSetup(215.9, 139.7);
    report.page.setMargins(3, 5, 5, 5);
    report.pageHeader = Band(20);
    report.pageHeader.add(
        Label("title", "รายงานทดสอบ", {10, 2, 100}, Font("EucrosiaUPC", 18, "B")));
    report.pageHeader.add(Frame("box", {1, 1, 200, 15}, 0.5));
    report.detail = Band(35);
    report.detail.add(Field("name", "NAME", {10, 0, 100}, Font("EucrosiaUPC", 14)));
    report.data = std::make_shared<RowList>(QList<QVariantMap>{
        {{"NAME", "หนึ่ง"}}, {{"NAME", "สอง"}}, {{"NAME", "สาม"}}, {{"NAME", "สี่"}},
        {{"NAME", "ห้า"}}, {{"NAME", "หก"}}, {{"NAME", "เจ็ด"}}});
    return std::make_shared<const ReportDocument>(LayoutReport(report));
}

class Preview : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        document = ThreePages();
        ASSERT_EQ(document->pages.size(), 3);
        preview = ShowReportPreview(document, [this] { ++releases; });
        output.hasPrinter = [this] { return hasPrinter; };
        output.askPrintChoice = [this](QWidget *) -> std::optional<PrintChoice> {
            ++asked;
            if (cancelPrintDialog)
                return std::nullopt;
            return PrintChoice{QStringLiteral("office"), 2};
        };
        output.printOn = [this](const ReportDocument &, const PrintChoice &choice, QString *error) {
            printedOn.append(QStringLiteral("%1 x%2").arg(choice.printer).arg(choice.copies));
            *error = QStringLiteral("เครื่องพิมพ์ขัดข้อง");
            return printSucceeds;
        };
        output.askPdfFileName = [this](QWidget *, const QString &suggested) {
            suggestedName = suggested;
            return chosenFile;
        };
        preview->setOutput(output);
    }

    void TearDown() override
    {
        if (preview)
            preview->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    FakeDialogs dialogs;
    QTemporaryDir dir;
    std::shared_ptr<const ReportDocument> document;
    QPointer<ReportPreview> preview;
    PreviewOutput output;
    int releases = 0;
    bool hasPrinter = false;
    bool printSucceeds = true;
    bool cancelPrintDialog = false;
    int asked = 0;
    QStringList printedOn;
    QString chosenFile;
    QString suggestedName;
};

TEST_F(Preview, PagesThroughTheReport)
{
    struct Step
    {
        void (ReportPreview::*action)();
        int page;
    };
    const Step steps[] = {
        {&ReportPreview::firstPage, 1},    {&ReportPreview::previousPage, 1},
        {&ReportPreview::nextPage, 2},     {&ReportPreview::nextPage, 3},
        {&ReportPreview::nextPage, 3},     {&ReportPreview::previousPage, 2},
        {&ReportPreview::lastPage, 3},     {&ReportPreview::firstPage, 1},
    };
    EXPECT_EQ(preview->pageText().trimmed(), QStringLiteral("1 / 3"));
    for (const Step &step : steps) {
        (preview->*step.action)();
        EXPECT_EQ(preview->currentPage(), step.page);
        EXPECT_EQ(preview->pageText().trimmed(), QStringLiteral("%1 / 3").arg(step.page));
    }
}

TEST_F(Preview, ZoomsAndDrawsThePage)
{
    const double start = preview->zoom();
    preview->zoomIn();
    EXPECT_DOUBLE_EQ(preview->zoom(), start * 1.25);
    preview->zoomOut();
    EXPECT_DOUBLE_EQ(preview->zoom(), start);
    for (int i = 0; i < 20; ++i)
        preview->zoomOut();
    EXPECT_DOUBLE_EQ(preview->zoom(), 0.25);

    preview->resize(600, 500);
    preview->fitWidth();
    EXPECT_GT(preview->zoom(), 0.25);
    EXPECT_LT(preview->zoom(), 1.0);

    // The drawn window shows the page's frame and text: black ink on the white sheet.
    const QImage image = preview->grab().toImage();
    bool ink = false;
    for (int y = 0; y < image.height() && !ink; ++y) {
        for (int x = 0; x < image.width() && !ink; ++x)
            ink = qGray(image.pixel(x, y)) < 40;
    }
    EXPECT_TRUE(ink);
    EXPECT_EQ(dialogs.shown(), QStringList());
}

TEST_F(Preview, PrintWithoutPrinterOffersPdf)
{
    struct Case
    {
        const char *name;
        bool yes;
        bool fileWritten;
    };
    for (const Case c : {Case{"Yes", true, true}, Case{"No", false, false}}) {
        SCOPED_TRACE(c.name);
        dialogs.clear();
        chosenFile = dir.filePath(QStringLiteral("%1").arg(c.name)); // ".pdf" is added
        dialogs.answerYesNo(c.yes);
        preview->print();
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_TRUE(dialogs.shown()[0].startsWith(NoPrinterMessage()));
        EXPECT_EQ(QFile::exists(chosenFile + ".pdf"), c.fileWritten);
        EXPECT_EQ(asked, 0);
    }
    EXPECT_TRUE(suggestedName.endsWith(QStringLiteral("รายงานทดสอบ.pdf")));
}

TEST_F(Preview, PrintsOnThePrinterChosenInThePrintDialog)
{
    hasPrinter = true;
    preview->print();
    EXPECT_EQ(printedOn, QStringList{QStringLiteral("office x2")});
    EXPECT_EQ(dialogs.shown(), QStringList());

    cancelPrintDialog = true;
    preview->print();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(printedOn.size(), 1);

    cancelPrintDialog = false;
    printSucceeds = false;
    preview->print();
    EXPECT_EQ(printedOn.size(), 2);
    EXPECT_EQ(dialogs.errors(), QStringList{QStringLiteral("เครื่องพิมพ์ขัดข้อง")});
}

TEST_F(Preview, SavePdfWritesTheFileOrReportsTheError)
{
    chosenFile = QString(); // cancelled
    preview->savePdf();
    EXPECT_EQ(dialogs.shown(), QStringList());

    chosenFile = dir.filePath("saved.pdf");
    preview->savePdf();
    EXPECT_TRUE(QFile::exists(chosenFile));
    EXPECT_EQ(dialogs.shown(), QStringList());

    chosenFile = dir.filePath("missing/folder/saved.pdf");
    preview->savePdf();
    ASSERT_EQ(dialogs.errors().size(), 1);
    EXPECT_TRUE(dialogs.errors()[0].contains(chosenFile));
}

TEST_F(Preview, ClosingReleasesTheLayoutOnceAndDeletesTheWindow)
{
    std::weak_ptr<const ReportDocument> weak = document;
    document.reset();
    EXPECT_FALSE(weak.expired()); // the preview keeps the report alive
    EXPECT_EQ(releases, 0);
    preview->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(preview.isNull());
    EXPECT_EQ(releases, 1);
    EXPECT_TRUE(weak.expired());
}

} // namespace
