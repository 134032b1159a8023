#include "printing_fixture.h"

#include "pdf_text.h"
#include "run_larderon.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

class PdfDocumentCommand : public PrintingTest
{
protected:
    void SetUp() override
    {
        PrintingTest::SetUp();
        ASSERT_TRUE(out.isValid());
    }
    QTemporaryDir out;
};

TEST_F(PdfDocumentCommand, WritesEachLayout)
{
    const struct
    {
        const char *number;
        const char *layout; // nullptr: chosen by the settings
        const char *used;
        const char *title;
        const char *shownNumber;
        const char *pageSize;
    } cases[] = {
        {"ISSU1000001", nullptr, "TPrnDO8", "ใบเบิกสินค้า / ใบส่งของ", "ISSU-1-000001",
         "612 x 792 pts"},
        {"TORD5000001", nullptr, "TPrnORD3", "ใบสั่งซื้อสินค้า", "TORD-5-000001",
         "612 x 792 pts"},
        {"RECV3000002", "TPrnDO9s", "TPrnDO9s", "ใบรับสินค้าเข้าคลัง", "RECV-3-000002",
         "612 x 396 pts"},
        {"ISSU1000002", "TPrnDO2", "TPrnDO2", "ใบเบิกสินค้า / ใบส่งของ", "ISSU1000002",
         "612 x 792 pts"},
        {"ISSU1000003", "TPrnDO1", "TPrnDO1", "ใบส่งของชั่วคราว", "ISSU1000003",
         "612 x 792 pts"},
    };
    bool trailingSlash = false;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.used);
        const QString pdf = out.filePath(QStringLiteral("%1.pdf").arg(c.used));
        // The folder works with and without its trailing separator.
        QString dataDir = folder.folder();
        if (!trailingSlash)
            dataDir.chop(1);
        trailingSlash = !trailingSlash;
        QStringList arguments = {QStringLiteral("pdf-document"), dataDir,
                                 QString::fromUtf8(c.number), pdf};
        if (c.layout)
            arguments << QStringLiteral("--layout") << QString::fromUtf8(c.layout);
        const CommandResult result = RunLarderon(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_TRUE(result.out.contains(QString::fromUtf8(c.used))) << result.out.toStdString();

        const QString info = RunPdfTool(QStringLiteral("pdfinfo"), {pdf});
        EXPECT_TRUE(info.contains(QString::fromUtf8(c.pageSize))) << info.toStdString();
        const QString text = WithoutBlanks(PdfText(pdf));
        for (const char *expected :
             {"บริษัทลาร์เดอรอนเทรดดิ้งจำกัด", c.title, c.shownNumber}) {
            EXPECT_TRUE(text.contains(WithoutBlanks(QString::fromUtf8(expected))))
                << expected << " not in\n"
                << text.toStdString();
        }
    }
}

TEST_F(PdfDocumentCommand, PricedNoteTextEndToEnd)
{
    const QString pdf = out.filePath(QStringLiteral("priced.pdf"));
    const CommandResult result =
        RunLarderon({"pdf-document", folder.folder(), "ISSU1000003", pdf, "--layout", "TPrnDO1"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QString text = WithoutBlanks(PdfText(pdf));
    // Tone marks and vowels above and below the line come back as typed.
    for (const char *expected : {"ข้าพเจ้าได้รับสินค้าตามรายการข้างบนนี้ถูกต้องแล้ว", "น้ำดื่มขวด600มล.",
                                 "กาแฟสำเร็จรูป3in1ห่อ30ซอง", "ผู้ส่งของ", "ผู้รับของ",
                                 "เลขประจำตัวผู้เสียภาษี0105561234567"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected)))
            << expected << " not in\n"
            << text.toStdString();
    }
}

TEST_F(PdfDocumentCommand, ErrorExits)
{
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    const struct
    {
        const char *name;
        const char *line5;
        QStringList arguments;
        const char *message;
    } cases[] = {
        {"UnknownNumber", "1", {folder.folder(), "ISSU1999999"},
         "no document numbered 'ISSU1999999'"},
        {"NoKindDigit", "1", {folder.folder(), "ISSUX000001"},
         "no document numbered 'ISSUX000001'"},
        {"NumberOfAnotherKind", "1", {folder.folder(), "ISSU1000001", "--layout", "TPrnORD3"},
         "no document numbered 'ISSU1000001'"},
        {"UnknownFolder", "1", {empty.path(), "ISSU1000001"}, "is not a data folder"},
        {"UnknownLayout", "1", {folder.folder(), "ISSU1000001", "--layout", "TPrnDO7"},
         "unknown layout 'TPrnDO7'"},
        {"Line5NamesNoLayout", "7", {folder.folder(), "ISSU1000001"}, "LINE5 '7'"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        setSettings({{"LINE5", c.line5}});
        const QString pdf = out.filePath(QStringLiteral("%1.pdf").arg(c.name));
        QStringList arguments = c.arguments;
        arguments.insert(2, pdf);
        arguments.prepend(QStringLiteral("pdf-document"));
        const CommandResult result = RunLarderon(arguments);
        EXPECT_NE(result.exitCode, 0);
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.message))) << result.err.toStdString();
        EXPECT_FALSE(QFile::exists(pdf));
    }
    // Purchase orders do not depend on LINE5.
    const QString pdf = out.filePath(QStringLiteral("order.pdf"));
    EXPECT_EQ(RunLarderon({"pdf-document", folder.folder(), "TORD5000002", pdf}).exitCode, 0);
    EXPECT_TRUE(QFile::exists(pdf));
}

// The PDF is written whole or not at all: on a small disk the command fails and leaves neither a
// cut-off PDF nor its temporary file, and it never writes over a file of the database.
TEST_F(PdfDocumentCommand, WritesAWholeFileOrNone)
{
    const QString pdf = out.filePath(QStringLiteral("note.pdf"));
    const CommandResult full = RunLarderon({"pdf-document", folder.folder(), "ISSU1000001", pdf}, 20000);
    EXPECT_EQ(full.exitCode, 1) << full.out.toStdString();
    EXPECT_TRUE(full.err.contains(QStringLiteral("บันทึกไฟล์ PDF"))) << full.err.toStdString();
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList());

    const QByteArray database = [&] {
        QFile file(folder.databasePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    for (const QString &target : {folder.databasePath(), folder.databasePath() + QStringLiteral("-journal"),
                                  folder.databasePath() + QStringLiteral(".slots")}) {
        SCOPED_TRACE(target.toStdString());
        const CommandResult refused = RunLarderon({"pdf-document", folder.folder(), "ISSU1000001", target});
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_TRUE(refused.err.contains(QStringLiteral("เป็นไฟล์ของฐานข้อมูล"))) << refused.err.toStdString();
    }
    if (folder.onServer()) {
        EXPECT_FALSE(QFile::exists(folder.databasePath())) << "no PDF took the name of a database file";
        return;
    }
    QFile file(folder.databasePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), database);
}

} // namespace
