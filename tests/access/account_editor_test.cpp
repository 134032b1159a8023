// The account editor of the login window: adding, editing, the save checks and the employee search.
#include "access_test_support.h"

#include "access/account_store.h"
#include "common/shared_state.h"
#include "db/data_connection.h"
#include "db/passwords.h"
#include "db/sql_statement.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// One account row as stored.
struct StoredAccount
{
    bool exists = false;
    QString passwd;
    QString name;
    QVariant ac1;
    QString perNo;
};

StoredAccount Stored(const QString &userName)
{
    QString error;
    auto connection = OpenDataConnection(&error);
    EXPECT_NE(connection, nullptr) << error.toStdString();
    StoredAccount row;
    if (!connection)
        return row;
    SqlStatement select(connection->database(), {QStringLiteral(" select passwd, name, ac1, per_no from market "),
                                                 QStringLiteral(" where usrname = :pusrname ")});
    select.bind(QStringLiteral("pusrname"), userName);
    EXPECT_TRUE(select.exec(&error)) << error.toStdString();
    if (select.query().next())
        row = {true, select.query().value(0).toString(), select.query().value(1).toString(), select.query().value(2),
               select.query().value(3).toString()};
    return row;
}

int CheckedLevel(Tpasswd_full &window)
{
    for (int level = 1; level <= 5; ++level) {
        if (Child<QRadioButton>(window, QStringLiteral("Level%1").arg(level).toLatin1().constData())->isChecked())
            return level;
    }
    return 0;
}

// The enabled state of the editor's buttons as one text, e.g. "add edit prior next".
QString EnabledButtons(Tpasswd_full &window)
{
    QStringList on;
    for (const char *name : {"Add", "Edit", "Prior", "Next", "Save", "Cancel", "Find"}) {
        if (Enabled(window, name))
            on.append(QString::fromLatin1(name));
    }
    return on.join(u' ');
}

const QString kNormalButtons = QStringLiteral("Add Edit Prior Next");
const QString kEditingButtons = QStringLiteral("Save Cancel Find");

// A fresh data folder (only "admin") with the administrator logged in.
class AccountEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.ok()) << m_folder.error().toStdString();
        m_harness = std::make_unique<MenuHarness>(m_folder);
        m_window = std::make_unique<Tpasswd_full>();
        m_window->show();
        Login(*m_window, QStringLiteral("admin"), QStringLiteral("9806"));
        ASSERT_FALSE(Child<QWidget>(*m_window, "AdminPart")->isHidden());
        dialogs().clear(); // the admin of a fresh folder has no employee
    }

    void TearDown() override
    {
        m_window.reset();
        m_harness.reset();
    }

    Tpasswd_full &window() { return *m_window; }
    FakeDialogs &dialogs() { return m_harness->dialogs(); }

    TempDataFolder m_folder;
    std::unique_ptr<MenuHarness> m_harness;
    std::unique_ptr<Tpasswd_full> m_window;
};

TEST_F(AccountEditorTest, ShowsTheLoggedInAccountWithoutItsPassword)
{
    EXPECT_EQ(window().mode(), QStringLiteral("normal"));
    EXPECT_EQ(EnabledButtons(window()), kNormalButtons);
    EXPECT_EQ(Text(window(), "UserName"), QStringLiteral("admin"));
    EXPECT_EQ(Text(window(), "NewPassword"), QString());
    EXPECT_EQ(Text(window(), "PasswordAgain"), QString());
    EXPECT_EQ(CheckedLevel(window()), 1);
    EXPECT_FALSE(Enabled(window(), "Level3")) << "the level changes only while editing";
}

TEST_F(AccountEditorTest, EnterMovesFromUserNameThroughBothPasswordsToTheLevel)
{
    Click(window(), "Edit");
    const char *chain[] = {"UserName", "NewPassword", "PasswordAgain", "Level1"};
    for (int i = 0; i + 1 < 4; ++i) {
        Child<QWidget>(window(), chain[i])->setFocus();
        QTest::keyClick(Child<QWidget>(window(), chain[i]), Qt::Key_Return);
        EXPECT_EQ(window().focusWidget(), Child<QWidget>(window(), chain[i + 1])) << "Enter in " << chain[i];
    }
    EXPECT_EQ(window().mode(), QStringLiteral("edit")) << "Enter saves nothing";
}

