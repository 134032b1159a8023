#include "reports_fixture.h"

#include "pdf_text.h"
#include "run_larderon.h"

#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

class ReportCommand : public ReportsTest
{
protected:
    QTemporaryDir out;
};

TEST_F(ReportCommand, RefusesUnknownNamesBadDatesAndWrongOutputs)
{
    const struct
    {
        QStringList arguments;
        const char *says;
    } cases[] = {
        {{"stock-cards", folder.folder(), "--json"}, "unknown report 'stock-cards'"},
        {{"goods-out", folder.folder(), "--from", "31/02/2551", "--json"}, "วันที่ \"31/02/2551\" ไม่ถูกต้อง"},
        {{"expiry", folder.folder(), "--date", "1/1/2551", "--json"}, "--date takes a date"},
        {{"stock-card", folder.folder(), "--csv", out.filePath("a.csv")}, "stock-card writes no CSV file"},
        {{"reorder", folder.folder(), "--group", "A", "--json"}, "--group is not an option of reorder"},
        {{"goods-in", folder.folder(), "--sort", "price", "--json"}, "--sort takes date, code, name or group"},
        {{"goods-in", folder.folder()}, "give one of --pdf"},
        {{"goods-in", folder.folder(), "--json", "--pdf", out.filePath("a.pdf")}, "give one of --pdf"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CommandResult result = RunLarderon(QStringList{"report"} + c.arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.says))) << result.err.toStdString();
    }
    const CommandResult help = RunLarderon({"report", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("stock-card"))) << help.out.toStdString();

    const CommandResult noFolder = RunLarderon({"report", "reorder", out.path(), "--json"});
    EXPECT_EQ(noFolder.exitCode, 1);
}

TEST_F(ReportCommand, WritesTheCardAsTheWindowPreviewsItOrSaysThereIsNothing)
{
    setSetting(QStringLiteral("OF_NAME"), QStringLiteral("ร้านทดสอบ"));
    addDocument(QStringLiteral("RECV3000001"), QStringLiteral("05/01/2551"),
                {{{"PRO_NO", "P-1"}, {"PRO_NAME", "ปากกา"}, {"PRO_QTY", 12.0}}});
    addDocument(QStringLiteral("ISSU1000001"), QStringLiteral("10/02/2551"),
                {{{"PRO_NO", "P-1"}, {"PRO_NAME", "ปากกา"}, {"PRO_QTY", 2.0}}});
    const QString pdf = out.filePath(QStringLiteral("card.pdf"));
    const QStringList period = {"--from", "01/02/2551", "--to", "29/02/2551", "--product", "P-1"};
    CommandResult result = RunLarderon(QStringList{"report", "stock-card", folder.folder()} + period + QStringList{"--pdf", pdf});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QString text = WithoutBlanks(PdfText(pdf));
    for (const char *expected : {"รายงานสินค้าและวัตถุดิบ", "ชื่อสถานประกอบการร้านทดสอบ", "ยอดยกมา", "ISSU1000001", "12.00", "10.00"})
        EXPECT_TRUE(text.contains(WithoutBlanks(QString::fromUtf8(expected)))) << expected << " not in\n" << text.toStdString();

    const QString detail = out.filePath(QStringLiteral("detail.pdf"));
    result = RunLarderon(QStringList{"report", "stock-card", folder.folder()} + period + QStringList{"--detail", "--pdf", detail});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(WithoutBlanks(PdfText(detail)).contains(QStringLiteral("รายงานขาย")));

    result = RunLarderon({"report", "stock-card", folder.folder(), "--from", "01/03/2551", "--to", "31/03/2551", "--product",
                          "P-1", "--pdf", out.filePath(QStringLiteral("none.pdf"))});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("ไม่มีข้อมูลรายงาน..."))) << result.err.toStdString();
    EXPECT_FALSE(QFile::exists(out.filePath(QStringLiteral("none.pdf"))));
}

} // namespace
