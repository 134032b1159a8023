// The edit-authority check the stock document window asks before a line is corrected or deleted.
#include "access_test_support.h"

#include "access/edit_authority.h"
#include "db/data_connection.h"
#include "db/passwords.h"
#include "db/sql_statement.h"

#include <gtest/gtest.h>

#include <QSqlError>

#include <QSqlQuery>

// Found by argument-dependent lookup in the namespace of EditAuthority.
static void PrintTo(EditAuthority::Result result, std::ostream *os)
{
    using Result = EditAuthority::Result;
    *os << (result == Result::Granted ? "Granted" : result == Result::Refused ? "Refused" : "Failed");
}

namespace {

using Result = EditAuthority::Result;

class EditAuthorityTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = new TempDataFolder(/*demo=*/true);
        ASSERT_TRUE(s_folder->ok()) << s_folder->error().toStdString();
        s_folder->use();
        QString error;
        auto connection = OpenDataConnection(&error);
        ASSERT_NE(connection, nullptr) << error.toStdString();
        // An account without a valid level, and one whose stored name carries blanks.
        const QString hash = HashPassword(QStringLiteral("0000"));
        for (const auto &[name, level] : {std::pair{QStringLiteral("nolevel"), QVariant(0)},
                                          std::pair{QStringLiteral("blank"), QVariant()},
                                          std::pair{QStringLiteral(" spaced "), QVariant(2)}}) {
            SqlStatement insert(connection->database(),
                                {QStringLiteral(" insert into market (usrname, passwd, ac1) "),
                                 QStringLiteral(" values (:pusrname, :ppasswd, :pac1) ")});
            insert.bind(QStringLiteral("pusrname"), name).bind(QStringLiteral("ppasswd"), hash).bind(QStringLiteral("pac1"), level);
            ASSERT_TRUE(insert.exec(&error)) << error.toStdString();
        }
    }
    static void TearDownTestSuite()
    {
        delete s_folder;
        s_folder = nullptr;
    }
    void SetUp() override { s_folder->use(); }

    static TempDataFolder *s_folder;
};

TempDataFolder *EditAuthorityTest::s_folder = nullptr;

TEST_F(EditAuthorityTest, OnlyTheExactNameAndPasswordOfLevelsOneToThreeGrant)
{
    const struct
    {
        const char *label;
        QString name, password;
        Result result;
    } cases[] = {
        {"administrator", "admin", "9806", Result::Granted},
        {"manager", "manager", "2222", Result::Granted},
        {"supervisor", "supervisor", "3333", Result::Granted},
        {"typed texts trimmed", "  admin ", " 9806  ", Result::Granted},
        {"stored name kept as it is", "spaced", "0000", Result::Refused},
        {"stored blanks cannot be typed", " spaced ", "0000", Result::Refused},
        {"name case counts", "ADMIN", "9806", Result::Refused},
        {"staff has no authority", "staff", "4444", Result::Refused},
        {"counter has no authority", "counter", "5555", Result::Refused},
        {"level 0", "nolevel", "0000", Result::Refused},
        {"empty level", "blank", "0000", Result::Refused},
        {"wrong password", "admin", "9807", Result::Refused},
        {"password of another account", "admin", "2222", Result::Refused},
        {"unknown name", "nobody", "9806", Result::Refused},
        {"empty name", "", "", Result::Refused},
    };
    QString error;
    auto connection = OpenDataConnection(&error);
    ASSERT_NE(connection, nullptr) << error.toStdString();
    for (const auto &c : cases) {
        error.clear();
        EXPECT_EQ(EditAuthority::check(connection->database(), c.name, c.password, &error), c.result) << c.label;
        EXPECT_EQ(error, QString()) << c.label;
    }
}

TEST_F(EditAuthorityTest, LevelAloneAllowsOneToThree)
{
    const bool expected[] = {false, true, true, true, false, false, false};
    for (int level = 0; level <= 6; ++level)
        EXPECT_EQ(EditAuthority::levelAllows(level), expected[level]) << level;
    EXPECT_EQ(EditAuthority::refusedMessage(), QStringLiteral("ข้อมูลไม่ถูกต้อง..."));
}

TEST_F(EditAuthorityTest, AStoreThatCannotBeReadFails)
{
    QString error;
    auto connection = OpenDataConnection(&error);
    ASSERT_NE(connection, nullptr) << error.toStdString();
    QSqlQuery drop(connection->database());
    ASSERT_TRUE(drop.exec(QStringLiteral("alter table market rename to market_gone"))) << drop.lastError().text().toStdString();

    EXPECT_EQ(EditAuthority::check(connection->database(), QStringLiteral("admin"), QStringLiteral("9806"), &error),
              Result::Failed);
    EXPECT_FALSE(error.isEmpty());

    QSqlQuery back(connection->database());
    ASSERT_TRUE(back.exec(QStringLiteral("alter table market_gone rename to market"))) << back.lastError().text().toStdString();
}

} // namespace