TEST_F(AccountEditorTest, AddChecksTheNameAndBothPasswordsBeforeSaving)
{
    Click(window(), "Add");
    EXPECT_EQ(window().mode(), QStringLiteral("add"));
    EXPECT_EQ(EnabledButtons(window()), kEditingButtons);
    EXPECT_EQ(CheckedLevel(window()), 5);
    EXPECT_EQ(Text(window(), "UserName"), QString());
    EXPECT_EQ(window().focusWidget(), Child<QWidget>(window(), "EmployeeCode"));

    const struct
    {
        const char *label;
        QString userName, password, again;
        QString message; // "" = saved without a word, or stopped without a word
        const char *focus;
        QString modeAfter;
    } attempts[] = {
        {"empty name stops quietly", "", "x", "x", "", nullptr, "add"},
        {"existing name", "admin", "x", "x", "มี Username นี้อยู่แล้ว กรุณาเปลี่ยนใหม่...", nullptr, "add"},
        {"passwords differ", "ad", "Secret", "secret", "รหัสไม่เหมือนกัน ลองอีกครั้ง", "NewPassword", "add"},
        {"one box only", "ad", "", "Secret", "รหัสไม่เหมือนกัน ลองอีกครั้ง", "NewPassword", "add"},
        {"no password", "ad", "", "", "กรุณากำหนดรหัสผ่าน", "NewPassword", "add"},
        {"a prefix of an existing name", "ad", "Secret", "Secret", "", nullptr, "normal"},
    };
    for (const auto &a : attempts) {
        dialogs().clear();
        SetText(window(), "UserName", a.userName);
        SetText(window(), "NewPassword", a.password);
        SetText(window(), "PasswordAgain", a.again);
        Click(window(), "Save");
        EXPECT_EQ(dialogs().messages(), a.message.isEmpty() ? QStringList() : QStringList{a.message}) << a.label;
        EXPECT_EQ(dialogs().errors(), QStringList()) << a.label;
        EXPECT_EQ(window().mode(), a.modeAfter) << a.label;
        if (a.focus) {
            EXPECT_EQ(window().focusWidget(), Child<QWidget>(window(), a.focus)) << a.label;
        }
    }

    EXPECT_EQ(EnabledButtons(window()), kNormalButtons);
    EXPECT_EQ(Text(window(), "UserName"), QStringLiteral("ad"));
    EXPECT_EQ(Text(window(), "NewPassword"), QString());
    const StoredAccount ad = Stored(QStringLiteral("ad"));
    ASSERT_TRUE(ad.exists);
    EXPECT_TRUE(IsPasswordHash(ad.passwd)) << ad.passwd.toStdString();
    EXPECT_EQ(ad.ac1.toInt(), 5);
    EXPECT_EQ(ad.perNo, QString());
    EXPECT_EQ(ad.name, QString());

    // The new account: the password is exact, the name is not; without an employee it is told so.
    Tpasswd_full other;
    dialogs().clear();
    Login(other, QStringLiteral("ad"), QStringLiteral("secret"));
    EXPECT_EQ(Shared().CurrentUserLevel, 0);
    Login(other, QStringLiteral("AD"), QStringLiteral("Secret"));
    EXPECT_EQ(Shared().CurrentUserLevel, 5);
    EXPECT_EQ(dialogs().messages(), QStringList{QStringLiteral("ยังไม่ได้กำหนดพนักงาน...")});
}

