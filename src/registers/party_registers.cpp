#include "registers/party_registers.h"

#include "registers/register_statements.h"
#include "report/report_layout.h"
#include "report/report_preview.h"
#include "ui/dialogs.h"

#include <QAction>

namespace {

PartyKind tradingParty(const char *className, const QString &caption, const char *table,
                       const QString &codeCaption, const QString &nameCaption, const QString &listCode,
                       const QString &listName, const QString &envelopeTable)
{
    PartyKind kind;
    kind.className = QString::fromLatin1(className);
    kind.caption = caption;
    kind.table = QString::fromLatin1(table);
    kind.codeColumn = QStringLiteral("CUST_NO");
    kind.codeCaption = codeCaption;
    kind.nameColumn = QStringLiteral("CUST_NAME");
    kind.nameCaption = nameCaption;
    kind.listCodeHeader = listCode;
    kind.listNameHeader = listName;
    kind.address1 = QStringLiteral("CUST_ADD1");
    kind.address2 = QStringLiteral("CUST_ADD2");
    kind.province = QStringLiteral("CUST_ADD4");
    kind.postcode = QStringLiteral("CUST_ZIP");
    kind.telephone = QStringLiteral("CUST_TEL");
    kind.trades = true;
    kind.envelopeQuery = {QStringLiteral("Select * from %1 where Cust_No =:mCust_No").arg(envelopeTable)};
    return kind;
}

PartyKind employee()
{
    PartyKind kind;
    kind.className = QStringLiteral("TRef_Sale_Sql");
    kind.caption = QStringLiteral(" ทะเบียนพนักงาน");
    kind.table = QStringLiteral("sale");
    kind.codeColumn = QStringLiteral("SALE_NO");
    kind.codeCaption = QStringLiteral("รหัสพนักงาน");
    kind.nameColumn = QStringLiteral("SALE_NAME");
    kind.nameCaption = QStringLiteral("ชื่อพนักงาน");
    kind.listCodeHeader = kind.codeCaption;
    kind.listNameHeader = kind.nameCaption;
    kind.address1 = QStringLiteral("SALE_ADD1");
    kind.address2 = QStringLiteral("SALE_ADD2");
    kind.province = QStringLiteral("SALE_ADD4");
    kind.postcode = QStringLiteral("SALE_ZIP");
    kind.telephone = QStringLiteral("SALE_TEL");
    kind.paid = true;
    kind.envelopeQuery = {QStringLiteral("Select * from sale where sale_no =:mCust_No")};
    return kind;
}

FieldDef line(const PartyKind &kind, const QString &column, const QString &caption, int boxLimit,
               const QString &note = {})
{
    return TextField(kind.table, column, caption, boxLimit, note);
}

} // namespace

const PartyKind &SupplierKind()
{
    static const PartyKind kind = tradingParty("TRef_Supply_Sql", QStringLiteral(" ทะเบียนผู้นำเข้า"), "supply",
                                               QStringLiteral("รหัสผู้นำเข้า"), QStringLiteral("นำเข้าจาก"),
                                               QStringLiteral("รหัสผู้นำเข้า"), QStringLiteral("ชื่อผู้นำเข้า"),
                                               QStringLiteral("supply"));
    return kind;
}

const PartyKind &RequisitionerKind()
{
    static const PartyKind kind = tradingParty("TRef_Cust_Sql", QStringLiteral(" ทะเบียนผู้เบิก"), "customer",
                                               QStringLiteral("รหัสผู้เบิก"), QStringLiteral("ชื่อผู้เบิก"),
                                               QStringLiteral("รหัสผู้เบิก"), QStringLiteral("ชื่อผู้เบิก"),
                                               QStringLiteral("Customer"));
    return kind;
}

const PartyKind &EmployeeKind()
{
    static const PartyKind kind = employee();
    return kind;
}

const QStringList &CreditTerms()
{
    static const QStringList terms = {"สด",   "3 ว.", "7 ว.", "15 ว.", "30 ว.", "45 ว.", "60 ว.", "90 ว.",
                                      "120 ว.", "0 ด.", "1 ด.", "2 ด.",  "3 ด.",  "4 ด.",  "5 ด.",  "6 ด."};
    return terms;
}

