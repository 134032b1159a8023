#include "registers/office_window.h"

#include "common/shared_state.h"
#include "registers/register_statements.h"

#include <QLabel>

namespace {

const QString kTable = QStringLiteral("orvexsys");
constexpr int kLogoSize = 99;

FieldDef line(const char *column, const QString &caption, int boxLimit = 0)
{
    return TextField(kTable, QString::fromLatin1(column), caption, boxLimit);
}

} // namespace

SingleRecordDef OfficeDef()
{
    SingleRecordDef def;
    def.className = QStringLiteral("TRef_Office_Sql");
    def.caption = QStringLiteral(" ข้อมูลอ้างอิง สถานประกอบการ");
    def.pageCaption = QStringLiteral("บริษัท");
    def.keyColumn = QStringLiteral("OF_NO");
    def.fields = {line("OF_NAME", QStringLiteral("ชื่อสถานประกอบการ")),
                   line("OF_TAXID", QStringLiteral("เลขประจำตัวผู้เสียภาษี"), 13),
                   HiddenField(QStringLiteral("OF_NO")),
                   line("OF_ADD1", QStringLiteral("ที่อยู่"), 80),
                   line("OF_ADD2", QString(), 80),
                   line("OF_ADD4", QStringLiteral("จังหวัด"), 40),
                   line("OF_ZIP", QStringLiteral("รหัสไปรษณีย์"), 5),
                   line("OF_TEL", QStringLiteral("โทร.")),
                   line("OF_FAX", QStringLiteral("แฟกซ์")),
                   line("OF_EMAIL", QStringLiteral("E-Mail"))};
    def.enterChain = {"OF_NAME", "OF_TAXID", "OF_ADD1", "OF_ADD2", "OF_ADD4", "OF_ZIP", "OF_TEL", "OF_FAX", "OF_EMAIL", "OF_NAME"};
    def.checks = {{QStringLiteral("OF_NAME"), [](const QString &text) { return !text.trimmed().isEmpty(); },
                    QStringLiteral("ไม่มีข้อมูลรหัส ... ")}};
    def.saveCaption = QStringLiteral("&บันทึก");
    def.closeCaption = QStringLiteral("เลิก");
    return def;
}

SettingsColumns OfficeColumns()
{
    return {{"OF_NAME", "OF_NO", "OF_TAXID", "OF_ADD1", "OF_ADD2", "OF_ADD4", "OF_ZIP", "OF_TEL", "OF_FAX", "OF_EMAIL"},
            {},
            {},
            QStringLiteral("pmOld_Of_No")};
}

TRef_Office_Sql::TRef_Office_Sql(QWidget *parent)
    : SingleRecordWindow(OfficeDef(), parent)
{
    resize(658, 398);
    move(40, 2);
    const QString logoFile = Shared().DataFolder + QStringLiteral("logo.bmp");
    m_logo = new QLabel(this);
    m_logo->setObjectName(QStringLiteral("Logo"));
    m_logo->setFixedSize(kLogoSize, kLogoSize);
    m_logo->setToolTip(QStringLiteral("นำแฟ้มรูปภาพที่ต้องการ เก็บไว้ที่ ") + logoFile);
    // Without a readable logo.bmp the box stays empty; the window works without it.
    const QPixmap logo(logoFile);
    if (!logo.isNull())
        m_logo->setPixmap(logo.scaled(kLogoSize, kLogoSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    fields()->addBeside(QStringLiteral("OF_NAME"), m_logo);

    QString error;
    start(OpenSettingsRowStore(OfficeColumns(), &error), error);
}

QPixmap TRef_Office_Sql::logo() const
{
    return m_logo->pixmap();
}