TEST_F(AccountEditorTest, EditKeepsThePasswordWhenBothBoxesStayEmpty)
{
    Click(window(), "Add");
    SetText(window(), "UserName", QStringLiteral("clerk"));
    SetText(window(), "NewPassword", QStringLiteral("pw1"));
    SetText(window(), "PasswordAgain", QStringLiteral("pw1"));
    Click(window(), "Level4");
    Click(window(), "Save");
    ASSERT_EQ(window().mode(), QStringLiteral("normal"));
    const StoredAccount before = Stored(QStringLiteral("clerk"));
    ASSERT_TRUE(before.exists);
    EXPECT_EQ(before.ac1.toInt(), 4);

    Click(window(), "Edit");
    EXPECT_EQ(window().mode(), QStringLiteral("edit"));
    EXPECT_EQ(EnabledButtons(window()), kEditingButtons);
    EXPECT_EQ(Text(window(), "UserName"), QStringLiteral("clerk"));
    EXPECT_EQ(Text(window(), "NewPassword"), QString()) << "a stored password is never shown";

    // Typed once only: the boxes differ.
    SetText(window(), "NewPassword", QStringLiteral("pw2"));
    Click(window(), "Save");
    EXPECT_EQ(dialogs().messages(), QStringList{QStringLiteral("รหัสไม่เหมือนกัน ลองอีกครั้ง")});
    EXPECT_EQ(window().mode(), QStringLiteral("edit"));

    SetText(window(), "NewPassword", QString());
    Click(window(), "Level3");
    Click(window(), "Save");
    EXPECT_EQ(window().mode(), QStringLiteral("normal"));
    const StoredAccount after = Stored(QStringLiteral("clerk"));
    EXPECT_EQ(after.passwd, before.passwd);
    EXPECT_EQ(after.ac1.toInt(), 3);
    EXPECT_EQ(CheckedLevel(window()), 3);
}

TEST_F(AccountEditorTest, RenamingToAnotherAccountsNameIsRefusedAndStaysInEditing)
{
    Click(window(), "Add");
    SetText(window(), "UserName", QStringLiteral("clerk"));
    SetText(window(), "NewPassword", QStringLiteral("pw1"));
    SetText(window(), "PasswordAgain", QStringLiteral("pw1"));
    Click(window(), "Save");
    ASSERT_EQ(window().mode(), QStringLiteral("normal"));
    dialogs().clear();

    Click(window(), "Edit");
    SetText(window(), "UserName", QStringLiteral("admin"));
    Click(window(), "Save");

    ASSERT_EQ(dialogs().errors().size(), 1);
    EXPECT_TRUE(dialogs().errors().first().startsWith(QStringLiteral("บันทึกไม่ได้ : มี Username นี้อยู่แล้ว กรุณาเปลี่ยนใหม่...")))
        << dialogs().errors().first().toStdString();
    EXPECT_EQ(dialogs().messages(), QStringList());
    EXPECT_EQ(window().mode(), QStringLiteral("edit"));
    EXPECT_EQ(EnabledButtons(window()), kEditingButtons);
    EXPECT_EQ(Text(window(), "UserName"), QStringLiteral("admin"));
    EXPECT_TRUE(Stored(QStringLiteral("clerk")).exists);

    Click(window(), "Cancel");
    EXPECT_EQ(window().mode(), QStringLiteral("normal"));
    EXPECT_EQ(Text(window(), "UserName"), QStringLiteral("clerk"));

    // The navigator walks the accounts in name order.
    Click(window(), "Prior");
    EXPECT_EQ(Text(window(), "UserName"), QStringLiteral("admin"));
    Click(window(), "Prior");
    EXPECT_EQ(Text(window(), "UserName"), QStringLiteral("admin"));
    Click(window(), "Next");
    EXPECT_EQ(Text(window(), "UserName"), QStringLiteral("clerk"));
}

TEST_F(AccountEditorTest, CancelDropsANewAccount)
{
    Click(window(), "Add");
    SetText(window(), "UserName", QStringLiteral("temp"));
    Click(window(), "Cancel");
    EXPECT_EQ(window().mode(), QStringLiteral("normal"));
    EXPECT_EQ(EnabledButtons(window()), kNormalButtons);
    EXPECT_EQ(Text(window(), "UserName"), QStringLiteral("admin"));
    EXPECT_FALSE(Stored(QStringLiteral("temp")).exists);
}

