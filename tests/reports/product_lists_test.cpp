#include "reports_fixture.h"

#include "report/report_layout.h"
#include "report/report_preview.h"
#include "reports/expiry_window.h"
#include "reports/product_list_layouts.h"
#include "reports/product_lists.h"
#include "reports/reorder_window.h"
#include "ui/date_picker.h"
#include "ui/fake_dialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QPushButton>
#include <QTableWidget>

namespace {

QVariantMap Product(const char *code, double total, double reorder, const QVariant &expire = QStringLiteral(""))
{
    return {{QStringLiteral("PRO_NO"), QString::fromLatin1(code)},
            {QStringLiteral("PRO_NAME"), QStringLiteral("สินค้า %1").arg(QLatin1String(code))},
            {QStringLiteral("PRO_TOTAL"), total},
            {QStringLiteral("PRO_RORDER"), reorder},
            {QStringLiteral("EXPIRE"), expire}};
}

QVariantMap Line(const char *code, double quantity, double post)
{
    return {{QStringLiteral("PRO_NO"), QString::fromLatin1(code)}, {QStringLiteral("PRO_QTY"), quantity},
            {QStringLiteral("STK_POST"), post}};
}

QStringList Codes(const QList<QVariantMap> &rows)
{
    QStringList codes;
    for (const QVariantMap &row : rows)
        codes.append(row.value(QStringLiteral("PRO_NO")).toString());
    return codes;
}

ReportPreview *TakePreview()
{
    const QList<ReportPreview *> previews = OpenPreviews();
    return previews.isEmpty() ? nullptr : previews.first();
}

class ProductListsTest : public ReportsTest
{
protected:
    FakeDialogs dialogs;
};

// PRO_TOTAL 10, posted goods in 5 and goods out 12: 3 on hand, below a point of 4, not of 3. An
// unposted goods-out line and purchase orders never count; lines in another letter case do.
class ReorderTest : public ProductListsTest
{
protected:
    void SetUp() override
    {
        ProductListsTest::SetUp();
        addProduct(Product("B-4", 10, 4));
        addProduct(Product("A-3", 10, 3));
        addProduct(Product("ABC", 0, 1));
        for (const char *code : {"A-3", "B-4"}) {
            addDocument(QStringLiteral("RECV3%1").arg(QLatin1String(code) == QLatin1String("A-3") ? 1 : 2, 6, 10, QLatin1Char('0')),
                        QStringLiteral("01/02/2551"), {Line(code, 5, 2)});
            addDocument(QStringLiteral("ISSU1%1").arg(QLatin1String(code) == QLatin1String("A-3") ? 1 : 2, 6, 10, QLatin1Char('0')),
                        QStringLiteral("02/02/2551"), {Line(code, 12, 1), Line(code, 50, 0)});
        }
        addDocument(QStringLiteral("TORD5000001"), QStringLiteral("03/02/2551"), {Line("A-3", 100, 6)});
        addDocument(QStringLiteral("RECV3000009"), QStringLiteral("03/02/2551"), {Line("abc", 2, 2)});
    }
};

TEST_F(ReorderTest, ListsWhatIsBelowItsPointWithTheStockOnHand)
{
    PostedSumsLookup sums;
    ReorderList list;
    QString error;
    ASSERT_TRUE(sums.load(db(), &error)) << error.toStdString();
    ASSERT_TRUE(ReadReorderList(db(), sums, ReorderSort::Code, &list, &error)) << error.toStdString();
    EXPECT_EQ(list.productCount, 3);
    EXPECT_EQ(Codes(list.rows), QStringList({"B-4"}));
    ASSERT_EQ(list.rows.size(), 1);
    EXPECT_EQ(list.rows.first().value(QStringLiteral("ON_HAND")).toDouble(), 3);

    const ReportDocument page = LayoutReport(ReorderReport(list.rows));
    EXPECT_EQ(TextsOf(page, QStringLiteral("title")), QStringList({"รายงานสินค้าถึงจุดต้องนำเข้า"}));
    EXPECT_EQ(TextsOf(page, QStringLiteral("third")), QStringList({"4"}));
    EXPECT_EQ(TextsOf(page, QStringLiteral("on_hand")), QStringList({"3"}));

    // The lower-case lines of ABC count for it (2 on hand is not below 1).
    EXPECT_EQ(sums.find(QStringLiteral("ABC")).in, 2);
    EXPECT_EQ(sums.find(QStringLiteral("abc")).in, 2);

    const QJsonObject json = ReportJson(QStringLiteral("reorder"), folder.folder(), {});
    EXPECT_EQ(json.value(QStringLiteral("products")).toInt(), 3);
    EXPECT_EQ(JsonColumn(json, QStringLiteral("pro_no")), QVariantList({"B-4"}));
    EXPECT_EQ(JsonColumn(json, QStringLiteral("on_hand")), QVariantList({3.0}));
    EXPECT_EQ(JsonColumn(json, QStringLiteral("pro_rorder")), QVariantList({4.0}));
}

TEST_F(ReorderTest, WindowPrintsTheListOrSaysTheRegisterIsEmpty)
{
    TPoint window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral(" รายงานสินค้าถึงจุดสั่งซื้อ"));
    window.sortChoice()->button(1)->click();
    window.reportButton()->click();
    ReportPreview *preview = TakePreview();
    ASSERT_TRUE(preview);
    EXPECT_EQ(TextsOf(preview->document(), QStringLiteral("pro_no")), QStringList({"B-4"}));
    delete preview;

