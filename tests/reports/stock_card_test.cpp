#include "reports_fixture.h"

#include "common/dates.h"
#include "report/report_layout.h"
#include "report/printers.h"
#include "report/report_preview.h"
#include "reports/stock_card.h"
#include "reports/stock_card_data.h"
#include "reports/stock_card_layouts.h"
#include "ui/date_picker.h"
#include "ui/fake_dialogs.h"
#include "test_engine.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>

namespace {

QVariantMap Line(const char *code, double quantity, const QVariantMap &more = {})
{
    QVariantMap line = more;
    line.insert(QStringLiteral("PRO_NO"), QString::fromLatin1(code));
    line.insert(QStringLiteral("PRO_NAME"), QStringLiteral("ปากกาลูกลื่น"));
    line.insert(QStringLiteral("PRO_UNIT"), QStringLiteral("ด้าม"));
    line.insert(QStringLiteral("PRO_QTY"), quantity);
    return line;
}

QVariantMap Party(const QString &name)
{
    return {{QStringLiteral("CUST_NAME"), name}};
}

QStringList Column(const QList<QVariantMap> &rows, const char *column)
{
    QStringList values;
    for (const QVariantMap &row : rows)
        values.append(row.value(QString::fromLatin1(column)).toString());
    return values;
}

void ClosePreviews()
{
    qDeleteAll(OpenPreviews());
}

// The card of the example: receipts of 10 and 5 and an issue of 3 before February 2551, then a
// receipt of 4 on its first day and an issue of 6 on its last (a leap day); lines after the month,
// of another product and of a purchase order never count.
class StockCardTest : public ReportsTest
{
protected:
    void SetUp() override
    {
        ReportsTest::SetUp();
        addDocument(QStringLiteral("RECV3000001"), QStringLiteral("05/01/2551"), {Line("P-1", 10)}, Party(QStringLiteral("ผู้ขาย ก")));
        addDocument(QStringLiteral("ISSU1000001"), QStringLiteral("20/01/2551"), {Line("P-1", 3)});
        addDocument(QStringLiteral("RECV3000002"), QStringLiteral("31/01/2551"), {Line("P-1", 5), Line("P-2", 70)});
        addDocument(QStringLiteral("ISSU1000002"), QStringLiteral("29/02/2551"), {Line("P-1", 6)}, Party(QStringLiteral("แผนกซ่อม")));
        addDocument(QStringLiteral("RECV3000003"), QStringLiteral("01/02/2551"), {Line("P-1", 4)}, Party(QStringLiteral("ผู้ขาย ข")));
        addDocument(QStringLiteral("ISSU1000003"), QStringLiteral("01/03/2551"), {Line("P-1", 100)});
        addDocument(QStringLiteral("TORD5000001"), QStringLiteral("10/02/2551"), {Line("P-1", 50)});
        addDocument(QStringLiteral("ISSU1000004"), QStringLiteral("10/02/2551"), {Line("P-2", 7)});
    }

    StockCardResult card(const QString &code, const char *start, const char *end)
    {
        StockCardQuery query(db());
        StockCardResult result;
        QString error;
        EXPECT_TRUE(query.process({code, QString::fromLatin1(start), QString::fromLatin1(end)}, &result, &error))
            << error.toStdString();
        query.dropWorkTable(nullptr);
        return result;
    }

