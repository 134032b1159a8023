// Logging in and out through the login window, with the rights landing on a real main window.
#include "access_test_support.h"

#include "access/account_store.h"
#include "access/login_rights.h"
#include "access/login_throttle.h"
#include "app/program_font.h"
#include "common/shared_state.h"
#include "db/data_connection.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QString EmployeeName(const QString &code)
{
    QString error;
    auto connection = OpenDataConnection(&error);
    std::optional<Employee> employee;
    EXPECT_TRUE(AccountStore(connection->database()).findEmployee(code, &employee, &error)) << error.toStdString();
    return employee ? employee->name : QString();
}

bool Allowed(MenuHarness &harness, const char *item)
{
    return harness.main().itemAllowed(QString::fromLatin1(item));
}

struct LoginCase
{
    const char *label;
    QString name;
    QString password;
    int level;
    QString employee; // "" when the login fails
    bool inStock, outStock, dataTools, registers, reports;
};

void PrintTo(const LoginCase &c, std::ostream *os)
{
    *os << c.label;
}

class LoginTest : public ::testing::TestWithParam<LoginCase>
{
};

TEST_P(LoginTest, SetsTheLevelTheGreetingAndTheRights)
{
    const LoginCase &c = GetParam();
    MenuHarness harness(DemoFolder());
    Tpasswd_full window;
    window.show();
    Shared().CurrentUserLevel = 99;

    Login(window, c.name, c.password);

    EXPECT_EQ(Shared().CurrentUserLevel, c.level);
    EXPECT_EQ(Allowed(harness, "mminstock"), c.inStock);
    EXPECT_EQ(Allowed(harness, "mmoutstock"), c.outStock);
    EXPECT_EQ(Allowed(harness, "mmdatatools"), c.dataTools);
    EXPECT_EQ(Allowed(harness, "mmref"), c.registers);
    EXPECT_EQ(Allowed(harness, "mmreport"), c.reports);
    EXPECT_EQ(Allowed(harness, "mmlogin"), true);
    EXPECT_EQ(Allowed(harness, "mmabout"), true);
    const bool succeeded = !c.employee.isEmpty();
    EXPECT_EQ(Text(window, "Hello2"), succeeded ? c.employee + QStringLiteral(" : ") + EmployeeName(c.employee) : QString());
    EXPECT_EQ(Text(window, "Hello1").startsWith(QStringLiteral("Hello ")), succeeded);
    EXPECT_EQ(Child<QWidget>(window, "GoToWork")->isHidden(), !succeeded);
    EXPECT_EQ(Child<QWidget>(window, "AdminPart")->isHidden(), c.level != 1);
    EXPECT_EQ(window.focusWidget(), Child<QWidget>(window, succeeded ? "GoToWork" : "LoginName"));
    // Neither a good nor a bad login says anything, but the administrator still has the
    // announced password and is asked to change it.
    EXPECT_EQ(harness.dialogs().shown(),
              c.level == 1 ? QStringList{Tpasswd_full::defaultPasswordQuestion()} : QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Accounts, LoginTest,
    ::testing::Values(
        //        label                 name             password    lvl employee  in     out    tools  ref    reports
        LoginCase{"Admin",              "admin",         "9806",     1, "E0001", true,  true,  true,  true,  true},
        LoginCase{"NameIgnoresCase",    "ADMIN",         "9806",     1, "E0001", true,  true,  true,  true,  true},
        LoginCase{"Manager",            "Manager",       "2222",     2, "E0002", true,  true,  true,  true,  true},
        LoginCase{"SupervisorNoReports", "supervisor",   "3333",     3, "E0003", true,  true,  true,  true,  false},
        LoginCase{"StaffInStockOnly",   "staff",         "4444",     4, "E0004", true,  false, true,  false, false},
        LoginCase{"CounterOutStockOnly", "counter",      "5555",     5, "E0005", false, true,  true,  false, false},
        LoginCase{"WrongPassword",      "manager",       "2223",     0, "",      false, false, false, false, false},
        LoginCase{"PasswordNotTrimmed", "admin",         "9806 ",    0, "",      false, false, false, false, false},
        LoginCase{"NameNotTrimmed",     "admin ",        "9806",     0, "",      false, false, false, false, false},
        LoginCase{"UnknownName",        "nobody",        "9806",     0, "",      false, false, false, false, false},
        LoginCase{"EmptyName",          "",              "",         0, "",      false, false, false, false, false}),
    [](const ::testing::TestParamInfo<LoginCase> &info) { return std::string(info.param.label); });

TEST(LoginWindowTest, OpensFromTheMenuAtItsPlaceInTheLoggedOutState)
{
    MenuHarness harness(DemoFolder());
    TMAIN &main = harness.main();
    ASSERT_TRUE(main.item(QStringLiteral("mmlogin1"))->isEnabled());

    main.item(QStringLiteral("mmlogin1"))->trigger();

    const QList<QMdiSubWindow *> frames = main.mdiArea()->subWindowList();
    ASSERT_EQ(frames.size(), 1);
    auto *window = qobject_cast<Tpasswd_full *>(frames.first()->widget());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(frames.first()->pos(), QPoint(100, 10));
    EXPECT_EQ(window->height(), 337);
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" รหัสผ่าน  Login Name : admin    Password : 9806"));
    EXPECT_EQ(window->mode(), QStringLiteral("normal"));
    EXPECT_TRUE(Enabled(*window, "Login"));
    EXPECT_TRUE(Child<QWidget>(*window, "AdminPart")->isHidden());
    EXPECT_TRUE(Child<QWidget>(*window, "GoToWork")->isHidden());
    EXPECT_TRUE(Child<QWidget>(*window, "SearchPart")->isHidden());
    EXPECT_EQ(Text(*window, "Hello1"), QString());
    EXPECT_EQ(window->focusWidget(), Child<QWidget>(*window, "LoginName"));
    frames.first()->close();
}

