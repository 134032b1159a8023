#include "reports_fixture.h"

#include "common/dates.h"
#include "common/shared_state.h"
#include "common/win874.h"
#include "report/report_layout.h"
#include "report/report_preview.h"
#include "reports/best_buy.h"
#include "reports/listing_layouts.h"
#include "reports/movement_listing.h"
#include "run_larderon.h"
#include "test_engine.h"
#include "ui/date_picker.h"
#include "ui/fake_dialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

QVariantMap Line(const char *code, double quantity, const QVariant &group, const QString &name = QStringLiteral("สินค้า"))
{
    return {{QStringLiteral("PRO_NO"), QString::fromLatin1(code)}, {QStringLiteral("PRO_QTY"), quantity},
            {QStringLiteral("PRO_GROUP"), group}, {QStringLiteral("PRO_NAME"), name},
            {QStringLiteral("PRO_UNIT"), QStringLiteral("ชิ้น")}};
}

QStringList Numbers(const QList<QVariantMap> &rows)
{
    QStringList numbers;
    for (const QVariantMap &row : rows)
        numbers.append(row.value(QStringLiteral("INV_NO")).toString());
    return numbers;
}

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Goods out from 15/01/2551 to 15/02/2551 (one line without a group), one before and one after,
// and goods in on a day of the range.
class ListingTest : public ReportsTest
{
protected:
    void SetUp() override
    {
        ReportsTest::SetUp();
        addDocument(QStringLiteral("ISSU2000002"), QStringLiteral("03/02/2551"), {Line("P-2", 3.5, QStringLiteral("FOOD"))},
                    {{QStringLiteral("INV_TIME"), QStringLiteral("09:30:00")}});
        addDocument(QStringLiteral("ISSU1000001"), QStringLiteral("20/01/2551"),
                    {Line("P-1", 2, QStringLiteral("STAT"), QStringLiteral("ปากกา \"ดี\""))},
                    {{QStringLiteral("INV_TIME"), QStringLiteral("10:15:00")}});
        addDocument(QStringLiteral("ISSU1000003"), QStringLiteral("15/01/2551"), {Line("P-3", 10, QStringLiteral("STAT"))});
        addDocument(QStringLiteral("ISSU1000006"), QStringLiteral("15/02/2551"), {Line("P-4", 100, NullText())});
        addDocument(QStringLiteral("ISSU1000004"), QStringLiteral("20/12/2550"), {Line("P-1", 1, QStringLiteral("STAT"))});
        addDocument(QStringLiteral("ISSU1000005"), QStringLiteral("16/02/2551"), {Line("P-1", 1, QStringLiteral("STAT"))});
        addDocument(QStringLiteral("RECV3000001"), QStringLiteral("20/01/2551"), {Line("P-1", 7, QStringLiteral("STAT"))});
        addDocument(QStringLiteral("RECV4000002"), QStringLiteral("21/01/2551"), {Line("P-9", 8, QStringLiteral("ZZZ"))});
    }

    ListingResult listing(int mode, const char *from, const char *to, const QString &group = AllGroupsText(),
                          ListingSort sort = ListingSort::Date)
    {
        ListingResult result;
        QString error;
        EXPECT_TRUE(RunListing(db(), {mode, QString::fromLatin1(from), QString::fromLatin1(to), group, sort}, &result, &error))
            << error.toStdString();
        return result;
    }

    FakeDialogs dialogs;
};

