#include "registers/project_register.h"

#include "registers/register_statements.h"

namespace {
const QString kTable = QStringLiteral("project");
}

RegisterSpec ProjectRegisterSpec()
{
    RegisterSpec spec;
    spec.className = QStringLiteral("TRef_Project");
    spec.caption = QStringLiteral(" ทะเบียนโครงการ");
    spec.codeColumn = QStringLiteral("PROJ_NO");
    spec.nameColumn = QStringLiteral("PROJ_NAME");
    // The boxes take 80 characters but the columns hold 10 and 40: the column decides.
    spec.fields = {TextField(kTable, spec.codeColumn, QStringLiteral("รหัสโครงการ"), 80, QStringLiteral("( ไม่เกิน 10 หลัก )")),
                   TextField(kTable, spec.nameColumn, QStringLiteral("ชื่อโครงการ"), 80),
                   MemoField(QStringLiteral("PROJ_DESC"), QStringLiteral("หมายเหตุ"), BoxLimit(kTable, QStringLiteral("PROJ_DESC")))};
    spec.enterChains = {{"PROJ_NO", "PROJ_NAME", "PROJ_DESC"}};
    spec.searchBeside = spec.nameColumn;
    spec.search.codeColumn = spec.codeColumn;
    spec.search.nameColumn = spec.nameColumn;
    spec.search.codeHeader = QStringLiteral("รหัสโครงการ");
    spec.search.nameHeader = QStringLiteral("ชื่อโครงการ");
    spec.search.codeLabel = spec.search.nameLabel = QStringLiteral("ชื่อที่ต้องการค้นหา");
    spec.search.position = {98, 26};
    spec.messages.emptyCode = QStringLiteral("ไม่มีข้อมูลรหัสโครงการ ... ");
    spec.messages.cancelled = QStringLiteral("ข้อมูล ถูกยกเลิก... ");
    return spec;
}

RegisterTable ProjectTable()
{
    return {kTable, QStringLiteral("PROJ_NO"), QStringLiteral("PROJ_NAME"), {"PROJ_NO", "PROJ_NAME", "PROJ_DESC"}, {}, {}};
}

TRef_Project::TRef_Project(QWidget *parent)
    : RegisterWindow(ProjectRegisterSpec(), parent)
{
    QString error;
    start(OpenRegisterStore(ProjectTable(), &error), error);
}
