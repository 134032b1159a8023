#include "printing/document_layout.h"
#include "printing/priced_note_layout.h"
#include "printing_fixture.h"

#include "common/baht_text.h"
#include "common/shared_state.h"
#include "db/data_connection.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

TEST(ChooseDocumentLayout, ByKindAndLine5)
{
    const struct
    {
        int kind;
        const char *line5;
        const char *layout;
    } cases[] = {
        {5, "0", "TPrnORD3"}, {5, "7", "TPrnORD3"}, {5, "", "TPrnORD3"},
        {1, "0", "TPrnDO9s"}, {3, "0", "TPrnDO9s"}, {1, "1", "TPrnDO8"},
        {3, "3", "TPrnDO8"},  {1, "6", "TPrnDO8"},  {1, "2", "TPrnDO2"},
        {3, "4", "TPrnDO2"},  {1, "5", "TPrnDO1"},  {3, "5", "TPrnDO1"},
        {1, "7", ""},         {3, "", ""},          {1, " 1", ""},
        {0, "1", ""},         {2, "1", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ChooseDocumentLayout(c.kind, QString::fromUtf8(c.line5)),
                  QString::fromUtf8(c.layout))
            << "kind " << c.kind << ", LINE5 '" << c.line5 << "'";
    }
}

TEST(CreateDocumentLayout, KnowsTheFiveClasses)
{
    for (const QString &name : DocumentLayoutNames()) {
        const std::unique_ptr<DocumentLayout> layout = CreateDocumentLayout(name);
        ASSERT_TRUE(layout) << name.toStdString();
        EXPECT_EQ(layout->className(), name);
    }
    EXPECT_EQ(DocumentLayoutNames().size(), 5);
    EXPECT_FALSE(CreateDocumentLayout(QStringLiteral("TPrnDO3")));
}

