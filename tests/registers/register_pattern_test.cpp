// The register pattern, walked through every register that uses it: modes and button states,
// the duplicate tests, the empty-code test, saving new and changed records, cancel, delete and
// the search panel.
#include "register_fixture.h"

#include "registers/party_registers.h"
#include "registers/product_register.h"
#include "registers/project_register.h"
#include "ui/search_panel.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

struct RegisterCase
{
    const char *name;
    std::function<RegisterWindow *()> open;
    QString table;
    QString code;
    QString nameColumn;
    QList<QVariantMap> rows; // in code order
    QVariantMap record;      // the texts of a valid new record
    QString duplicateOnSave;
    QString emptyCode;
    QString cancelled;
    QStringList ownButtons; // offered in normal mode besides the common ones
};

void PrintTo(const RegisterCase &c, std::ostream *os)
{
    *os << c.name;
}

const QString kCancelled = QStringLiteral("ข้อมูล ถูกยกเลิก... ");
const QString kDuplicate = QStringLiteral("รหัสข้อมูลซ้ำ ...");

RegisterCase partyCase(const char *name, std::function<RegisterWindow *()> open, const char *table, const char *prefix)
{
    const QString p = QString::fromLatin1(prefix);
    return {name,
            std::move(open),
            QString::fromLatin1(table),
            "CUST_NO",
            "CUST_NAME",
            {{{"CUST_NO", p + "01"}, {"CUST_NAME", "บริษัท กาแฟไทย"}, {"CUST_CRE", "สด"}},
             {{"CUST_NO", p + "02"}, {"CUST_NAME", "ร้านชาดี"}, {"CUST_CRE", "30 ว."}}},
            {{"CUST_NO", p + "03"}, {"CUST_NAME", "ร้านใหม่"}, {"CUST_ADD4", "เชียงใหม่"}, {"CUST_CRE", "30 ว."}},
            kDuplicate,
            "ไม่มีข้อมูลรหัสลูกค้า ... ",
            kCancelled,
            {"Envelope", "SearchButton"}};
}

const RegisterCase kRegisters[] = {
    {"Products",
     [] { return new TRef_Part_Sql; },
     "product",
     "PRO_NO",
     "PRO_NAME",
     {{{"PRO_NO", "P-001"}, {"PRO_NAME", "กาแฟ"}, {"CUT_STOCK", "1"}},
      {{"PRO_NO", "P-002"}, {"PRO_NAME", "ชาเขียว"}, {"CUT_STOCK", "1"}}},
     {{"PRO_NO", "P-003"}, {"PRO_NAME", "โกโก้"}, {"PRO_UNIT", "ถุง"}, {"CUT_STOCK", "1"}, {"PRO_RORDER", "5"}},
     "รหัสซ้ำ...",
     "ข้อมูลไม่ครบ ....",
     "",
     {"AddCopy", "SearchButton", "Barcode"}},
    partyCase("Suppliers", [] { return new TRef_Supply_Sql; }, "supply", "S"),
    partyCase("Requisitioners", [] { return new TRef_Cust_Sql; }, "customer", "C"),
    {"Employees",
     [] { return new TRef_Sale_Sql; },
     "sale",
     "SALE_NO",
     "SALE_NAME",
     {{{"SALE_NO", "E01"}, {"SALE_NAME", "สมชาย"}}, {{"SALE_NO", "E02"}, {"SALE_NAME", "สมหญิง"}}},
     {{"SALE_NO", "E03"}, {"SALE_NAME", "สมศรี"}, {"SALARY", "15000"}, {"SALE_COM", "2.5"}},
     kDuplicate,
     "ไม่มีข้อมูลรหัสลูกค้า ... ",
     kCancelled,
     {"Envelope", "SearchButton"}},
    {"Projects",
     [] { return new TRef_Project; },
     "project",
     "PROJ_NO",
     "PROJ_NAME",
     {{{"PROJ_NO", "J01"}, {"PROJ_NAME", "สร้างถนน"}}, {{"PROJ_NO", "J02"}, {"PROJ_NAME", "ขุดบ่อน้ำ"}}},
     {{"PROJ_NO", "J03"}, {"PROJ_NAME", "โครงการ ค"}, {"PROJ_DESC", "บรรทัดหนึ่ง\nบรรทัดสอง"}},
     kDuplicate,
     "ไม่มีข้อมูลรหัสโครงการ ... ",
     kCancelled,
     {"SearchButton"}},
};