RegisterDef PartyRegisterDef(const PartyKind &kind)
{
    RegisterDef def;
    def.className = kind.className;
    def.caption = kind.caption;
    def.codeColumn = kind.codeColumn;
    def.nameColumn = kind.nameColumn;
    def.fields = {line(kind, kind.codeColumn, kind.codeCaption, 5, QStringLiteral("( ไม่เกิน 5 หลัก )")),
                   line(kind, kind.nameColumn, kind.nameCaption, 80),
                   line(kind, kind.address1, QStringLiteral("ที่อยู่"), 80),
                   line(kind, kind.address2, QString(), 80),
                   line(kind, kind.province, QStringLiteral("จังหวัด"), 80),
                   line(kind, kind.postcode, QStringLiteral("รหัสไปรษณีย์"), 5),
                   line(kind, kind.telephone, QStringLiteral("โทร."), 25)};
    QStringList chain = {kind.codeColumn, kind.nameColumn, kind.address1, kind.address2,
                         kind.province,   kind.postcode,   kind.telephone};
    if (kind.trades) {
        FieldDef discount = HiddenField(QStringLiteral("CUST_DISC"));
        discount.number = true;
        def.fields += {line(kind, QStringLiteral("CUST_FAX"), QStringLiteral("FAX"), 25),
                        ChoiceField(QStringLiteral("CUST_CRE"), QStringLiteral("เครดิต"),
                                    BoxLimit(kind.table, QStringLiteral("CUST_CRE")), CreditTerms()),
                        discount,
                        line(kind, QStringLiteral("CUST_GROUP"), QStringLiteral("เกรด"), 1, QStringLiteral("( 1 หลัก )"))};
        chain += {QStringLiteral("CUST_FAX"), QStringLiteral("CUST_CRE"), QStringLiteral("CUST_GROUP")};
        def.add.values = {{"CUST_CRE", CreditTerms().first()}, {"CUST_DISC", "0"}};
        def.checks = {{QStringLiteral("CUST_CRE"), [](const QString &text) { return CreditTerms().contains(text); },
                        QStringLiteral("ข้อมูลเครดิตไม่ถูกต้อง")}};
    }
    if (kind.paid) {
        def.fields += {NumberField(QStringLiteral("SALARY"), QStringLiteral("เงินเดือน"), 15),
                        NumberField(QStringLiteral("SALE_COM"), QStringLiteral("อัตราคอมมิสชั่น %"), 5)};
        chain += {QStringLiteral("SALARY"), QStringLiteral("SALE_COM")};
        def.add.values = {{"SALARY", "0"}, {"SALE_COM", "0"}};
    }
    chain.append(kind.codeColumn);
    def.enterChains = {chain};
    def.searchBeside = kind.nameColumn;
    def.search.codeColumn = kind.codeColumn;
    def.search.nameColumn = kind.nameColumn;
    def.search.codeHeader = kind.listCodeHeader;
    def.search.nameHeader = kind.listNameHeader;
    def.search.codeLabel = QStringLiteral("รหัสที่ต้องการค้นหา");
    def.search.nameLabel = QStringLiteral("ชื่อที่ต้องการค้นหา");
    def.messages.emptyCode = QStringLiteral("ไม่มีข้อมูลรหัสลูกค้า ... ");
    def.messages.cancelled = QStringLiteral("ข้อมูล ถูกยกเลิก... ");
    return def;
}

RegisterTable PartyTable(const PartyKind &kind)
{
    RegisterTable table{kind.table, kind.codeColumn, kind.nameColumn, {}, {}, {}};
    table.written = {kind.codeColumn, kind.nameColumn, kind.address1, kind.address2,
                     kind.province,   kind.postcode,   kind.telephone};
    if (kind.trades) {
        table.written += {QStringLiteral("CUST_FAX"), QStringLiteral("CUST_CRE"), QStringLiteral("CUST_DISC"),
                          QStringLiteral("CUST_GROUP")};
        table.numbers = {QStringLiteral("CUST_DISC")};
    }
    if (kind.paid) {
        table.written += {QStringLiteral("SALARY"), QStringLiteral("SALE_COM")};
        table.numbers = {QStringLiteral("SALARY"), QStringLiteral("SALE_COM")};
    }
    return table;
}

EnvelopeColumns PartyEnvelopeColumns(const PartyKind &kind)
{
    return {kind.nameColumn, kind.address1, kind.address2, kind.province, kind.postcode};
}

PartyRegisterWindow::PartyRegisterWindow(const PartyKind &kind, QWidget *parent)
    : RegisterWindow(PartyRegisterDef(kind), parent)
    , m_kind(kind)
{
    connect(addNormalOnlyAction(QStringLiteral("Envelope"), QStringLiteral("ซอง จม."), QStringLiteral("พิมพ์ซอง")),
            &QAction::triggered, this, &PartyRegisterWindow::EnvelopeClick);
    QString error;
    std::unique_ptr<SqlRegisterStore> store = OpenRegisterStore(PartyTable(kind), &error);
    m_store = store.get();
    start(std::move(store), error);
}

bool PartyRegisterWindow::envelope(Report *report, QString *error) const
{
    QVariantMap party, settings;
    if (!m_store
        || !ReadEnvelopeRows(m_store->database(), m_kind.envelopeQuery, fieldText(m_kind.codeColumn), &party,
                             &settings, error))
        return false;
    *report = EnvelopeReport(settings, party, PartyEnvelopeColumns(m_kind));
    return true;
}

void PartyRegisterWindow::EnvelopeClick()
{
    if (current() < 0 || mode() != u"normal")
        return;
    Report report;
    QString error;
    if (!envelope(&report, &error)) {
        Dialogs().error(this, QStringLiteral("พิมพ์ซองไม่ได้\n") + error);
        return;
    }
    ShowReportPreview(std::make_shared<const ReportDocument>(LayoutReport(report)));
}
