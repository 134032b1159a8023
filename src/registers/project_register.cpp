#include "registers/project_register.h"

#include "registers/register_statements.h"

namespace {
const QString kTable = QStringLiteral("project");
}

RegisterDef ProjectRegisterDef()
{
    RegisterDef def;
    def.className = QStringLiteral("TRef_Project");
    def.caption = QStringLiteral(" ทะเบียนโครงการ");
    def.codeColumn = QStringLiteral("PROJ_NO");
    def.nameColumn = QStringLiteral("PROJ_NAME");
    // The boxes take 80 characters but the columns hold 10 and 40: the column decides.
    def.fields = {TextField(kTable, def.codeColumn, QStringLiteral("รหัสโครงการ"), 80, QStringLiteral("( ไม่เกิน 10 หลัก )")),
                   TextField(kTable, def.nameColumn, QStringLiteral("ชื่อโครงการ"), 80),
                   MemoField(QStringLiteral("PROJ_DESC"), QStringLiteral("หมายเหตุ"), BoxLimit(kTable, QStringLiteral("PROJ_DESC")))};
    def.enterChains = {{"PROJ_NO", "PROJ_NAME", "PROJ_DESC"}};
    def.searchBeside = def.nameColumn;
    def.search.codeColumn = def.codeColumn;
    def.search.nameColumn = def.nameColumn;
    def.search.codeHeader = QStringLiteral("รหัสโครงการ");
    def.search.nameHeader = QStringLiteral("ชื่อโครงการ");
    def.search.codeLabel = def.search.nameLabel = QStringLiteral("ชื่อที่ต้องการค้นหา");
    def.search.position = {98, 26};
    def.messages.emptyCode = QStringLiteral("ไม่มีข้อมูลรหัสโครงการ ... ");
    def.messages.cancelled = QStringLiteral("ข้อมูล ถูกยกเลิก... ");
    return def;
}

RegisterTable ProjectTable()
{
    return {kTable, QStringLiteral("PROJ_NO"), QStringLiteral("PROJ_NAME"), {"PROJ_NO", "PROJ_NAME", "PROJ_DESC"}, {}, {}};
}

TRef_Project::TRef_Project(QWidget *parent)
    : RegisterWindow(ProjectRegisterDef(), parent)
{
    QString error;
    start(OpenRegisterStore(ProjectTable(), &error), error);
}