    FakeDialogs dialogs;
};

TEST_F(StockCardTest, BroughtForwardClosingAndRunningBalanceOfTheExample)
{
    const StockCardResult result = card(QStringLiteral(" P-1 "), "01/02/2551", "29/02/2551");
    EXPECT_EQ(result.openingBalance(), 12);
    EXPECT_EQ(result.closingBalance(), 10);
    EXPECT_EQ(Column(result.rows, "INV_NO"), QStringList({"RECV3000003", "ISSU1000002"})) << "date order, both ends included";
    const QList<QVariantMap> rows = WithCardColumns(result.rows, result.openingBalance(), QStringLiteral("1"));
    EXPECT_EQ(Column(rows, "MBALANCE"), QStringList({"16", "10"}));

    // The card prints the same figures, the tax month of the first row and the business.
    const QVariantMap settings = {{QStringLiteral("OF_NAME"), QStringLiteral("ร้านทดสอบ")},
                                  {QStringLiteral("OF_TAXID"), QStringLiteral("0105561234567")}};
    const ReportDocument page =
        LayoutReport(StockCardReport({settings, QStringLiteral("01/02/2551"), QStringLiteral("29/02/2551"), 12, rows}));
    ASSERT_EQ(page.pages.size(), 1);
    EXPECT_EQ(TextsOf(page, QStringLiteral("forward_balance")), QStringList({"12.00"}));
    EXPECT_EQ(TextsOf(page, QStringLiteral("forward_date")), QStringList({"01/02/2551"}));
    EXPECT_EQ(TextsOf(page, QStringLiteral("min")), QStringList({"4.00", "0.00"}));
    EXPECT_EQ(TextsOf(page, QStringLiteral("mout")), QStringList({"0.00", "6.00"}));
    EXPECT_EQ(TextsOf(page, QStringLiteral("mbalance")), QStringList({"16.00", "10.00"}));
    EXPECT_EQ(TextsOf(page, QStringLiteral("cust_name")), QStringList({"ผู้ขาย ข", "แผนกซ่อม"}));
    EXPECT_EQ(TextsOf(page, QStringLiteral("tax_month")), QStringList({"เดือนภาษี  02    ปี  2551"}));
    EXPECT_EQ(TextsOf(page, QStringLiteral("establishment")), QStringList({"ชื่อสถานประกอบการ  ร้านทดสอบ"}));
    EXPECT_EQ(TextsOf(page, QStringLiteral("tax_id")), QStringList({"0105561234567"}));
    EXPECT_EQ(TextsOf(page, QStringLiteral("unit")), QStringList({"ด้าม"}));

    // The detail listing: each quantity under its side, the group's quantity, the documents' sum.
    const ReportDocument detail = LayoutReport(
        StockCardDetailReport({settings, QStringLiteral("01/02/2551"), QStringLiteral("29/02/2551"), 12, rows}));
    EXPECT_EQ(TextsOf(detail, QStringLiteral("received")), QStringList({"4"}));
    EXPECT_EQ(TextsOf(detail, QStringLiteral("issued")), QStringList({"6"}));
    EXPECT_EQ(TextsOf(detail, QStringLiteral("group_total")), QStringList({"10"}));
    EXPECT_EQ(TextsOf(detail, QStringLiteral("group_code")), QStringList({"P-1"}));
    EXPECT_EQ(TextsOf(detail, QStringLiteral("period")),
              QStringList({"วัน/เดือน/ปี ที่ขาย ระหว่างวันที่ 01/02/2551 ถึงวันที่ 29/02/2551"}));

    const QJsonObject json = ReportJson(QStringLiteral("stock-card"), folder.folder(),
                                        {"--from", "01/02/2551", "--to", "29/02/2551", "--product", "P-1"});
    EXPECT_EQ(json.value(QStringLiteral("brought_forward")).toDouble(), 12);
    EXPECT_EQ(json.value(QStringLiteral("closing")).toDouble(), 10);
    EXPECT_EQ(JsonColumn(json, QStringLiteral("inv_no")), QVariantList({"RECV3000003", "ISSU1000002"}));
    EXPECT_EQ(JsonColumn(json, QStringLiteral("mbalance")), QVariantList({16.0, 10.0}));
    EXPECT_EQ(JsonColumn(json, QStringLiteral("min")), QVariantList({4.0, 0.0}));
}

TEST_F(StockCardTest, PeriodEdgesAndOrderOfTheRows)
{
    // The day before the start counts in the balance brought forward, the start and end days are listed.
    StockCardResult result = card(QStringLiteral("P-1"), "31/01/2551", "01/03/2551");
    EXPECT_EQ(result.openingBalance(), 7);
    EXPECT_EQ(Column(result.rows, "INV_NO"), QStringList({"RECV3000002", "RECV3000003", "ISSU1000002", "ISSU1000003"}));

    // Across a month end by date, one date by document number (goods out and goods in mixed).
    addDocument(QStringLiteral("RECV3000009"), QStringLiteral("30/01/2551"), {Line("P-3", 1)});
    addDocument(QStringLiteral("ISSU1000009"), QStringLiteral("02/02/2551"), {Line("P-3", 1)});
    addDocument(QStringLiteral("ISSU1000008"), QStringLiteral("30/01/2551"), {Line("P-3", 1)});
    result = card(QStringLiteral("P-3"), "15/01/2551", "15/02/2551");
    EXPECT_EQ(Column(result.rows, "INV_NO"), QStringList({"ISSU1000008", "RECV3000009", "ISSU1000009"}));
    // Across a year end: the key, not the text, decides.
    addDocument(QStringLiteral("RECV3000010"), QStringLiteral("05/01/2552"), {Line("P-3", 1)});
    addDocument(QStringLiteral("RECV3000011"), QStringLiteral("20/12/2551"), {Line("P-3", 1)});
    result = card(QStringLiteral("P-3"), "01/12/2551", "31/01/2552");
    EXPECT_EQ(Column(result.rows, "INV_NO"), QStringList({"RECV3000011", "RECV3000010"}));

    const QJsonObject json = ReportJson(QStringLiteral("stock-card"), folder.folder(),
                                        {"--from", "15/01/2551", "--to", "15/02/2551", "--product", "P-3"});
    EXPECT_EQ(JsonColumn(json, QStringLiteral("inv_no")), QVariantList({"ISSU1000008", "RECV3000009", "ISSU1000009"}));
}

TEST_F(StockCardTest, LongCodesAndPartyNamesAreKeptWhole)
{
    const QString code = QStringLiteral("ABCDEFGHIJKLMNO"); // 15 characters
    const QString party = QString(100, QChar(u'ก'));
    addDocument(QStringLiteral("ISSU1000020"), QStringLiteral("10/02/2551"),
                {Line(code.toLatin1().constData(), 2)}, Party(party));
    const StockCardResult result = card(code, "01/02/2551", "29/02/2551");
    ASSERT_EQ(result.rows.size(), 1);
    EXPECT_EQ(result.rows.first().value(QStringLiteral("PRO_NO")).toString(), code);
    EXPECT_EQ(result.rows.first().value(QStringLiteral("CUST_NAME")).toString(), party);
}

TEST(StockCardColumns, PackDecidesTheComputedCells)
{
    const QList<QVariantMap> rows = {
        {{"INV_NO", "RECV3000001"}, {"PRO_QTY", 4.0}},
        {{"INV_NO", "ISSU2000001"}, {"PRO_QTY", 6.0}},
        {{"INV_NO", "ADJU9000001"}, {"PRO_QTY", 2.0}}, // neither goods in nor goods out
        {{"INV_NO", "RECV4000002"}, {"PRO_QTY", 1.0}},
    };
    const struct
    {
        const char *pack;
        QStringList in, out, balance;
    } cases[] = {
        {"1", {"4", "0", "", "1"}, {"0", "6", "", "0"}, {"16", "10", "", "11"}},
        {"0", {"4", "6", "2", "1"}, {"4", "6", "2", "1"}, {"0", "0", "0", "0"}},
        {"2", {"", "", "", ""}, {"", "", "", ""}, {"", "", "", ""}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pack);
        const QList<QVariantMap> listed = WithCardColumns(rows, 12, QString::fromLatin1(c.pack));
        EXPECT_EQ(Column(listed, "MIN"), c.in);
        EXPECT_EQ(Column(listed, "MOUT"), c.out);
        EXPECT_EQ(Column(listed, "MBALANCE"), c.balance);
    }
}

TEST_F(StockCardTest, PackZeroThroughTheCommand)
{
    setSetting(QStringLiteral("PACK"), QStringLiteral("0"));
    const QJsonObject json = ReportJson(QStringLiteral("stock-card"), folder.folder(),
                                        {"--from", "01/02/2551", "--to", "29/02/2551", "--product", "P-1"});
    EXPECT_EQ(JsonColumn(json, QStringLiteral("min")), QVariantList({4.0, 6.0}));
    EXPECT_EQ(JsonColumn(json, QStringLiteral("mout")), QVariantList({4.0, 6.0}));
    EXPECT_EQ(JsonColumn(json, QStringLiteral("mbalance")), QVariantList({0.0, 0.0}));
}

TEST_F(StockCardTest, WindowDefaultsToThisMonthAndEndsTheMonthOfAChosenStart)
{
    TStock_Card window;
    const QDate today = QDate::currentDate();
    EXPECT_EQ(window.startPicker()->date(), QDate(today.year(), today.month(), 1));
    EXPECT_EQ(window.endPicker()->date(), QDate(today.year(), today.month(), today.daysInMonth()));
    EXPECT_EQ(window.broughtForwardLabel()->text(), QStringLiteral("0.00"));
    EXPECT_EQ(window.closingLabel()->text(), QStringLiteral("0.00"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("รายงานสินค้าและวัตถุดิบ "));

    const struct
    {
        const char *start, *end;
    } months[] = {{"10/02/2551", "29/02/2551"}, {"10/02/2550", "28/02/2550"}, {"31/12/2550", "31/12/2550"}};
    for (const auto &m : months) {
        window.startPicker()->choose(TextToDate(QString::fromLatin1(m.start)));
        EXPECT_EQ(window.endPicker()->text(), QString::fromLatin1(m.end)) << m.start;
    }
    // The product list: an empty first item, then every code on a line, each once.
    QStringList items;
    for (int i = 0; i < window.productBox()->count(); ++i)
        items.append(window.productBox()->itemText(i));
    EXPECT_EQ(items, QStringList({"", "P-1", "P-2"}));
    EXPECT_EQ(window.productBox()->currentIndex(), 0);
    EXPECT_TRUE(dialogs.shown().isEmpty()) << dialogs.shown().join(u'\n').toStdString();
}

TEST_F(StockCardTest, WindowProcessesPreviewsAndSaysWhenThereIsNothing)
{
    TStock_Card window;
    window.startPicker()->setDate(QDate(2008, 2, 1));
    window.endPicker()->setDate(QDate(2008, 2, 29));

    // Nothing processed yet: choosing a product does not process.
    window.productBox()->setEditText(QStringLiteral("P-1"));
    window.ProductBoxChosen();
    EXPECT_EQ(window.list()->rowCount(), 0);

    window.processButton()->click();
    EXPECT_EQ(window.broughtForwardLabel()->text(), QStringLiteral("12.00"));
    EXPECT_EQ(window.closingLabel()->text(), QStringLiteral("10.00"));
    ASSERT_EQ(window.list()->rowCount(), 2);
    EXPECT_EQ(window.list()->item(0, 0)->text(), QStringLiteral("RECV3000003"));
    EXPECT_EQ(window.list()->item(1, 7)->text(), QStringLiteral("6.00"));

    window.viewButton()->click();
    ASSERT_EQ(OpenPreviews().size(), 1);
    EXPECT_EQ(TextsOf(OpenPreviews().first()->document(), QStringLiteral("mbalance")), QStringList({"16.00", "10.00"}));
    window.detailButton()->click();
    EXPECT_EQ(OpenPreviews().size(), 2);
    ClosePreviews();

    // "พิมพ์" goes to the default printer at once; without a printer the user is told and sees the preview.
    QStringList printed;
    bool havePrinter = true;
    PreviewOutput output = PreviewOutput::system();
    output.hasPrinter = [&havePrinter] { return havePrinter; };
    output.print = [&printed](const ReportDocument &document, QString *) {
        printed += TextsOf(document, QStringLiteral("mbalance"));
        return true;
    };
    window.setOutput(output);
    window.printButton()->click();
    EXPECT_EQ(printed, QStringList({"16.00", "10.00"}));
    EXPECT_TRUE(OpenPreviews().isEmpty());
    havePrinter = false;
    window.printButton()->click();
    EXPECT_EQ(dialogs.messages(), QStringList({NoPrinterMessage()}));
    EXPECT_EQ(OpenPreviews().size(), 1);
    ClosePreviews();
    dialogs.clear();

    // A row click hands its product to the box; once processed, a choice processes again.
    window.productBox()->setEditText(QString());
    window.list()->cellClicked(0, 0);
    EXPECT_EQ(window.productBox()->currentText(), QStringLiteral("P-1"));
    window.startPicker()->setDate(QDate(2008, 3, 1));
    window.endPicker()->setDate(QDate(2008, 3, 31));
    window.ProductBoxChosen();
    EXPECT_EQ(window.broughtForwardLabel()->text(), QStringLiteral("10.00"));
    EXPECT_EQ(window.list()->rowCount(), 1);

    // A period without movement keeps the balance under both labels and has nothing to show.
    window.startPicker()->setDate(QDate(2008, 4, 1));
    window.endPicker()->setDate(QDate(2008, 4, 30));
    window.processButton()->click();
    EXPECT_EQ(window.broughtForwardLabel()->text(), QStringLiteral("-90.00"));
    EXPECT_EQ(window.closingLabel()->text(), QStringLiteral("-90.00"));
    EXPECT_EQ(window.list()->rowCount(), 0);
    window.viewButton()->click();
    window.detailButton()->click();
    EXPECT_EQ(dialogs.messages(), QStringList({"ไม่มีข้อมูลรายงาน..."}));
    EXPECT_TRUE(OpenPreviews().isEmpty());
    EXPECT_TRUE(dialogs.errors().isEmpty()) << dialogs.errors().join(u'\n').toStdString();
}

TEST_F(StockCardTest, TwoWindowsKeepTheirOwnWorkTables)
{
    auto first = std::make_unique<TStock_Card>();
    TStock_Card second;
    for (TStock_Card *window : {first.get(), &second}) {
        window->startPicker()->setDate(QDate(2008, 2, 1));
        window->endPicker()->setDate(QDate(2008, 2, 29));
    }
    first->productBox()->setEditText(QStringLiteral("P-1"));
    second.productBox()->setEditText(QStringLiteral("P-2"));
    first->processButton()->click();
    second.processButton()->click();
    EXPECT_EQ(Column(first->result().rows, "INV_NO"), QStringList({"RECV3000003", "ISSU1000002"}));
    EXPECT_EQ(Column(second.result().rows, "INV_NO"), QStringList({"ISSU1000004"}));

    // One window closing drops only its own table; the other goes on processing.
    first->close();
    first.reset();
    second.processButton()->click();
    EXPECT_EQ(Column(second.result().rows, "INV_NO"), QStringList({"ISSU1000004"}));
    EXPECT_EQ(second.closingLabel()->text(), QStringLiteral("63.00"));
    EXPECT_TRUE(dialogs.errors().isEmpty()) << dialogs.errors().join(u'\n').toStdString();
}

TEST_F(StockCardTest, AClosingWindowLeavesThePlannerItsStatistics)
{
    SKIP_ON_SERVER("the server keeps its statistics itself");
    const auto statisticsRows = [this] {
        QSqlQuery count(db());
        return count.exec(QStringLiteral("SELECT count(*) FROM sqlite_stat1 WHERE tbl = 'invoice1'")) && count.next()
                   ? count.value(0).toInt()
                   : 0;
    };
    EXPECT_EQ(statisticsRows(), 0);
    {
        TStock_Card window;
        window.productBox()->setEditText(QStringLiteral("P-1"));
        window.processButton()->click();
        window.close();
    }
    EXPECT_GT(statisticsRows(), 0);
}

} // namespace
