#include "printing/print_request.h"
#include "printing_fixture.h"

#include "common/shared_state.h"
#include "db/data_connection.h"
#include "report/report_output.h"
#include "ui/fake_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

QList<ReportPreview *> OpenPreviews()
{
    QList<ReportPreview *> previews;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *preview = qobject_cast<ReportPreview *>(widget))
            previews.append(preview);
    }
    return previews;
}

void CloseAndDeletePreviews()
{
    for (ReportPreview *preview : OpenPreviews())
        delete preview;
}

// All five connection slots can be taken: printing kept none.
void ExpectNoConnectionKept()
{
    std::vector<std::unique_ptr<Connection>> connections;
    for (int i = 0; i < 5; ++i) {
        QString error;
        connections.push_back(OpenDataConnection(&error));
        EXPECT_TRUE(connections.back()) << "slot " << i << ": " << error.toStdString();
    }
}

class PrintRequestTest : public PrintingTest
{
protected:
    void SetUp() override
    {
        PrintingTest::SetUp();
        ASSERT_TRUE(pdfFolder.isValid());
        output.hasPrinter = [this] { return hasPrinter; };
        output.print = [this](const ReportDocument &document, QString *) {
            const PageItem *title = document.pages.isEmpty() ? nullptr
                                                             : document.pages[0].find("title");
            printedTitles.append(title ? title->text : QString());
            return true;
        };
        output.askPdfFileName = [this](QWidget *, const QString &suggested) {
            suggestedPdf = suggested;
            return pdfFolder.filePath(QStringLiteral("out"));
        };
    }
    void TearDown() override { CloseAndDeletePreviews(); }

    FakeDialogs dialogs;
    QTemporaryDir pdfFolder;
    PreviewOutput output;
    bool hasPrinter = true;
    QStringList printedTitles;
    QString suggestedPdf;
};

TEST_F(PrintRequestTest, ByKindLine5AndView1)
{
    const struct
    {
        const char *name;
        const char *number;
        const char *line5;
        const char *view1;
        PrintOutcome outcome;
        int previews;
        const char *printedTitle; // nullptr: nothing printed
    } cases[] = {
        {"PricedNotePreviewed", "ISSU1000001", "5", "0", PrintOutcome::Previewed, 1, nullptr},
        {"GoodsInPrintedAtOnce", "RECV3000001", "1", "1", PrintOutcome::Printed, 0,
         "ใบรับสินค้าเข้าคลัง"},
        {"PricedNotePrinted", "ISSU1000003", "5", "1", PrintOutcome::Printed, 0,
         "ใบส่งของชั่วคราว"},
        {"PurchaseOrderAlwaysPreviewed", "TORD5000001", "1", "1", PrintOutcome::Previewed, 1,
         nullptr},
        {"PurchaseOrderWhateverView1", "TORD5000002", "7", "2", PrintOutcome::Previewed, 1,
         nullptr},
        {"Line5NamesNoLayout", "ISSU1000001", "7", "0", PrintOutcome::Nothing, 0, nullptr},
        {"View1NeitherPreviewNorPrint", "ISSU1000001", "1", "2", PrintOutcome::Nothing, 0,
         nullptr},
        {"View1Empty", "RECV3000001", "0", "", PrintOutcome::Nothing, 0, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        printedTitles.clear();
        Shared().PrintDocNo = QString::fromUtf8(c.number);
        Shared().PrintDocKind = Shared().PrintDocNo.at(4).digitValue();
        EXPECT_EQ(PrintDocumentRequest(QString::fromUtf8(c.line5), QString::fromUtf8(c.view1),
                                       output),
                  c.outcome);
        const QList<ReportPreview *> previews = OpenPreviews();
        EXPECT_EQ(previews.size(), c.previews);
        if (!previews.isEmpty()) {
            EXPECT_EQ(previews.first()->pageCount(), 1);
            EXPECT_TRUE(previews.first()->windowTitle().contains(QString::fromUtf8(c.number)));
        }
        EXPECT_EQ(printedTitles, c.printedTitle ? QStringList{QString::fromUtf8(c.printedTitle)}
                                                : QStringList());
        EXPECT_EQ(dialogs.shown(), QStringList());
        CloseAndDeletePreviews();
        ExpectNoConnectionKept();
    }
}

TEST_F(PrintRequestTest, WithoutPrinterOffersPdf)
{
    hasPrinter = false;
    Shared().PrintDocNo = QStringLiteral("ISSU1000002");
    Shared().PrintDocKind = 1;
    const QString pdf = pdfFolder.filePath(QStringLiteral("out.pdf"));

    dialogs.answerYesNo(false);
    EXPECT_EQ(PrintDocumentRequest("1", "1", output), PrintOutcome::NotPrinted);
    EXPECT_FALSE(QFile::exists(pdf));

    dialogs.answerYesNo(true);
    EXPECT_EQ(PrintDocumentRequest("1", "1", output), PrintOutcome::NotPrinted);
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(suggestedPdf.endsWith(QStringLiteral("ISSU1000002.pdf"))) << suggestedPdf.toStdString();

    ASSERT_EQ(dialogs.shown().size(), 2);
    for (const QString &question : dialogs.shown()) {
        EXPECT_TRUE(question.startsWith(NoPrinterMessage())) << question.toStdString();
        EXPECT_TRUE(question.contains(QStringLiteral("PDF")));
    }
    EXPECT_TRUE(printedTitles.isEmpty());
    EXPECT_TRUE(OpenPreviews().isEmpty());
}

TEST_F(PrintRequestTest, FailedPreparationIsReportedAndKeepsNoConnection)
{
    ASSERT_TRUE(QFile::remove(folder.folder() + QStringLiteral("logo.bmp")));
    const struct
    {
        const char *number;
        const char *line5;
        const char *view1;
    } cases[] = {
        {"ISSU1000001", "1", "0"}, {"RECV3000001", "0", "1"}, {"TORD5000001", "1", "1"},
        {"ISSU1000003", "5", "0"}, {"ISSU1000001", "2", "1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.number);
        dialogs.clear();
        Shared().PrintDocNo = QString::fromUtf8(c.number);
        Shared().PrintDocKind = Shared().PrintDocNo.at(4).digitValue();
        EXPECT_EQ(PrintDocumentRequest(c.line5, c.view1, output), PrintOutcome::Failed);
        ASSERT_EQ(dialogs.errors().size(), 1);
        const QString error = dialogs.errors().first();
        EXPECT_TRUE(error.startsWith(QStringLiteral("พิมพ์เอกสารเลขที่ %1 ไม่ได้")
                                         .arg(QString::fromUtf8(c.number))))
            << error.toStdString();
        EXPECT_TRUE(error.contains(folder.folder() + QStringLiteral("logo.bmp")))
            << error.toStdString();
        EXPECT_TRUE(OpenPreviews().isEmpty());
        EXPECT_TRUE(printedTitles.isEmpty());
        ExpectNoConnectionKept();
    }
}

} // namespace