TEST(ComposeDocumentNumber, PrefixKindAndRunningNumber)
{
    const struct
    {
        const char *stored;
        const char *shown;
    } cases[] = {
        {"ABCD1000123", "ABCD-1-000123"},
        {"RECV3000001", "RECV-3-000001"},
        {"TORD5", "TORD-5-"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ComposeDocumentNumber(QString::fromUtf8(c.stored)), QString::fromUtf8(c.shown));
}

TEST(JoinPieces, TrimsAndSkipsEmptyPieces)
{
    const struct
    {
        const char *first;
        const char *second;
        const char *third;
        const char *joined;
    } cases[] = {
        {" 5 ตลาดเก่า ", "", "10900", "5 ตลาดเก่าTel. 10900"},
        {"", " แขวงลาดยาว", "", " แขวงลาดยาว"},
        {"  ", " ", "", ""},
        {"a", "b", "c", "a bTel. c"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(JoinPieces({{"", QString::fromUtf8(c.first)},
                              {" ", QString::fromUtf8(c.second)},
                              {"Tel. ", QString::fromUtf8(c.third)}}),
                  QString::fromUtf8(c.joined));
    }
}

TEST(CompanyTexts, AddressAndContactLines)
{
    const struct
    {
        const char *name;
        QVariantMap settings;
        const char *address;
        const char *contact;
        const char *shortAddress;
        const char *shortContact;
    } cases[] = {
        {"All",
         {{"OF_ADD1", " 88/8 ถนนงามวงศ์วาน "}, {"OF_ADD2", "แขวงลาดยาว"}, {"OF_ADD4", "กรุงเทพฯ"},
          {"OF_ZIP", "10900"}, {"OF_TEL", "02-940-1234"}, {"OF_FAX", "02-940-1235"},
          {"OF_EMAIL", "a@b.example"}},
         "88/8 ถนนงามวงศ์วาน แขวงลาดยาว กรุงเทพฯ 10900 ",
         " Tel. 02-940-1234 Fax. 02-940-1235 Email : a@b.example",
         "88/8 ถนนงามวงศ์วาน แขวงลาดยาว ",
         "กรุงเทพฯ 10900 Tel. 02-940-1234 Fax. 02-940-1235 Email : a@b.example"},
        {"TelephoneOnly",
         {{"OF_ADD1", "1 ถนนหนึ่ง"}, {"OF_TEL", "02-1"}, {"OF_FAX", ""}, {"OF_EMAIL", "  "}},
         "1 ถนนหนึ่ง    ", " Tel. 02-1", "1 ถนนหนึ่ง  ", "  Tel. 02-1"},
        {"Nothing", {}, "    ", "", "  ", "  "},
    };
    for (const auto &c : cases) {
        DocumentPrintData data;
        data.settings = c.settings;
        EXPECT_EQ(data.companyAddressLine(), QString::fromUtf8(c.address)) << c.name;
        EXPECT_EQ(data.companyContactLine(), QString::fromUtf8(c.contact)) << c.name;
        EXPECT_EQ(data.shortNoteAddressLine(), QString::fromUtf8(c.shortAddress)) << c.name;
        EXPECT_EQ(data.shortNoteContactLine(), QString::fromUtf8(c.shortContact)) << c.name;
    }
}

TEST(CaptionsForKind, TitlesAndCaptionsFromTheSettings)
{
    const QVariantMap settings = {{"H_BILL_OUT", "out"}, {"H_BILL_IN", "in"},
                                  {"H_BILL_ORDER", "order"}, {"M_OUT", "m-out"},
                                  {"M_IN", "m-in"}, {"F_OUT", "f-out"},
                                  {"F_IN", "f-in"}, {"F_APPROVE", "approve"}};
    const struct
    {
        int kind;
        const char *title, *party, *left, *right;
    } cases[] = {
        {1, "out", "m-out", "f-out", "approve"},
        {3, "in", "m-in", "f-in", "approve"},
        {5, "order", "m-in", "ผู้สั่งของ", "ผู้อนุมัติ"},
        {2, "", "", "", ""},
    };
    for (const auto &c : cases) {
        const DocumentCaptions captions = CaptionsForKind(settings, c.kind);
        EXPECT_EQ(captions.title, QString::fromUtf8(c.title)) << c.kind;
        EXPECT_EQ(captions.partyCaption, QString::fromUtf8(c.party)) << c.kind;
        EXPECT_EQ(captions.leftSignature, QString::fromUtf8(c.left)) << c.kind;
        EXPECT_EQ(captions.rightSignature, QString::fromUtf8(c.right)) << c.kind;
    }
}

TEST(PricedNoteTotals, SubtotalFromQuantityAndPriceLessLineDiscount)
{
    const QList<QVariantMap> lines = {
        {{"PRO_QTY", 2.0}, {"UNIT_PRICE", 100.0}, {"DISCOUNT", 10.0}, {"PRICE", 999.0}},
        {{"PRO_QTY", 1.0}, {"UNIT_PRICE", 50.0}, {"DISCOUNT", 0.0}},
        {{"PRO_QTY", 3.0}, {"UNIT_PRICE", 0.0}, {"DISCOUNT", -5.0}},
    };
    const PricedNoteTotals totals = ComputePricedNoteTotals(lines, {{"DISCOUNT", 20.0}});
    EXPECT_DOUBLE_EQ(totals.subtotal, 230.0);
    EXPECT_DOUBLE_EQ(totals.discount, 20.0);
    EXPECT_DOUBLE_EQ(totals.afterDiscount, 210.0);
    EXPECT_DOUBLE_EQ(totals.grandTotal, 210.0);
}

TEST(PricedNoteTotals, GrandTotalInWords)
{
    const struct
    {
        double total;
        qint64 spelled; // amount x 10000 as BahtText takes it
    } cases[] = {
        {210.0, 2100000}, {0.0, 0}, {1234.567, 12345700}, {0.004, 0}, {99.995, 1000000},
    };
    for (const auto &c : cases) {
        const QString words = BahtText(c.spelled);
        EXPECT_EQ(GrandTotalWords(c.total), u'<' + words + u'>') << c.total;
    }
    EXPECT_EQ(GrandTotalWords(0.0), QStringLiteral("<>"));
}

class PrintDataTest : public PrintingTest
{
};

TEST_F(PrintDataTest, MarginsFromTheSettings)
{
    const struct
    {
        const char *layout;
        double top, left;
        double right, bottom;
    } cases[] = {
        {"TPrnDO8", 5, 3, 5.08, 7.5},   {"TPrnORD3", 5, 3, 5.08, 7.5},
        {"TPrnDO9s", 5, 3, 5.08, 17.0}, {"TPrnDO2", 5, 3, 0, 7.5},
        {"TPrnDO1", 5, 3, 0, 7.5},      {"TPrnDO9s", 10, 5, 5.08, 12.0},
        {"TPrnDO8", 20, 0, 5.08, 0},    {"TPrnDO9s", 30, 2, 5.08, 0},
    };
    for (const auto &c : cases) {
        setSettings({{"PRN_TOP", c.top}, {"PRN_LEFT", c.left}});
        const QString number = QString::fromUtf8(c.layout) == u"TPrnORD3"
                                   ? QStringLiteral("TORD5000001")
                                   : QStringLiteral("ISSU1000001");
        const auto document = laidOut(QString::fromUtf8(c.layout), number);
        const Margins &m = document->page.margins();
        EXPECT_DOUBLE_EQ(m.top, c.top) << c.layout;
        EXPECT_DOUBLE_EQ(m.left, c.left) << c.layout;
        EXPECT_DOUBLE_EQ(m.right, c.right) << c.layout;
        EXPECT_NEAR(m.bottom, c.bottom, 1e-9) << c.layout << " top " << c.top;
    }
}

TEST_F(PrintDataTest, ReadsTheDocumentOfTheHandedOverKind)
{
    const struct
    {
        const char *layout;
        const char *number;
        const char *party; // CUST_NO of the party row read
        int lines;
    } cases[] = {
        {"TPrnDO8", "ISSU1000001", "C0002", 3},
        {"TPrnDO8", "RECV3000003", "S0003", 2},
        {"TPrnORD3", "TORD5000002", "S0002", 2},
        {"TPrnDO1", "ISSU1000003", "C0003", 3},
        // A number of another kind than the layout reads: no header, no lines, no party.
        {"TPrnDO1", "RECV3000002", "", 0},
        {"TPrnORD3", "ISSU1000001", "", 0},
        {"TPrnDO1", "TORD5000001", "", 0},
    };
    for (const auto &c : cases) {
        const auto layout = prepared(QString::fromUtf8(c.layout), QString::fromUtf8(c.number));
        ASSERT_TRUE(layout);
        const DocumentPrintData &data = layout->data();
        EXPECT_EQ(data.docNo, QString::fromUtf8(c.number));
        EXPECT_EQ(data.headerText("INV_NO"), *c.party ? QString::fromUtf8(c.number) : QString())
            << c.layout << " " << c.number;
        EXPECT_EQ(data.partyText("CUST_NO"), QString::fromUtf8(c.party)) << c.number;
        EXPECT_EQ(data.lines.size(), c.lines) << c.layout << " " << c.number;
        EXPECT_EQ(data.setting("LINE5"), QStringLiteral("1"));
        EXPECT_FALSE(data.logo.isNull());
        // The number prints all the same, on an otherwise empty page when no header was found.
        ASSERT_EQ(layout->document()->pages.size(), 1);
        EXPECT_TRUE(layout->document()->pages[0].find("number"));
    }
}

TEST_F(PrintDataTest, MissingLogoStopsThePreparationAndFreesTheConnection)
{
    ASSERT_TRUE(QFile::remove(folder.folder() + "logo.bmp"));
    Shared().PrintDocNo = QStringLiteral("ISSU1000001");
    Shared().PrintDocKind = 1;
    for (const QString &name : DocumentLayoutNames()) {
        const std::unique_ptr<DocumentLayout> layout = CreateDocumentLayout(name);
        QString error;
        EXPECT_FALSE(layout->prepare(&error)) << name.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("logo.bmp"))) << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("อ่านไฟล์รูปภาพ"))) << error.toStdString();
        EXPECT_FALSE(layout->document());
    }
    // Every connection slot is free again.
    std::vector<std::unique_ptr<Connection>> connections;
    for (int i = 0; i < 5; ++i) {
        QString error;
        connections.push_back(OpenDataConnection(&error));
        EXPECT_TRUE(connections.back()) << "slot " << i << ": " << error.toStdString();
    }
}

TEST_F(PrintDataTest, ConnectionLimitStopsThePreparation)
{
    std::vector<std::unique_ptr<Connection>> connections;
    for (int i = 0; i < 5; ++i) {
        QString error;
        connections.push_back(OpenDataConnection(&error));
        ASSERT_TRUE(connections.back()) << error.toStdString();
    }
    Shared().PrintDocNo = QStringLiteral("ISSU1000001");
    Shared().PrintDocKind = 1;
    const std::unique_ptr<DocumentLayout> layout = CreateDocumentLayout(QStringLiteral("TPrnDO8"));
    QString error;
    EXPECT_FALSE(layout->prepare(&error));
    EXPECT_FALSE(error.isEmpty());
    connections.pop_back();
    EXPECT_TRUE(layout->prepare(&error)) << error.toStdString();
    QString again;
    EXPECT_TRUE(OpenDataConnection(&again)) << again.toStdString();
}

} // namespace