TEST_F(ListingTest, RangeGroupsSortAndTotal)
{
    ListingResult result = listing(2, "15/01/2551", "15/02/2551");
    EXPECT_EQ(Numbers(result.rows), QStringList({"ISSU1000003", "ISSU1000001", "ISSU2000002"}))
        << "both ends included, by date; the line without a group is left out of ทั้งหมด";
    EXPECT_EQ(result.total, 15.5);

    const struct
    {
        const char *from, *to, *group;
        ListingSort sort;
        QStringList numbers;
    } cases[] = {
        {"01/12/2550", "31/01/2551", "ทั้งหมด", ListingSort::Date, {"ISSU1000004", "ISSU1000003", "ISSU1000001"}},
        {"15/01/2551", "15/02/2551", "STAT", ListingSort::Date, {"ISSU1000003", "ISSU1000001"}},
        {"15/01/2551", "15/02/2551", "STAT ", ListingSort::Date, {}}, // the box text is not trimmed
        {"15/01/2551", "15/02/2551", "XYZ", ListingSort::Date, {}},
        {"15/01/2551", "15/02/2551", "ทั้งหมด", ListingSort::Code, {"ISSU1000001", "ISSU2000002", "ISSU1000003"}},
        {"15/01/2551", "15/02/2551", "ทั้งหมด", ListingSort::Group, {"ISSU2000002", "ISSU1000003", "ISSU1000001"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.from) + " " + c.group);
        EXPECT_EQ(Numbers(listing(2, c.from, c.to, QString::fromUtf8(c.group), c.sort).rows), c.numbers);
    }
    // Goods in lists both kinds of its own documents only.
    result = listing(1, "15/01/2551", "15/02/2551");
    EXPECT_EQ(Numbers(result.rows), QStringList({"RECV3000001", "RECV4000002"}));

    const QJsonObject json = ReportJson(QStringLiteral("goods-out"), folder.folder(), {"--from", "15/01/2551", "--to", "15/02/2551"});
    EXPECT_EQ(JsonColumn(json, QStringLiteral("inv_no")), QVariantList({"ISSU1000003", "ISSU1000001", "ISSU2000002"}));
    EXPECT_EQ(JsonColumn(json, QStringLiteral("pro_qty")), QVariantList({10.0, 2.0, 3.5}));
    EXPECT_EQ(json.value(QStringLiteral("total")).toDouble(), 15.5);
    const QJsonObject acrossYears = ReportJson(QStringLiteral("goods-out"), folder.folder(),
                                               {"--from", "01/12/2550", "--to", "31/01/2551", "--sort", "date"});
    EXPECT_EQ(JsonColumn(acrossYears, QStringLiteral("inv_no")), QVariantList({"ISSU1000004", "ISSU1000003", "ISSU1000001"}));
    const QJsonObject goodsIn = ReportJson(QStringLiteral("goods-in"), folder.folder(),
                                           {"--from", "15/01/2551", "--to", "15/02/2551", "--group", "STAT"});
    EXPECT_EQ(JsonColumn(goodsIn, QStringLiteral("inv_no")), QVariantList({"RECV3000001"}));
}

TEST_F(ListingTest, CsvBytesAndTheCommandsFile)
{
    const ListingResult result = listing(2, "15/01/2551", "15/02/2551");
    const QByteArray csv = ListingCsv(2, result.rows);
    const QString expected =
        QStringLiteral("<Talvora Larderon 3.0>\r\n"
                       "Report_Out ..\r\n"
                       "\r\n"
                       "ใบสำคัญ , วันที่ , เวลา , รหัสสินค้าค้า , ชื่อสินค้า , กลุ่ม , จำนวน , หน่วยนับ  \r\n"
                       "\"ISSU1000003\",\"15/01/2551\",\"\",\"P-3\",\"สินค้า\",\"STAT\",\"10\",\"ชิ้น\" \r\n"
                       "\"ISSU1000001\",\"20/01/2551\",\"10:15:00\",\"P-1\",\"ปากกา \"\"ดี\"\"\",\"STAT\",\"2\",\"ชิ้น\" \r\n"
                       "\"ISSU2000002\",\"03/02/2551\",\"09:30:00\",\"P-2\",\"สินค้า\",\"FOOD\",\"3.5\",\"ชิ้น\" \r\n"
                       " \r\n"
                       " \r\n");
    EXPECT_EQ(DecodeWindows874(csv), expected);
    // One byte per Thai letter: "ใบสำคัญ" is e3 ba ca d3 a4 d1 ad in the code page.
    EXPECT_TRUE(csv.contains(QByteArray::fromHex("e3bacad3a4d1ad")));
    EXPECT_FALSE(csv.contains(QByteArray::fromHex("e0b8"))) << "no UTF-8";

    // The command writes exactly the same bytes.
    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("out.csv"));
    const CommandResult written = RunLarderon(
        {"report", "goods-out", folder.folder(), "--from", "15/01/2551", "--to", "15/02/2551", "--csv", file});
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_EQ(FileBytes(file), csv);

    // On a full disk the earlier file stays whole and the failure is reported in Thai.
    const CommandResult full = RunLarderon(
        {"report", "goods-out", folder.folder(), "--from", "15/01/2551", "--to", "15/02/2551", "--sort", "code", "--csv", file},
        120);
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_TRUE(full.err.contains(QStringLiteral("Export ข้อมูล TO : Report_Out.csv ไม่สำเร็จ"))) << full.err.toStdString();
    EXPECT_EQ(FileBytes(file), csv);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList({"out.csv"}));
}

