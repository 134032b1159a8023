// The rights of each level on the main menu, and the arithmetic of the login pause.
#include "access_test_support.h"

#include "access/login_rights.h"
#include "access/login_throttle.h"

#include <QAction>

#include <gtest/gtest.h>

namespace {

struct RightsCase
{
    const char *item;
    bool level0, level1, level2, level3, level4, level5;

    bool at(int level) const
    {
        const bool byLevel[] = {level0, level1, level2, level3, level4, level5};
        return byLevel[level];
    }
};

// Level 0 is the state after a failed login.
const RightsCase kRightsTable[] = {
    //  item              0      1     2      3      4      5
    {"mmlogin",        true,  true, true,  true,  true,  true},
    {"mmback",         true,  true, true,  true,  true,  true},
    {"mminstock",      false, true, true,  true,  true,  false},
    {"mmoutstock",     false, true, true,  true,  false, true},
    {"mmorder",        false, true, true,  true,  false, false},
    {"mmdatabase",     false, true, false, false, false, false},
    {"mmdatatools",    false, true, true,  true,  true,  true},
    {"mmref",          false, true, true,  true,  false, false},
    {"mmreport",       false, true, true,  false, false, false},
    {"mmscotkcard",    false, true, true,  true,  true,  false},
    {"mmanalysis_all", false, true, true,  true,  true,  false},
    {"mmanalysis",     false, true, true,  true,  true,  false},
    {"mmtools",        false, true, true,  true,  false, false},
    {"mmabout",        true,  true, true,  true,  true,  true},
};

class RightsTableTest : public ::testing::TestWithParam<int>
{
};

TEST_P(RightsTableTest, EachItemOfTheMenuFollowsTheLevel)
{
    const int level = GetParam();
    MenuHarness harness(DemoFolder());
    TMAIN &main = harness.main();
    // Start from the opposite of every expected state, so each one must be set by the rights.
    for (const RightsCase &c : kRightsTable)
        main.setItemAllowed(QString::fromLatin1(c.item), !c.at(level));

    ApplyLoginRights(main, level);

    for (const RightsCase &c : kRightsTable) {
        const QString item = QString::fromLatin1(c.item);
        EXPECT_EQ(main.itemAllowed(item), c.at(level)) << c.item << " at level " << level;
        ASSERT_NE(main.item(item), nullptr) << c.item;
        EXPECT_EQ(main.item(item)->isEnabled(), c.at(level)) << c.item << " at level " << level;
    }
    EXPECT_EQ(harness.dialogs().shown(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Levels, RightsTableTest, ::testing::Values(0, 1, 2, 3, 4, 5));

TEST(LoginRightsTest, CoversExactlyTheItemsOfTheMenuThatTheLevelsSwitch)
{
    QStringList expected;
    for (const RightsCase &c : kRightsTable)
        expected.append(QString::fromLatin1(c.item));
    EXPECT_EQ(RightsItemNames(), expected);
    // A level outside 1..5 has the rights of a failed login.
    const QList<MenuRight> failed = LoginRights(0);
    for (int level : {-1, 6, 99}) {
        const QList<MenuRight> rights = LoginRights(level);
        ASSERT_EQ(rights.size(), failed.size()) << level;
        for (int i = 0; i < rights.size(); ++i) {
            EXPECT_EQ(rights[i].item, failed[i].item);
            EXPECT_EQ(rights[i].allowed, failed[i].allowed) << rights[i].item.toStdString() << " at " << level;
        }
    }
}

TEST(LoginRightsTest, LevelOfAnAccountComesFromAc1OnlyWhenItIsOneToFive)
{
    const struct
    {
        QVariant ac1;
        int level;
    } cases[] = {
        {QVariant(1), 1}, {QVariant(3), 3}, {QVariant(5), 5}, {QVariant(0), 0}, {QVariant(6), 0},
        {QVariant(-1), 0}, {QVariant(), 0}, {QVariant(QStringLiteral("2")), 2}, {QVariant(QString()), 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(LevelFromAc1(c.ac1), c.level) << c.ac1.toString().toStdString();
}

TEST(LoginThrottleTest, PauseGrowsFromTheThirdFailureUpToThirtySeconds)
{
    const struct
    {
        int failures;
        int pauseMs;
    } cases[] = {{0, 0}, {1, 0}, {2, 0}, {3, 1000}, {4, 2000}, {5, 4000}, {6, 8000},
                 {7, 16000}, {8, 30000}, {9, 30000}, {40, 30000}, {1000000, 30000}};
    for (const auto &c : cases)
        EXPECT_EQ(LoginThrottle::pauseAfter(c.failures), c.pauseMs) << c.failures << " failures";
}

TEST(LoginThrottleTest, CountsEachNameApartAndRestsItForItsPause)
{
    qint64 clock = 5000;
    LoginThrottle throttle([&clock] { return clock; });
    EXPECT_EQ(throttle.recordFailure(QStringLiteral("admin")), 0);
    EXPECT_EQ(throttle.recordFailure(QStringLiteral("Admin")), 0) << "the login ignores case; so does the count";
    EXPECT_EQ(throttle.recordFailure(QStringLiteral("ADMIN")), 1000);
    EXPECT_EQ(throttle.remainingPause(QStringLiteral("admin")), 1000);
    EXPECT_EQ(throttle.remainingPause(QStringLiteral("staff")), 0) << "another name may try at once";
    EXPECT_EQ(throttle.failures(QStringLiteral("staff")), 0);

    clock += 400;
    EXPECT_EQ(throttle.remainingPause(QStringLiteral("admin")), 600);
    clock += 600;
    EXPECT_EQ(throttle.remainingPause(QStringLiteral("admin")), 0);
    EXPECT_EQ(throttle.recordFailure(QStringLiteral("admin")), 2000);
    EXPECT_EQ(throttle.remainingPause(QStringLiteral("admin")), 2000);

    // A good login starts the name's count again, and only that name's.
    EXPECT_EQ(throttle.recordFailure(QStringLiteral("staff")), 0);
    throttle.recordSuccess(QStringLiteral("admin"));
    EXPECT_EQ(throttle.failures(QStringLiteral("admin")), 0);
    EXPECT_EQ(throttle.remainingPause(QStringLiteral("admin")), 0);
    EXPECT_EQ(throttle.recordFailure(QStringLiteral("admin")), 0);
    EXPECT_EQ(throttle.failures(QStringLiteral("staff")), 1);
}

} // namespace
