#include "db/demo_data.h"

#include "common/dates.h"
#include "db/passwords.h"
#include "db/row_insert.h"

#include <QSqlQuery>
#include <QTime>

namespace {

QString ean(const char *twelve)
{
    const QString digits = QString::fromLatin1(twelve);
    return digits + Ean13CheckDigit(digits);
}

struct Product
{
    QString code;
    const char16_t *name;
    const char *group;
    const char16_t *unit;
    double opening;
    double reorder;
    const char *cutStock;
    int expireInDays; // 0: no expiry date
    const char16_t *locate;
};

QList<Product> products()
{
    return {
        {ean("885099932001"), u"น้ำดื่ม ขวด 600 มล.", "DRINK", u"ขวด", 120, 48, "1", 300, u"คลัง A ชั้น 1"},
        {ean("885123456789"), u"กาแฟสำเร็จรูป 3in1 ห่อ 30 ซอง", "FOOD", u"ห่อ", 12, 20, "1", 200, u"คลัง A ชั้น 2"},
        {ean("885012300001"), u"นมยูเอชที รสจืด 250 มล.", "DRINK", u"กล่อง", 36, 12, "1", -20, u"คลัง A ชั้น 1"},
        {QStringLiteral("A4-80G"), u"กระดาษถ่ายเอกสาร A4 80 แกรม", "STAT", u"รีม", 25, 10, "1", 0, u"ห้องเก็บเอกสาร"},
        {QStringLiteral("PEN-BL"), u"ปากกาลูกลื่น สีน้ำเงิน", "STAT", u"ด้าม", 200, 50, "1", 0, u"ห้องเก็บเอกสาร"},
        {QStringLiteral("SRV-INST"), u"ค่าบริการติดตั้งอุปกรณ์", "SERV", u"งาน", 0, 0, "0", 0, u""},
        {QStringLiteral("CBL-UTP5E"), u"สายแลน UTP CAT5e", "NETW", u"เมตร", 305, 100, "1", 0, u"คลัง B"},
        {QStringLiteral("TONER-85A"), u"ตลับหมึกเลเซอร์ 85A", "STAT", u"ตลับ", 3, 5, "1", 0, u"ห้องเก็บเอกสาร"},
        {QStringLiteral("GLV-L"), u"ถุงมือผ้า ขนาด L", "SAFE", u"คู่", 0, 10, "1", 0, u"คลัง B"},
        {ean("885765400012"), u"น้ำยาล้างจาน 5 ลิตร", "CLEAN", u"แกลลอน", 8, 4, "1", -45, u"คลัง B"},
    };
}

struct Party
{
    const char *code;
    const char16_t *name;
    const char16_t *add1;
    const char16_t *add2;
    const char16_t *province;
    const char *zip;
    const char *tel;
    const char *fax;
    const char16_t *credit;
};

bool insertParties(QSqlDatabase db, const QString &table, const QList<Party> &parties, QString *error)
{
    for (const Party &p : parties) {
        if (!InsertFullRow(db, table,
                           {{"CUST_NO", QString::fromLatin1(p.code)},
                            {"CUST_NAME", QString::fromUtf16(p.name)},
                            {"CUST_ADD1", QString::fromUtf16(p.add1)},
                            {"CUST_ADD2", QString::fromUtf16(p.add2)},
                            {"CUST_ADD4", QString::fromUtf16(p.province)},
                            {"CUST_ZIP", QString::fromLatin1(p.zip)},
                            {"CUST_TEL", QString::fromLatin1(p.tel)},
                            {"CUST_FAX", QString::fromLatin1(p.fax)},
                            {"CUST_CRE", QString::fromUtf16(p.credit)},
                            {"CUST_DISC", 0.0},
                            {"CUST_GROUP", QStringLiteral("A")}},
                           error))
            return false;
    }
    return true;
}

struct Line
{
    int product; // index into products()
    double qty;
    const char16_t *serial;
    const char16_t *detail;
    const char *project;
    double unitPrice = 0;
    double discount = 0;
};

struct Document
{
    char kind; // '1' goods out, '3' goods in, '5' purchase order
    QString number;
    QDate date;
    const char *party;
    int employee; // index into the employee list
    const char16_t *reference;
    QList<Line> lines;
};

struct Employee
{
    const char *code;
    const char16_t *name;
};

const QList<Employee> &employees()
{
    static const QList<Employee> list = {
        {"E0001", u"สมชาย ใจดี"},   {"E0002", u"สมหญิง รักงาน"}, {"E0003", u"ประเสริฐ มั่นคง"},
        {"E0004", u"วิไลวรรณ ขยัน"}, {"E0005", u"ธนพล ยิ้มแย้ม"},
    };
    return list;
}

bool insertDocument(QSqlDatabase db, const Document &doc, const QString &typeVat, QString *error)
{
    const QList<Product> catalogue = products();
    const QString header = doc.kind == '1' ? QStringLiteral("invoice") : doc.kind == '3' ? QStringLiteral("order0") : QStringLiteral("Tmpord");
    const QString lineTable = header == u"order0" ? QStringLiteral("order1") : header + QLatin1Char('1');
    const double post = doc.kind == '1' ? 1 : doc.kind == '3' ? 2 : 6;
    const QString partyTable = doc.kind == '1' ? QStringLiteral("customer") : QStringLiteral("supply");

    double total = 0;
    for (const Line &line : doc.lines) {
        const Product &p = catalogue.at(line.product);
        const double gross = line.qty * line.unitPrice;
        const double net = gross - (line.discount > 0 ? gross * line.discount / 100 : 0);
        total += net;
        if (!InsertFullRow(db, lineTable,
                           {{"INV_NO", doc.number},
                            {"PRO_NO", p.code},
                            {"PRO_NAME", QString::fromUtf16(p.name)},
                            {"PRO_GROUP", QString::fromLatin1(p.group)},
                            {"ATTRIB", QString::fromUtf16(line.serial)},
                            {"ATTRIB2", QString::fromUtf16(line.detail)},
                            {"PRO_QTY", line.qty},
                            {"PRO_UNIT", QString::fromUtf16(p.unit)},
                            {"UNIT_PRICE", line.unitPrice},
                            {"FOR_PROJ", QString::fromLatin1(line.project)},
                            {"EARN", 1.0},
                            {"DISCOUNT", line.discount},
                            {"V_STATUS", doc.kind == '1' ? typeVat : QString()},
                            {"PRICE", net},
                            {"TAX_RATE", QString::fromLatin1(p.cutStock) == u"0" ? 7.0 : 0.0},
                            {"TOTAL", net},
                            {"CUT_STOCK", QString::fromLatin1(p.cutStock)},
                            {"STK_POST", post}},
                           error))
            return false;
    }
    const Employee &employee = employees().at(doc.employee);
    // Party columns are copied from the register, as the document window does.
    QSqlQuery party(db);
    party.prepare(QStringLiteral("select cust_name, cust_card, cust_birth, cust_cre, cust_disc from %1 where cust_no = :code").arg(partyTable));
    party.bindValue(QStringLiteral(":code"), QString::fromLatin1(doc.party));
    party.exec();
    party.next();
    return InsertFullRow(db, header,
                         {{"INV_NO", doc.number},
                          {"INV_TYPE", QString(QLatin1Char(doc.kind))},
                          {"INV_DATE", DateToText(doc.date)},
                          {"INV_TIME", QTime(9 + doc.lines.size(), 15, 0).toString(QStringLiteral("HH:mm:ss"))},
                          {"CUST_NO", QString::fromLatin1(doc.party)},
                          {"CUST_NAME", party.value(0).toString()},
                          {"CUST_CARD", party.value(1).toString()},
                          {"CUST_BIRTH", party.value(2).toString()},
                          {"SALE_NO", QString::fromLatin1(employee.code)},
                          {"SALE_NAME", QString::fromUtf16(employee.name)},
                          {"REF_ORDER", QString::fromUtf16(doc.reference)},
                          {"TOTAL", total},
                          {"SUM_TOTAL", total},
                          {"CUST_CRE", party.value(3).toString()},
                          {"CUST_DISC", party.value(4).toDouble()}},
                         error);
}

} // namespace