    // The register is what is checked: with products, none below its point, the page has headings only.
    addDocument(QStringLiteral("RECV3000010"), QStringLiteral("04/02/2551"), {Line("B-4", 10, 2)});
    TPoint reopened;
    reopened.reportButton()->click();
    preview = TakePreview();
    ASSERT_TRUE(preview);
    EXPECT_EQ(TextsOf(preview->document(), QStringLiteral("heading_pro_no")), QStringList({"รหัสสินค้า"}));
    EXPECT_TRUE(TextsOf(preview->document(), QStringLiteral("pro_no")).isEmpty());
    delete preview;
    EXPECT_TRUE(dialogs.shown().isEmpty()) << dialogs.shown().join(u'\n').toStdString();
}

TEST_F(ProductListsTest, ReorderWindowWithoutProductsHasNothingToReport)
{
    TPoint window;
    window.reportButton()->click();
    EXPECT_EQ(dialogs.messages(), QStringList({"ไม่มีข้อมูลรายงาน..."}));
    EXPECT_FALSE(TakePreview());
}

// Expiry dates around the turn of 2551/2552, an empty one and a null one.
class ExpiryTest : public ProductListsTest
{
protected:
    void SetUp() override
    {
        ProductListsTest::SetUp();
        addProduct(Product("E-1", 1, 0, QStringLiteral("31/12/2550")));
        addProduct(Product("E-2", 2, 0, QStringLiteral("01/01/2552")));
        addProduct(Product("E-3", 3, 0, QStringLiteral("31/12/2551")));
        addProduct(Product("E-4", 4, 0, QStringLiteral("")));  // empty, not null
        addProduct(Product("E-5", 5, 0, NullText()));
        addDocument(QStringLiteral("ISSU1000001"), QStringLiteral("02/02/2551"), {Line("E-3", 2, 1), Line("E-3", 9, 0)});
        addDocument(QStringLiteral("RECV3000001"), QStringLiteral("01/02/2551"), {Line("E-3", 10, 2)});
    }

    QList<QVariantMap> expired(const char *date, ExpirySort sort)
    {
        QList<QVariantMap> rows;
        QString error;
        EXPECT_TRUE(ReadExpiryList(db(), QString::fromLatin1(date), sort, &rows, &error)) << error.toStdString();
        return rows;
    }
};

TEST_F(ExpiryTest, ListsWhatExpiresByTheDateInEitherOrder)
{
    const struct
    {
        const char *date;
        ExpirySort sort;
        QStringList codes;
    } cases[] = {
        {"30/12/2550", ExpirySort::Name, {"E-4"}},
        {"31/12/2550", ExpirySort::Name, {"E-1", "E-4"}},
        {"31/12/2552", ExpirySort::Name, {"E-1", "E-2", "E-3", "E-4"}},
        {"31/12/2552", ExpirySort::Expiry, {"E-2", "E-3", "E-1", "E-4"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.date);
        EXPECT_EQ(Codes(expired(c.date, c.sort)), c.codes);
    }
    const QList<QVariantMap> rows = expired("31/12/2552", ExpirySort::Expiry);
    EXPECT_EQ(rows.at(1).value(QStringLiteral("ON_HAND")).toDouble(), 11) << "3 + 10 in - 2 out; the unposted line does not count";

    const ReportDocument page = LayoutReport(ExpiryReport(rows));
    EXPECT_EQ(TextsOf(page, QStringLiteral("title")), QStringList({"รายงานทะเบียนสินค้าสิ้นอายุ"}));
    EXPECT_EQ(TextsOf(page, QStringLiteral("third")), QStringList({"01/01/2552", "31/12/2551", "31/12/2550", ""}));
    EXPECT_EQ(TextsOf(page, QStringLiteral("on_hand")), QStringList({"2", "11", "1", "4"}));
    EXPECT_TRUE(page.pages.first().find(QStringLiteral("heading_third"))->font.underline);

    const QJsonObject json = ReportJson(QStringLiteral("expiry"), folder.folder(), {"--date", "31/12/2552", "--sort", "expiry"});
    EXPECT_EQ(JsonColumn(json, QStringLiteral("pro_no")), QVariantList({"E-2", "E-3", "E-1", "E-4"}));
    EXPECT_EQ(JsonColumn(json, QStringLiteral("on_hand")), QVariantList({2.0, 11.0, 1.0, 4.0}));
}

TEST_F(ExpiryTest, WindowListsOnCreationAndAgainOnEachChoice)
{
    TExpire window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral(" รายงานสินค้าสิ้นอายุ"));
    EXPECT_EQ(window.datePicker()->date(), QDate::currentDate());
    EXPECT_EQ(Codes(window.rows()), QStringList({"E-1", "E-2", "E-3", "E-4"})) << "all have expired by today";

    window.datePicker()->choose(QDate(2007, 12, 30));
    EXPECT_EQ(Codes(window.rows()), QStringList({"E-4"}));
    window.datePicker()->choose(QDate(2009, 12, 31));
    window.sortChoice()->button(1)->click();
    EXPECT_EQ(Codes(window.rows()), QStringList({"E-2", "E-3", "E-1", "E-4"}));
    ASSERT_EQ(window.list()->rowCount(), 4);
    EXPECT_EQ(window.list()->item(1, 3)->text(), QStringLiteral("11"));

    window.reportButton()->click();
    ReportPreview *preview = TakePreview();
    ASSERT_TRUE(preview);
    EXPECT_EQ(TextsOf(preview->document(), QStringLiteral("pro_no")), QStringList({"E-2", "E-3", "E-1", "E-4"}));
    delete preview;
    EXPECT_TRUE(dialogs.shown().isEmpty()) << dialogs.shown().join(u'\n').toStdString();
}

TEST_F(ProductListsTest, ExpiryWindowWithNothingListedHasNothingToReport)
{
    TExpire window;
    window.reportButton()->click();
    EXPECT_EQ(dialogs.messages(), QStringList({"ไม่มีข้อมูลรายงาน..."}));
}

} // namespace