TEST_F(ListingTest, LayoutsPrintTheRowsAndTheTotal)
{
    const ListingResult result = listing(2, "15/01/2551", "15/02/2551");
    const ReportDocument first = LayoutReport(ListingReport(1, 2, result.rows, result.total));
    EXPECT_EQ(TextsOf(first, QStringLiteral("title")), QStringList({"สินค้าที่จำหน่าย"}));
    EXPECT_EQ(TextsOf(first, QStringLiteral("number")), QStringList({"1", "2", "3"}));
    EXPECT_EQ(TextsOf(first, QStringLiteral("pro_qty")), QStringList({"10.00", "2.00", "3.50"}));
    EXPECT_EQ(TextsOf(first, QStringLiteral("total")), QStringList({"15.50"}));
    EXPECT_EQ(first.page.margins().left, 5.08);
    const ReportDocument second = LayoutReport(ListingReport(2, 1, result.rows, result.total));
    EXPECT_EQ(TextsOf(second, QStringLiteral("title")), QStringList({"สินค้าที่นำเข้า"}));
    EXPECT_EQ(TextsOf(second, QStringLiteral("inv_no")), QStringList({"ISSU1000003", "ISSU1000001", "ISSU2000002"}));
    EXPECT_EQ(TextsOf(second, QStringLiteral("inv_time")), QStringList({"", "10:15:00", "09:30:00"}));
    EXPECT_EQ(TextsOf(second, QStringLiteral("heading_inv_no")), QStringList({"เลขใบสำคัญ"}));
}

