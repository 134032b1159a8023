// What only the party registers have: the credit terms, the numbers of the employee register and
// the envelope.
#include "register_fixture.h"

#include "registers/party_registers.h"
#include "report/report_layout.h"
#include "report/report_preview.h"

#include <QApplication>
#include <QLineEdit>

namespace {

class PartyRegister : public RegisterFixture
{
protected:
    void SetUp() override
    {
        RegisterFixture::SetUp();
        insert(QStringLiteral("supply"), {{"CUST_NO", "S01"}, {"CUST_NAME", "บริษัท กาแฟไทย จำกัด"}, {"CUST_ADD1", "12 ถนนสุขุมวิท"},
                                          {"CUST_ADD2", "แขวงคลองเตย"}, {"CUST_CRE", "สด"}});
        insert(QStringLiteral("sale"), {{"SALE_NO", "E01"}, {"SALE_NAME", "สมชาย ใจดี"}, {"SALE_ADD1", "1 หมู่ 2"},
                                        {"SALE_ADD4", "ลำปาง"}, {"SALE_ZIP", "52000"}});
    }

    // Lays out the envelope of the party on display.
    Page envelopePage(PartyRegisterWindow &window)
    {
        Report report;
        QString error;
        EXPECT_TRUE(window.envelope(&report, &error)) << error.toStdString();
        const ReportDocument document = LayoutReport(report);
        EXPECT_EQ(document.pages.size(), 1);
        return document.pages.value(0);
    }
};

QString itemText(const Page &page, const char *tag)
{
    const PageItem *item = page.find(QString::fromLatin1(tag));
    return item ? item->text : QStringLiteral("<no %1>").arg(QLatin1String(tag));
}

} // namespace

TEST_F(PartyRegister, OnlyTheSixteenCreditTermsAsWrittenAreAccepted)
{
    const struct
    {
        const char16_t *credit;
        bool saved;
    } cases[] = {{u"30 ว.", true}, {u"30ว.", false}, {u"", false}, {u"120 ว.", true}, {u"สด ", false}, {u"6 ด.", true}};
    TRef_Supply_Sql window;
    int code = 10;
    for (const auto &c : cases) {
        const QString credit = QString::fromUtf16(c.credit);
        dialogs.clear();
        Trigger(window, "Add");
        EXPECT_EQ(window.fieldText(QStringLiteral("CUST_CRE")), QStringLiteral("สด")) << "a new party starts on cash";
        window.fields()->setText(QStringLiteral("CUST_NO"), QStringLiteral("S%1").arg(code++));
        window.fields()->setText(QStringLiteral("CUST_CRE"), credit);
        Trigger(window, "Save");
        EXPECT_EQ(window.mode(), c.saved ? QStringLiteral("normal") : QStringLiteral("add")) << credit.toStdString();
        EXPECT_EQ(dialogs.messages(), c.saved ? QStringList() : QStringList{"ข้อมูลเครดิตไม่ถูกต้อง"}) << credit.toStdString();
        if (!c.saved)
            Trigger(window, "Cancel");
    }
    EXPECT_EQ(count(QStringLiteral("supply")), 4);
    EXPECT_EQ(scalar(QStringLiteral("select cust_disc from supply where cust_no = 'S10'")).toDouble(), 0.0);
}

TEST_F(PartyRegister, AnEmployeeWhoseSalaryIsNotANumberIsNotSaved)
{
    TRef_Sale_Sql window;
    Trigger(window, "Add");
    EXPECT_EQ(window.fieldText(QStringLiteral("SALARY")), QStringLiteral("0"));
    EXPECT_EQ(window.fieldText(QStringLiteral("SALE_COM")), QStringLiteral("0"));
    window.fields()->setText(QStringLiteral("SALE_NO"), QStringLiteral("E02"));
    window.fields()->setText(QStringLiteral("SALARY"), QStringLiteral("abc"));
    Trigger(window, "Save");
    EXPECT_EQ(dialogs.messages(), QStringList{"ขณะนี้ ไม่สามารถบันทึกข้อมูลได้ "});
    EXPECT_EQ(window.mode(), QStringLiteral("add"));
    EXPECT_EQ(count(QStringLiteral("sale")), 1);
}