QChar Ean13CheckDigit(const QString &twelveDigits)
{
    int sum = 0;
    for (int i = 0; i < 12 && i < twelveDigits.size(); ++i)
        sum += twelveDigits.at(i).digitValue() * (i % 2 == 0 ? 1 : 3);
    return QChar(u'0' + (10 - sum % 10) % 10);
}

QStringList DemoProductsWithPicture()
{
    const QList<Product> list = products();
    return {list.at(0).code, list.at(1).code, list.at(3).code, list.at(6).code};
}

bool InsertDemoData(QSqlDatabase db, const QDate &today, QString *error)
{
    for (const Product &p : products()) {
        if (!InsertFullRow(db, QStringLiteral("product"),
                           {{"PRO_NO", p.code},
                            {"PRO_NAME", QString::fromUtf16(p.name)},
                            {"PRO_GROUP", QString::fromLatin1(p.group)},
                            {"PRO_UNIT", QString::fromUtf16(p.unit)},
                            {"PRO_TOTAL", p.opening},
                            {"PRO_RORDER", p.reorder},
                            {"CUT_STOCK", QString::fromLatin1(p.cutStock)},
                            {"EXPIRE", p.expireInDays ? DateToText(today.addDays(p.expireInDays)) : QString()},
                            {"LOCATE", QString::fromUtf16(p.locate)},
                            {"WARN_TERM", QString::fromLatin1(p.cutStock) == u"0" ? QString() : QStringLiteral("1 ด.")}},
                           error))
            return false;
    }

    if (!insertParties(db, QStringLiteral("supply"),
                       {{"S0001", u"บริษัท ไทยเครื่องเขียน จำกัด", u"99/9 ถนนพหลโยธิน", u"แขวงจตุจักร เขตจตุจักร", u"กรุงเทพมหานคร", "10900", "02-555-0101", "02-555-0102", u"30 ว."},
                        {"S0002", u"ห้างหุ้นส่วนจำกัด เครื่องดื่มสดใส", u"12 หมู่ 4 ตำบลบางพูด", u"อำเภอปากเกร็ด", u"นนทบุรี", "11120", "02-583-2200", "", u"สด"},
                        {"S0003", u"ร้านรุ่งเรืองวัสดุ", u"5 ตลาดเก่า", u"", u"", "", "", "", u"สด"}},
                       error))
        return false;
    if (!insertParties(db, QStringLiteral("customer"),
                       {{"C0001", u"ฝ่ายบัญชีและการเงิน", u"อาคารสำนักงานใหญ่ ชั้น 3", u"", u"กรุงเทพมหานคร", "10400", "02-555-0300", "", u"สด"},
                        {"C0002", u"แผนกซ่อมบำรุง", u"โรงงาน 2 ถนนบางนา-ตราด กม. 23", u"อำเภอบางพลี", u"สมุทรปราการ", "10540", "02-555-0420", "02-555-0421", u"30 ว."},
                        {"C0003", u"ร้านสมใจการค้า", u"45/2 ถนนเพชรเกษม", u"", u"นครปฐม", "73000", "034-255-111", "", u"2 ด."}},
                       error))
        return false;

    const QStringList addresses = {QStringLiteral("ซอยสุขุมวิท 50"), QStringLiteral("ถนนรามอินทรา"), QStringLiteral("ถนนแจ้งวัฒนะ"),
                                   QStringLiteral("ถนนลาดพร้าว"), QStringLiteral("ถนนเพชรบุรี")};
    for (int i = 0; i < employees().size(); ++i) {
        const Employee &e = employees().at(i);
        if (!InsertFullRow(db, QStringLiteral("sale"),
                           {{"SALE_NO", QString::fromLatin1(e.code)},
                            {"SALE_NAME", QString::fromUtf16(e.name)},
                            {"SALE_ADD1", addresses.at(i)},
                            {"SALE_ADD4", QStringLiteral("กรุงเทพมหานคร")},
                            {"SALE_ZIP", QStringLiteral("10250")},
                            {"SALE_TEL", QStringLiteral("08-1234-56%1").arg(i, 2, 10, QLatin1Char('0'))},
                            {"SALARY", 15000.0 + 2500 * (4 - i)}},
                           error))
            return false;
    }

    struct Account
    {
        const char *user;
        const char16_t *password;
        const char16_t *name;
        int level;
        const char *employee;
    };
    const QList<Account> accounts = {
        {"manager", u"2222", u"สมหญิง รักงาน", 2, "E0002"},
        {"supervisor", u"3333", u"ประเสริฐ มั่นคง", 3, "E0003"},
        {"staff", u"4444", u"วิไลวรรณ ขยัน", 4, "E0004"},
        {"counter", u"5555", u"ธนพล ยิ้มแย้ม", 5, "E0005"},
    };
    for (const Account &a : accounts) {
        if (!InsertFullRow(db, QStringLiteral("market"),
                           {{"USRNAME", QString::fromLatin1(a.user)},
                            {"PASSWD", HashPassword(QString::fromUtf16(a.password))},
                            {"NAME", QString::fromUtf16(a.name)},
                            {"AC1", a.level},
                            {"PER_NO", QString::fromLatin1(a.employee)}},
                           error))
            return false;
    }
    // The demo administrator works as the first employee.
    QSqlQuery admin(db);
    admin.prepare(QStringLiteral("update market set per_no = :per_no, name = :name where usrname = :usrname"));
    admin.bindValue(QStringLiteral(":per_no"), QStringLiteral("E0001"));
    admin.bindValue(QStringLiteral(":name"), QStringLiteral("สมชาย ใจดี"));
    admin.bindValue(QStringLiteral(":usrname"), QStringLiteral("admin"));
    if (!admin.exec()) {
        *error = QStringLiteral("Cannot link the demo administrator to an employee");
        return false;
    }

    for (const auto &[code, name, desc] : {std::tuple{"P001", u"ปรับปรุงสำนักงานชั้น 2", u"ทาสี เปลี่ยนพื้น และเดินสายไฟใหม่"},
                                           std::tuple{"P002", u"ติดตั้งระบบเครือข่าย", u"เดินสายแลนและติดตั้งอุปกรณ์เครือข่ายทั้งอาคาร"}}) {
        if (!InsertFullRow(db, QStringLiteral("project"),
                           {{"PROJ_NO", QString::fromLatin1(code)},
                            {"PROJ_NAME", QString::fromUtf16(name)},
                            {"PROJ_DESC", QString::fromUtf16(desc)}},
                           error))
            return false;
    }

    const QDate monthStart(today.year(), today.month(), 1);
    const QDate previous = monthStart.addMonths(-1);
    const QList<Document> documents = {
        {'3', QStringLiteral("RECV3000001"), previous.addDays(4), "S0001", 1, u"PO-6801",
         {{3, 20, u"", u"", ""}, {4, 100, u"", u"", ""}, {7, 6, u"", u"", ""}}},
        {'3', QStringLiteral("RECV3000002"), previous.addDays(11), "S0002", 1, u"INV 2568/114",
         {{0, 96, u"LOT 6811-A", u"", ""}, {1, 10, u"", u"", ""}, {2, 24, u"LOT 6810-C", u"", ""}}},
        {'1', QStringLiteral("ISSU1000001"), previous.addDays(14), "C0002", 2, u"ใบขอเบิก 031",
         {{6, 120, u"", u"ชั้น 2 ฝั่งทิศเหนือ", "P002"}, {4, 12, u"", u"", "P001"}, {5, 1, u"", u"", "P002"}}},
        {'1', QStringLiteral("ISSU1000002"), previous.addDays(20), "C0001", 3, u"",
         {{3, 15, u"", u"", ""}, {0, 24, u"", u"", ""}}},
        {'5', QStringLiteral("TORD5000001"), previous.addDays(24), "S0001", 0, u"งบประมาณไตรมาส 4",
         {{7, 10, u"", u"", ""}, {3, 30, u"", u"", ""}}},
        {'3', QStringLiteral("RECV3000003"), monthStart, "S0003", 3, u"บิลเงินสด 0045",
         {{8, 40, u"", u"", ""}, {9, 4, u"", u"", ""}}},
        {'1', QStringLiteral("ISSU1000003"), today, "C0003", 4, u"PO-C0003-12",
         {{0, 48, u"", u"", "", 7.50, 0}, {1, 5, u"", u"", "", 155.00, 10}, {8, 10, u"SN 12345", u"ส่งพร้อมใบรับประกัน", "", 35.00, 0}}},
        {'5', QStringLiteral("TORD5000002"), today, "S0002", 1, u"",
         {{1, 30, u"", u"", ""}, {0, 120, u"", u"", ""}}},
    };
    QSqlQuery settings(db);
    settings.exec(QStringLiteral("select type_vat from orvexsys"));
    const QString typeVat = settings.next() ? settings.value(0).toString() : QStringLiteral("0");
    settings.finish();
    for (const Document &doc : documents) {
        if (!insertDocument(db, doc, typeVat, error))
            return false;
    }
    return true;
}