class RegisterPattern : public RegisterFixture, public ::testing::WithParamInterface<RegisterCase>
{
protected:
    void SetUp() override
    {
        RegisterFixture::SetUp();
        for (const QVariantMap &row : GetParam().rows)
            insert(GetParam().table, row);
        window.reset(GetParam().open());
        EXPECT_EQ(dialogs.shown(), QStringList());
    }
    void TearDown() override
    {
        window.reset();
        RegisterFixture::TearDown();
    }

    QString shownCode() const { return window->fieldText(GetParam().code); }
    QString rowCode(int i) const { return GetParam().rows[i].value(GetParam().code).toString(); }
    void type(const QVariantMap &texts)
    {
        for (auto it = texts.cbegin(); it != texts.cend(); ++it)
            window->fields()->setText(it.key(), it.value().toString());
    }
    int records() { return count(GetParam().table); }

    // The buttons the register offers only in normal mode, and those only while editing.
    QStringList normalOnly() const
    {
        return QStringList{"Add", "Edit", "Delete", "Refresh", "Close"} + GetParam().ownButtons;
    }
    void expectStates(bool editing)
    {
        for (const QString &name : normalOnly())
            EXPECT_EQ(Enabled(*window, name.toLatin1().constData()), !editing) << name.toStdString();
        // The navigator offers the moves that lead somewhere.
        EXPECT_EQ(Enabled(*window, "First") || Enabled(*window, "Last"), !editing);
        for (const char *name : {"Cancel", "Save"})
            EXPECT_EQ(Enabled(*window, name), editing) << name;
        auto *code = qobject_cast<QLineEdit *>(window->fields()->box(GetParam().code));
        ASSERT_NE(code, nullptr);
        EXPECT_EQ(code->isReadOnly(), !editing);
    }

    std::unique_ptr<RegisterWindow> window;
};

} // namespace

TEST_P(RegisterPattern, ModesDriveTheButtonsAndTheLockedFields)
{
    EXPECT_EQ(window->mode(), QStringLiteral("normal"));
    EXPECT_EQ(shownCode(), rowCode(0)) << "opens on the first record in code order";
    Trigger(*window, "Next"); // the navigator moves, and has nowhere to go past the last
    EXPECT_EQ(shownCode(), rowCode(1));
    EXPECT_FALSE(Enabled(*window, "Next"));
    Trigger(*window, "First");
    expectStates(false);

    Trigger(*window, "Add");
    EXPECT_EQ(window->mode(), QStringLiteral("add"));
    EXPECT_EQ(shownCode(), QString());
    expectStates(true);
    EXPECT_FALSE(Enabled(*window, "Next"));

    Trigger(*window, "Cancel");
    EXPECT_EQ(window->mode(), QStringLiteral("normal"));
    EXPECT_EQ(shownCode(), rowCode(1)) << "cancel lands on the last record";
    EXPECT_EQ(dialogs.messages(), GetParam().cancelled.isEmpty() ? QStringList() : QStringList{GetParam().cancelled});
    expectStates(false);

    Trigger(*window, "Edit");
    EXPECT_EQ(window->mode(), QStringLiteral("edit"));
    expectStates(true);
}

TEST_P(RegisterPattern, ADuplicateCodeIsRefusedOnLeavingTheBoxAndAgainOnSave)
{
    Trigger(*window, "Add");
    type(GetParam().record);
    window->fields()->setText(GetParam().code, rowCode(1));
    window->CodeExit();
    EXPECT_EQ(dialogs.messages(), QStringList{kDuplicate});
    EXPECT_FALSE(Enabled(*window, "Save"));

    window->fields()->setText(GetParam().code, GetParam().record.value(GetParam().code).toString());
    window->CodeExit();
    EXPECT_TRUE(Enabled(*window, "Save")) << "a free code gives save back";

    // Save pressed while the focus is still in the code box: the box was never left.
    dialogs.clear();
    window->fields()->setText(GetParam().code, rowCode(0));
    Trigger(*window, "Save");
    EXPECT_EQ(dialogs.messages(), QStringList{GetParam().duplicateOnSave});
    EXPECT_EQ(window->mode(), QStringLiteral("add"));
    EXPECT_EQ(records(), 2);
}