TEST(LoginWindowTest, EnterMovesFromNameToPasswordToLoginWhichEnterThenPresses)
{
    MenuHarness harness(DemoFolder());
    Tpasswd_full window;
    window.show();
    auto *name = Child<QWidget>(window, "LoginName");
    auto *password = Child<QWidget>(window, "Password");
    auto *login = Child<QWidget>(window, "Login");

    SetText(window, "LoginName", QStringLiteral("staff"));
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(window.focusWidget(), password);
    SetText(window, "Password", QStringLiteral("4444"));
    QTest::keyClick(password, Qt::Key_Return);
    EXPECT_EQ(window.focusWidget(), login);
    EXPECT_EQ(Shared().CurrentUserLevel, 0) << "Enter in the password box only moves the focus";
    QTest::keyClick(login, Qt::Key_Return);
    EXPECT_EQ(Shared().CurrentUserLevel, 4);
}

TEST(LoginWindowTest, FailedLoginAfterAGoodOneWithdrawsTheRights)
{
    MenuHarness harness(DemoFolder());
    Tpasswd_full window;
    Login(window, QStringLiteral("admin"), QStringLiteral("9806"));
    ASSERT_EQ(Shared().CurrentUserLevel, 1);
    ASSERT_TRUE(Allowed(harness, "mmdatabase"));

    Login(window, QStringLiteral("admin"), QStringLiteral("0000"));

    EXPECT_EQ(Shared().CurrentUserLevel, 0);
    for (const MenuRight &right : LoginRights(0))
        EXPECT_EQ(harness.main().itemAllowed(right.item), right.allowed) << right.item.toStdString();
    EXPECT_FALSE(Allowed(harness, "mmdatatools")) << "a failed login takes even the database tools";
    EXPECT_TRUE(Child<QWidget>(window, "AdminPart")->isHidden());
    EXPECT_TRUE(Child<QWidget>(window, "GoToWork")->isHidden());
    EXPECT_EQ(Text(window, "Hello1"), QString());
    EXPECT_EQ(Text(window, "Hello2"), QString());
}