TEST_F(ListingTest, WindowListsExportsAndReports)
{
    const QDate today = QDate::currentDate();
    addDocument(QStringLiteral("ISSU1000010"), DateToText(today), {Line("P-5", 4, QStringLiteral("STAT"))});
    addDocument(QStringLiteral("ISSU1000011"), DateToText(today.addDays(-1)), {Line("P-5", 5, QStringLiteral("STAT"))});
    Shared().ListingKind = 2;
    TBest_Buy window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral(" สินค้าที่จำหน่าย"));
    EXPECT_EQ(window.fromPicker()->date(), today);
    EXPECT_EQ(window.toPicker()->date(), today);
    QStringList groups;
    for (int i = 0; i < window.groupBox()->count(); ++i)
        groups.append(window.groupBox()->itemText(i));
    EXPECT_EQ(groups, QStringList({"ทั้งหมด", "FOOD", "STAT"}));
    EXPECT_EQ(window.list()->rowCount(), 0) << "nothing is listed before the first run";
    EXPECT_FALSE(window.exportButton()->isEnabled());

    window.report1Button()->click();
    EXPECT_EQ(dialogs.messages(), QStringList({"ไม่มีข้อมูลรายงาน..."}));

    window.processButton()->click();
    EXPECT_EQ(Numbers(window.result().rows), QStringList({"ISSU1000010"})) << "today only";
    EXPECT_TRUE(window.exportButton()->isEnabled());

    // The range chosen in a picker runs the listing again, a group typed into the box too.
    window.fromPicker()->setDate(QDate(2008, 1, 15));
    window.toPicker()->choose(QDate(2008, 2, 15));
    EXPECT_EQ(window.list()->rowCount(), 3);
    EXPECT_EQ(window.list()->item(1, 3)->text(), QStringLiteral("ปากกา \"ดี\""));
    EXPECT_EQ(window.list()->item(2, 5)->text(), QStringLiteral("3.50"));
    window.groupBox()->setEditText(QStringLiteral("XYZ"));
    EXPECT_EQ(window.list()->rowCount(), 0);
    EXPECT_FALSE(window.exportButton()->isEnabled());
    window.groupBox()->setEditText(AllGroupsText());
    window.sortChoice()->button(1)->click();
    EXPECT_EQ(Numbers(window.result().rows), QStringList({"ISSU1000001", "ISSU2000002", "ISSU1000003"}));

    dialogs.clear();
    window.exportButton()->click();
    EXPECT_EQ(dialogs.messages(), QStringList({"Export ข้อมูล TO : Report_Out.csv เรียบร้อยแล้ว..."}));
    EXPECT_EQ(FileBytes(folder.folder() + QStringLiteral("Report_Out.csv")), ListingCsv(2, window.result().rows));

    window.report2Button()->click();
    ASSERT_EQ(OpenPreviews().size(), 1);
    EXPECT_EQ(TextsOf(OpenPreviews().first()->document(), QStringLiteral("total")), QStringList({"15.50"}));
    qDeleteAll(OpenPreviews());
    EXPECT_TRUE(dialogs.errors().isEmpty()) << dialogs.errors().join(u'\n').toStdString();
}

TEST_F(ListingTest, GoodsInWindowTakesItsModeFromTheMenu)
{
    Shared().ListingKind = 1;
    TBest_Buy window;
    EXPECT_EQ(window.mode(), 1);
    EXPECT_EQ(window.windowTitle(), QStringLiteral(" สินค้าที่นำเข้า"));
    window.fromPicker()->setDate(QDate(2008, 1, 15));
    window.toPicker()->setDate(QDate(2008, 2, 15));
    window.processButton()->click();
    EXPECT_EQ(Numbers(window.result().rows), QStringList({"RECV3000001", "RECV4000002"}));
    window.exportButton()->click();
    EXPECT_EQ(dialogs.messages(), QStringList({"Export ข้อมูล TO : Report_In.csv เรียบร้อยแล้ว..."}));
    EXPECT_TRUE(DecodeWindows874(FileBytes(folder.folder() + QStringLiteral("Report_In.csv"))).startsWith(
        QStringLiteral("<Talvora Larderon 3.0>\r\nReport_In ..\r\n")));
}

TEST_F(ListingTest, TheMonthsListingReadsTheDateKeyIndex)
{
    SKIP_ON_SERVER("the plan of the file's engine");
    for (int mode : {1, 2}) {
        QSqlQuery plan(db());
        ASSERT_TRUE(plan.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") +
                                 ListingStatementText({mode, {}, {}, AllGroupsText(), ListingSort::Date})));
        for (const char *name : {":mbegin", ":mend", ":p_pro_group"})
            plan.bindValue(QLatin1String(name), QStringLiteral("x"));
        ASSERT_TRUE(plan.exec());
        QStringList steps;
        while (plan.next())
            steps.append(plan.value(3).toString());
        const QString header = mode == 1 ? QStringLiteral("order0") : QStringLiteral("invoice");
        EXPECT_TRUE(steps.first().startsWith(QStringLiteral("SEARCH %1 USING INDEX %1_lookup2 (<expr>").arg(header)))
            << steps.join(QStringLiteral(" | ")).toStdString();
    }
}

} // namespace