TEST_P(RegisterPattern, SavesANewRecordOnceItHasACodeAndShowsIt)
{
    Trigger(*window, "Add");
    type(GetParam().record);
    window->fields()->setText(GetParam().code, QStringLiteral("  "));
    Trigger(*window, "Save");
    EXPECT_EQ(dialogs.messages(), QStringList{GetParam().emptyCode});
    EXPECT_EQ(window->mode(), QStringLiteral("add"));

    const QString code = GetParam().record.value(GetParam().code).toString();
    window->fields()->setText(GetParam().code, code);
    Trigger(*window, "Save");
    EXPECT_EQ(window->mode(), QStringLiteral("normal"));
    EXPECT_EQ(shownCode(), code);
    EXPECT_EQ(records(), 3);
    for (auto it = GetParam().record.cbegin(); it != GetParam().record.cend(); ++it) {
        const QVariant stored = scalar(QStringLiteral("select %1 from %2 where %3 = :pcode")
                                           .arg(it.key(), GetParam().table, GetParam().code),
                                       {{"pcode", code}});
        EXPECT_EQ(window->fieldText(it.key()), it.value().toString()) << it.key().toStdString();
        if (stored.typeId() == QMetaType::Double)
            EXPECT_EQ(stored.toDouble(), it.value().toDouble()) << it.key().toStdString();
        else
            EXPECT_EQ(stored.toString(), it.value().toString()) << it.key().toStdString();
    }
}

TEST_P(RegisterPattern, AnEditMayGiveAFreeCodeButNotAnotherRecordsCode)
{
    Trigger(*window, "Edit");
    window->fields()->setText(GetParam().code, rowCode(1));
    Trigger(*window, "Save");
    EXPECT_EQ(dialogs.messages(), QStringList{GetParam().duplicateOnSave});
    EXPECT_EQ(window->mode(), QStringLiteral("edit"));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from %1 where %2 = :pcode").arg(GetParam().table, GetParam().code),
                     {{"pcode", rowCode(0)}})
                  .toInt(),
              1);

    window->fields()->setText(GetParam().code, QStringLiteral("X9"));
    Trigger(*window, "Save");
    EXPECT_EQ(window->mode(), QStringLiteral("normal"));
    EXPECT_EQ(shownCode(), QStringLiteral("X9")) << "the window stays on the record it saved";
    EXPECT_EQ(records(), 2);
}

TEST_P(RegisterPattern, DeleteAsksFirst)
{
    dialogs.answerYesNo(false);
    Trigger(*window, "Delete");
    EXPECT_EQ(records(), 2);
    dialogs.answerYesNo(true);
    Trigger(*window, "Delete");
    EXPECT_EQ(dialogs.shown(), QStringList({"ต้องการลบข้อมูลนี้ ?", "ต้องการลบข้อมูลนี้ ?"}));
    EXPECT_EQ(records(), 1);
    EXPECT_EQ(shownCode(), rowCode(1));
}

TEST_P(RegisterPattern, SearchByTheFirstLettersOfANameShowsThatRecord)
{
    window->SearchClick();
    SearchPanel *panel = window->searchPanel();
    ASSERT_FALSE(panel->isHidden());
    EXPECT_FALSE(Enabled(*window, "Add")) << "the tool bar waits while the panel is open";
    EXPECT_TRUE(Enabled(*window, "Close"));
    panel->findChild<QRadioButton *>(QStringLiteral("SearchByName"))->click();
    panel->textBox()->setText(GetParam().rows[1].value(GetParam().nameColumn).toString().left(3));
    panel->TextReturnPressed();
    if (!panel->isHidden()) // the product register's own list: Enter finds, "กลับ" moves
        panel->CloseClick();
    EXPECT_TRUE(panel->isHidden());
    EXPECT_EQ(shownCode(), rowCode(1));
    EXPECT_TRUE(Enabled(*window, "Add"));
}

INSTANTIATE_TEST_SUITE_P(Registers, RegisterPattern, ::testing::ValuesIn(kRegisters),
                         [](const ::testing::TestParamInfo<RegisterCase> &info) { return std::string(info.param.name); });