TEST(LoginWindowTest, LogoutRestoresTheLoggedOutStateAndClosesTheWindow)
{
    MenuHarness harness(DemoFolder());
    Tpasswd_full window;
    window.show();
    Login(window, QStringLiteral("admin"), QStringLiteral("9806"));
    ASSERT_EQ(Shared().CurrentUserLevel, 1);

    Click(window, "Logout");

    EXPECT_EQ(Shared().CurrentUserLevel, 0);
    for (const char *item : {"mmlogin", "mmlogin1", "EXIT1", "mmback", "mmdatatools", "mmabout"})
        EXPECT_TRUE(Allowed(harness, item)) << item;
    for (const char *item : {"mminstock", "mmoutstock", "mmorder", "mmdatabase", "mmref", "mmreport", "mmtools"})
        EXPECT_FALSE(Allowed(harness, item)) << item;
    EXPECT_FALSE(window.isVisible());
}

TEST(LoginWindowTest, GoToWorkClearsTheBoxesAndClosesWithTheLoginInForce)
{
    MenuHarness harness(DemoFolder());
    Tpasswd_full window;
    window.show();
    Login(window, QStringLiteral("supervisor"), QStringLiteral("3333"));

    Click(window, "GoToWork");

    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Text(window, "LoginName"), QString());
    EXPECT_EQ(Text(window, "Password"), QString());
    EXPECT_EQ(Shared().CurrentUserLevel, 3);
    EXPECT_TRUE(Allowed(harness, "mmref"));
}

TEST(LoginWindowTest, AccountWithoutEmployeeLogsInButIsNotOfferedTheWay)
{
    TempDataFolder fresh; // only "admin", linked to no employee
    ASSERT_TRUE(fresh.ok()) << fresh.error().toStdString();
    MenuHarness harness(fresh);
    Tpasswd_full window;

    Login(window, QStringLiteral("admin"), QStringLiteral("9806"));

    EXPECT_EQ(harness.dialogs().messages(), QStringList{QStringLiteral("ยังไม่ได้กำหนดพนักงาน...")});
    EXPECT_EQ(Shared().CurrentUserLevel, 1);
    EXPECT_TRUE(Allowed(harness, "mmdatabase"));
    EXPECT_TRUE(Child<QWidget>(window, "GoToWork")->isHidden());
    EXPECT_FALSE(Child<QWidget>(window, "AdminPart")->isHidden());
    EXPECT_EQ(Text(window, "Hello1"), QString());
    EXPECT_EQ(Text(window, "Hello2"), QString());
}