TEST_F(PartyRegister, ACodeBoxTakesFiveCharacters)
{
    TRef_Cust_Sql window;
    Trigger(window, "Add");
    auto *code = qobject_cast<QLineEdit *>(window.fields()->box(QStringLiteral("CUST_NO")));
    ASSERT_NE(code, nullptr);
    code->insert(QStringLiteral("C12345"));
    EXPECT_EQ(code->text(), QStringLiteral("C1234"));
}

TEST_F(PartyRegister, TheEnvelopeCarriesTheSenderAndTheAddresseeWhereItsTableSays)
{
    // A company without its first address line: the sender line starts with a space.
    scalar(QStringLiteral("update orvexsys set of_name = :pname, of_add1 = '', of_add2 = :padd2, of_add4 = :pprov, of_zip = '10900'"),
           {{"pname", "  บริษัท ลาร์เดอรอน  "}, {"padd2", "แขวงลาดยาว"}, {"pprov", "กรุงเทพมหานคร"}});
    TRef_Supply_Sql window;
    const Page page = envelopePage(window);

    EXPECT_EQ(itemText(page, "sender_name"), QStringLiteral("บริษัท ลาร์เดอรอน"));
    EXPECT_EQ(itemText(page, "sender_address"), QStringLiteral(" แขวงลาดยาว กรุงเทพมหานคร 10900"));
    EXPECT_EQ(itemText(page, "deliver_to"), QStringLiteral("กรุณาส่ง"));
    EXPECT_EQ(itemText(page, "addressee_name"), QStringLiteral("บริษัท กาแฟไทย จำกัด"));
    EXPECT_EQ(itemText(page, "address_line1"), QStringLiteral("12 ถนนสุขุมวิท"));
    EXPECT_EQ(itemText(page, "address_line2"), QStringLiteral("แขวงคลองเตย"));
    EXPECT_EQ(itemText(page, "address_line3"), QStringLiteral(" ")) << "province and postcode empty: one space";

    // Positions: the band lies on the 10 mm margins of an A4 sheet.
    const struct
    {
        const char *tag;
        double left, top, width, points;
        bool wraps;
    } items[] = {
        {"sender_name", 6.9, 4.2, 178.6, 10, false},    {"sender_address", 6.9, 9.5, 184.9, 8, false},
        {"addressee_name", 48.7, 32.3, 142.1, 12, true}, {"address_line1", 48.7, 42.1, 142.3, 12, true},
        {"address_line2", 48.7, 52.1, 142.3, 12, true},  {"address_line3", 48.4, 62.2, 142.6, 12, true},
    };
    for (const auto &item : items) {
        const PageItem *placed = page.find(QString::fromLatin1(item.tag));
        ASSERT_NE(placed, nullptr) << item.tag;
        EXPECT_NEAR(placed->rect.left(), 10 + item.left, 1e-9) << item.tag;
        EXPECT_NEAR(placed->rect.top(), 10 + item.top, 1e-9) << item.tag;
        EXPECT_NEAR(placed->rect.width(), item.width, 1e-9) << item.tag;
        EXPECT_EQ(placed->font.pointSize, item.points) << item.tag;
        EXPECT_EQ(placed->wordWrap, item.wraps) << item.tag;
    }
    const PageItem *deliver = page.find(QStringLiteral("deliver_to"));
    ASSERT_NE(deliver, nullptr);
    EXPECT_TRUE(deliver->font.bold && deliver->font.italic);
    EXPECT_EQ(deliver->font.pointSize, 14);
}

TEST_F(PartyRegister, TheEmployeeEnvelopeReadsTheEmployeeColumnsAndOpensInThePreview)
{
    TRef_Sale_Sql window;
    const Page page = envelopePage(window);
    EXPECT_EQ(itemText(page, "addressee_name"), QStringLiteral("สมชาย ใจดี"));
    EXPECT_EQ(itemText(page, "address_line1"), QStringLiteral("1 หมู่ 2"));
    EXPECT_EQ(itemText(page, "address_line3"), QStringLiteral("ลำปาง 52000"));

    window.EnvelopeClick();
    EXPECT_EQ(dialogs.shown(), QStringList());
    ReportPreview *preview = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        preview = preview ? preview : qobject_cast<ReportPreview *>(top);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->pageCount(), 1);
    preview->close();
}