TEST_F(AccountEditorTest, AFailedLoginDropsTheEditInProgress)
{
    Click(window(), "Edit");
    SetText(window(), "UserName", QStringLiteral("changed"));
    Login(window(), QStringLiteral("admin"), QStringLiteral("wrong"));
    EXPECT_TRUE(Child<QWidget>(window(), "AdminPart")->isHidden());
    EXPECT_EQ(window().mode(), QStringLiteral("normal"));
    EXPECT_FALSE(Stored(QStringLiteral("changed")).exists);
    EXPECT_TRUE(Stored(QStringLiteral("admin")).exists);
}

TEST(AccountEmployeeSearchTest, ChoosesTheEmployeeByCodeOrByNameAndSavesIt)
{
    TempDataFolder folder(/*demo=*/true);
    ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
    MenuHarness harness(folder);
    Tpasswd_full window;
    window.show();
    Login(window, QStringLiteral("staff"), QStringLiteral("4444"));
    EXPECT_TRUE(Child<QWidget>(window, "AdminPart")->isHidden()) << "only the administrator edits accounts";
    Login(window, QStringLiteral("admin"), QStringLiteral("9806"));
    ASSERT_FALSE(Child<QWidget>(window, "AdminPart")->isHidden());
    const StoredAccount before = Stored(QStringLiteral("admin"));
    ASSERT_EQ(before.perNo, QStringLiteral("E0001"));
    EXPECT_FALSE(Enabled(window, "Find"));

    Click(window, "Edit");
    Click(window, "Find");
    auto *list = Child<QTableWidget>(window, "EmployeeList");
    EXPECT_EQ(window.height(), 513);
    EXPECT_FALSE(Child<QWidget>(window, "SearchPart")->isHidden());
    EXPECT_EQ(EnabledButtons(window), QString()) << "everything rests while the search is open";
    EXPECT_EQ(list->rowCount(), 5);
    EXPECT_EQ(list->item(list->currentRow(), 0)->text(), QStringLiteral("E0001"));

    const struct
    {
        const char *by; // the search choice
        QString text;
        QString code; // the employee the list moves to
    } searches[] = {
        {"SearchByName", list->item(2, 1)->text().left(3), "E0003"},
        {"SearchByCode", "E0004", "E0004"},
        {"SearchByName", "zzz", "E0004"}, // nothing begins with it: the list stays
    };
    for (const auto &s : searches) {
        SetText(window, "SearchText", QStringLiteral("left over"));
        Click(window, s.by);
        EXPECT_EQ(Text(window, "SearchText"), QString()) << s.by;
        SetText(window, "SearchText", s.text);
        Child<QLineEdit>(window, "SearchText")->returnPressed();
        EXPECT_EQ(list->item(list->currentRow(), 0)->text(), s.code) << s.text.toStdString();
        EXPECT_EQ(window.focusWidget(), Child<QWidget>(window, "CloseSearch"));
    }

    const QString chosenName = list->item(3, 1)->text();
    Click(window, "CloseSearch");
    EXPECT_EQ(window.focusWidget(), Child<QWidget>(window, "UserName")) << "the focus goes on to the next box";
    EXPECT_FALSE(Child<QLineEdit>(window, "LoginName")->hasSelectedText());
    EXPECT_EQ(window.height(), 337);
    EXPECT_TRUE(Child<QWidget>(window, "SearchPart")->isHidden());
    EXPECT_EQ(EnabledButtons(window), kEditingButtons);
    EXPECT_EQ(Text(window, "EmployeeCode"), QStringLiteral("E0004"));
    EXPECT_EQ(Text(window, "EmployeeName"), chosenName);

    Click(window, "Save");
    EXPECT_EQ(window.mode(), QStringLiteral("normal"));
    const StoredAccount after = Stored(QStringLiteral("admin"));
    EXPECT_EQ(after.perNo, QStringLiteral("E0004"));
    EXPECT_EQ(after.name, before.name) << "the account holder's name is kept";
    EXPECT_EQ(after.passwd, before.passwd);
    EXPECT_EQ(harness.dialogs().shown(), QStringList({Tpasswd_full::defaultPasswordQuestion()}));
}

} // namespace