TEST(LoginWindowTest, ThreeFailuresRestTheNameForTheRunAndCountTheSecondsDown)
{
    MenuHarness harness(DemoFolder());
    qint64 clock = 0;
    LoginThrottle::shared().reset([&clock] { return clock; });
    const auto pauseText = [](Tpasswd_full &window) { return Text(window, "LoginPause"); };
    {
        Tpasswd_full window;
        for (int failure = 1; failure <= 2; ++failure) {
            Login(window, QStringLiteral("nobody"), QStringLiteral("x"));
            EXPECT_TRUE(Enabled(window, "Login")) << "after failure " << failure;
            EXPECT_EQ(pauseText(window), QString()) << "after failure " << failure;
        }
        Login(window, QStringLiteral("nobody"), QStringLiteral("x"));
        EXPECT_FALSE(Enabled(window, "Login"));
        EXPECT_EQ(pauseText(window), QStringLiteral("รออีก 1 วินาที"));
        EXPECT_TRUE(Child<QTimer>(window, "LockTimer")->isActive());

        // A press that still arrives does nothing at all.
        Shared().CurrentUserLevel = 42;
        window.LoginClick();
        EXPECT_EQ(Shared().CurrentUserLevel, 42);

        // The rest belongs to the name: another may try at once.
        SetText(window, "LoginName", QStringLiteral("staff"));
        EXPECT_TRUE(Enabled(window, "Login"));
        EXPECT_EQ(pauseText(window), QString());
    }

    // A new login window does not start the count again.
    Tpasswd_full window;
    auto *timer = Child<QTimer>(window, "LockTimer");
    SetText(window, "LoginName", QStringLiteral("NOBODY"));
    EXPECT_FALSE(Enabled(window, "Login"));
    EXPECT_EQ(pauseText(window), QStringLiteral("รออีก 1 วินาที"));
    clock += 1000;
    window.LockTimerTimeout();
    EXPECT_TRUE(Enabled(window, "Login"));
    EXPECT_EQ(pauseText(window), QString());
    EXPECT_FALSE(timer->isActive());

    // The fourth failure rests the name twice as long; the seconds count down.
    Login(window, QStringLiteral("nobody"), QStringLiteral("x"));
    EXPECT_EQ(pauseText(window), QStringLiteral("รออีก 2 วินาที"));
    EXPECT_EQ(timer->interval(), 1000);
    clock += 1500;
    window.LockTimerTimeout();
    EXPECT_EQ(pauseText(window), QStringLiteral("รออีก 1 วินาที"));
    EXPECT_EQ(timer->interval(), 500);
    clock += 500;
    window.LockTimerTimeout();
    EXPECT_TRUE(Enabled(window, "Login"));

    // A good login starts its name's count again: the next failure costs nothing.
    for (int failure = 1; failure <= 3; ++failure)
        Login(window, QStringLiteral("staff"), QStringLiteral("x"));
    ASSERT_FALSE(Enabled(window, "Login"));
    clock += 1000;
    window.LockTimerTimeout();
    Login(window, QStringLiteral("staff"), QStringLiteral("4444"));
    ASSERT_EQ(Shared().CurrentUserLevel, 4);
    Login(window, QStringLiteral("staff"), QStringLiteral("x"));
    EXPECT_TRUE(Enabled(window, "Login"));
    EXPECT_EQ(harness.dialogs().shown(), QStringList());
    LoginThrottle::shared().reset();
}

TEST(LoginWindowTest, AnnouncedPasswordAsksForANewOneAtEveryLoginUntilItIsChanged)
{
    TempDataFolder fresh; // only "admin", with the announced password and no employee
    ASSERT_TRUE(fresh.ok()) << fresh.error().toStdString();
    MenuHarness harness(fresh);
    const QString noEmployee = QStringLiteral("ยังไม่ได้กำหนดพนักงาน...");
    Tpasswd_full window;
    window.show();

    // No: the login stands and nothing changes.
    Login(window, QStringLiteral("admin"), QStringLiteral("9806"));
    EXPECT_EQ(harness.dialogs().shown(), QStringList({noEmployee, Tpasswd_full::defaultPasswordQuestion()}));
    EXPECT_EQ(Shared().CurrentUserLevel, 1);
    EXPECT_EQ(window.mode(), QStringLiteral("normal"));

    // Asked again at the next such login; Yes opens the account for a new password.
    harness.dialogs().clear();
    harness.dialogs().answerYesNo(true);
    Login(window, QStringLiteral("admin"), QStringLiteral("9806"));
    EXPECT_EQ(harness.dialogs().shown(), QStringList({noEmployee, Tpasswd_full::defaultPasswordQuestion()}));
    EXPECT_EQ(window.mode(), QStringLiteral("edit"));
    EXPECT_EQ(Text(window, "UserName"), QStringLiteral("admin"));
    EXPECT_EQ(window.focusWidget(), Child<QWidget>(window, "NewPassword"));
    SetText(window, "NewPassword", QStringLiteral("Sh0p-2024"));
    SetText(window, "PasswordAgain", QStringLiteral("Sh0p-2024"));
    Click(window, "Save");
    EXPECT_EQ(window.mode(), QStringLiteral("normal"));

    // Changed: no more question, and the announced password no longer logs in.
    harness.dialogs().clear();
    Login(window, QStringLiteral("admin"), QStringLiteral("Sh0p-2024"));
    EXPECT_EQ(Shared().CurrentUserLevel, 1);
    EXPECT_EQ(harness.dialogs().shown(), QStringList({noEmployee}));
    Login(window, QStringLiteral("admin"), QStringLiteral("9806"));
    EXPECT_EQ(Shared().CurrentUserLevel, 0);
}

