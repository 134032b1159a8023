#include "registers/system_settings_window.h"

#include "registers/register_statements.h"
#include "ui/locale_number.h"

namespace {

const QString kTable = QStringLiteral("orvexsys");
const QString kPrefixGroup = QStringLiteral("  [ หมวดนำหน้าใบสำคัญ  ]  ");

FieldDef line(const char *column, const QString &caption, int boxLimit = 0)
{
    return TextField(kTable, QString::fromLatin1(column), caption, boxLimit);
}

FieldDef prefix(const char *column, const QString &caption, const QString &sample)
{
    FieldDef field = line(column, caption, 4);
    field.note = sample;
    field.group = kPrefixGroup;
    return field;
}

FieldDef options(const char *column, const QString &caption, const QStringList &items)
{
    return OptionsField(QString::fromLatin1(column), caption, items);
}

FieldDef margin(const char *column, const QString &caption)
{
    return NumberField(QString::fromLatin1(column), caption, 10);
}

FieldDef hidden(const char *column)
{
    return HiddenField(QString::fromLatin1(column));
}

SaveCheck fourCharacters(const char *column)
{
    return {QString::fromLatin1(column), [](const QString &text) { return text.size() == 4; },
            QStringLiteral("ข้อมูลหมวดนำหน้าไม่ครบ 4 หลัก")};
}

SaveCheck isNumber(const char *column)
{
    return {QString::fromLatin1(column), [](const QString &text) { return NumberFromBoxText(text).has_value(); },
            QStringLiteral("ตัวเลข...ไม่ถูกต้อง ")};
}

} // namespace

SingleRecordDef SystemSettingsDef()
{
    SingleRecordDef def;
    def.className = QStringLiteral("TRef_Sys_Sql");
    def.caption = QStringLiteral(" ข้อมูลอ้างอิง ระบบ / สถานประกอบการ");
    def.pageCaption = QStringLiteral("ระบบ");
    def.keyColumn = QStringLiteral("OF_NO");
    // The hidden values cannot be changed here: they are written back as they were read.
    def.fields = {
        prefix("PREFIX1", QStringLiteral("จำหน่าย"), QStringLiteral("-1-000001")),
        prefix("PREFIX3", QStringLiteral("นำเข้า"), QStringLiteral("-3-000001")),
        hidden("PREFIX2"),
        hidden("PREFIX4"),
        options("LINE1", QStringLiteral("  [  การพิมพ์ ใบสำคัญ  ]  "), {QStringLiteral("ฟอร์ม"), QStringLiteral("กระดาษเปล่า")}),
        options("VIEW1", QStringLiteral("  [ ใบสำคัญ ]  "), {QStringLiteral("ดูก่อนพิมพ์"), QStringLiteral("พิมพ์เลย")}),
        options("LINE4", QStringLiteral("  [  โลโก้  ]  "), {QStringLiteral("ไม่มีโลโก้"), QStringLiteral("มีโลโก้")}),
        options("LINE5", QStringLiteral("  [ รูปแบบของใบสำคัญ  ]  "),
                {QStringLiteral("1  กระดาษสั้น  8.5 * 5.5 นิ้ว"), QStringLiteral("2  กระดาษยาว  8.5 * 11 นิ้ว"),
                 QStringLiteral("3  กระดาษยาว  8.5 * 11 นิ้ว"), QStringLiteral("4  ลูกค้าสั่งทำพิเศษ")}),
        margin("PRN_TOP", QStringLiteral("ตั้งระยะพิมพ์กั้นบน  ( 0.00-50.00 )")),
        margin("PRN_LEFT", QStringLiteral("ตั้งระยะพิมพ์กั้นซ้าย ( 0.00-30.00 )")),
        line("H_BILL_IN", QStringLiteral("หัวใบสำคัญนำเข้า"), 80),
        line("H_BILL_OUT", QStringLiteral("หัวใบสำคัญจำหน่ายออก"), 80),
        line("M_IN", QStringLiteral("นำเข้าจาก"), 10),
        line("M_OUT", QStringLiteral("จำหน่ายให้"), 10),
        line("F_IN", QStringLiteral("ท้ายผู้นำเข้า"), 20),
        line("F_OUT", QStringLiteral("ท้ายผู้จำหน่าย"), 20),
        line("F_APPROVE", QStringLiteral("ท้ายผู้อนุมัติ"), 20),
        hidden("COM_PORT"),
        hidden("TYPE_VAT"),
        hidden("POS_CHK_STK"),
        hidden("LINE6"),
        hidden("POS_PRINT"),
        hidden("OF_NO"),
    };
    def.enterChain = {"PREFIX1", "PREFIX3", "PRN_TOP", "PRN_LEFT", "H_BILL_IN", "H_BILL_OUT",
                       "M_IN",    "M_OUT",   "F_IN",    "F_OUT",    "F_APPROVE"};
    // Only the prefixes on screen are checked: the hidden two are not used by the program and
    // cannot be corrected here, so a short one must not block every save.
    def.checks = {fourCharacters("PREFIX1"), fourCharacters("PREFIX3"), isNumber("PRN_TOP"), isNumber("PRN_LEFT")};
    return def;
}

SettingsColumns SystemSettingsColumns()
{
    return {{"PREFIX1", "PREFIX2", "PREFIX3", "PREFIX4", "LINE1", "LINE4", "LINE5", "LINE6", "VIEW1", "PRN_TOP",
             "PRN_LEFT", "COM_PORT", "TYPE_VAT", "POS_CHK_STK", "POS_PRINT", "H_BILL_IN", "H_BILL_OUT", "M_IN",
             "M_OUT", "F_IN", "F_OUT", "F_APPROVE"},
            {"PRN_TOP", "PRN_LEFT"},
            {"F_REM_IN", "F_REM_OUT"},
            QStringLiteral("pof_no")};
}

TRef_Sys_Sql::TRef_Sys_Sql(QWidget *parent)
    : SingleRecordWindow(SystemSettingsDef(), parent)
{
    resize(779, 496);
    move(2, 1);
    QString error;
    start(OpenSettingsRowStore(SystemSettingsColumns(), &error), error);
}