// Where a widget lies in its window.
QRect RectIn(QWidget &window, QWidget *widget)
{
    return QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
}

// The window keeps its fixed size, so it must be laid out for the font it is drawn with: the
// program sets its own at start, and the desktop's default must change nothing.
TEST(LoginWindowTest, LevelLegendKeepsItsTwoLinesApartWhateverTheDesktopFont)
{
    const QFont programStart = QApplication::font();
    for (const QFont &desktop : {QFont(QStringLiteral("DejaVu Sans"), 10), QFont(QStringLiteral("Garuda"), 13)}) {
        SCOPED_TRACE(desktop.family().toStdString());
        QApplication::setFont(desktop);
        ApplyProgramFont();
        MenuHarness harness(DemoFolder());
        Tpasswd_full window;
        window.show();
        Login(window, QStringLiteral("admin"), QStringLiteral("9806"));
        ASSERT_FALSE(Child<QWidget>(window, "AdminPart")->isHidden());
        QCoreApplication::sendPostedEvents();
        window.layout()->activate();

        auto *first = Child<QLabel>(window, "Legend1");
        auto *second = Child<QLabel>(window, "Legend2");
        ASSERT_TRUE(first && second);
        const QRect firstRect = RectIn(window, first);
        const QRect secondRect = RectIn(window, second);
        EXPECT_LE(firstRect.bottom(), secondRect.top()) << "the second line begins below the first";
        for (QLabel *line : {first, second})
            EXPECT_GE(line->height(), line->sizeHint().height()) << line->text().toStdString() << " is cut";
        EXPECT_LE(window.layout()->minimumSize().height(), window.height()) << "the parts need more than the window";

        // With the employee search open below, at its greater height.
        Click(window, "Edit");
        Click(window, "Find");
        QCoreApplication::sendPostedEvents();
        ASSERT_EQ(window.height(), Tpasswd_full::kHeightWithSearch);
        EXPECT_LE(window.layout()->minimumSize().height(), window.height()) << "the search part needs more room";
        Click(window, "CloseSearch");
    }
    QApplication::setFont(programStart);
}

TEST(AccountStoreTest, LoginNameIgnoresCaseButPrefersTheExactSpelling)
{
    QList<Account> accounts;
    for (const QString &name : {QStringLiteral("ADMIN"), QStringLiteral("admin"), QStringLiteral("bob"),
                                QStringLiteral("Ärger"), QStringLiteral("สมชาย")})
        accounts.append(Account{name, QString(), QString(), 1, QString()});
    const struct
    {
        QString typed;
        int row;
    } cases[] = {
        {QStringLiteral("admin"), 1}, {QStringLiteral("ADMIN"), 0}, {QStringLiteral("Admin"), 0},
        {QStringLiteral("BOB"), 2},   {QStringLiteral("äRGER"), 3}, {QStringLiteral("สมชาย"), 4},
        {QStringLiteral("bob "), -1}, {QStringLiteral(" bob"), -1}, {QString(), -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(AccountStore::findLoginName(accounts, c.typed), c.row) << c.typed.toStdString();
}

} // namespace
