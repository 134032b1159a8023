#include "app/app_path.h"
#include "app/main_window.h"
#include "temp_data_folder.h"
#include "common/shared_state.h"
#include "ui/fake_dialogs.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void writeAppPath(const QTemporaryDir &dir, const QByteArray &text)
{
    QFile file(dir.filePath(QStringLiteral("app_path.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

class MainWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Shared() = SharedState();
        writeAppPath(dir, "/srv/larderon/\n");
    }
    QTemporaryDir dir;
    FakeDialogs dialogs;
};

} // namespace

TEST(AppPath, KeepsTheTextButDropsLineBreaksAtTheEnd)
{
    const QList<QPair<QByteArray, QString>> cases = {
        {"C:\\Larderon30\\", "C:\\Larderon30\\"},
        {"/data/shop/\n", "/data/shop/"},
        {"/data/shop/\r\n\r\n", "/data/shop/"},
        {" /data/my shop/ ", " /data/my shop/ "}, // everything else is kept as written
        {"/data/shop", "/data/shop"},
        {"/ข้อมูล/ร้าน/", "/ข้อมูล/ร้าน/"},
    };
    for (const auto &[text, folder] : cases) {
        QTemporaryDir dir;
        writeAppPath(dir, text);
        QString read, error;
        ASSERT_TRUE(ReadAppPath(dir.path(), &read, &error)) << error.toStdString();
        EXPECT_EQ(read, folder);
        ApplyConnectionSettings(read);
        EXPECT_EQ(Shared().DatabasePath, folder + QStringLiteral("data.abs")); // no separator is added
        EXPECT_EQ(Shared().DbMaxConnections, 5);
        EXPECT_TRUE(Shared().DbMultiUser);
    }
}

TEST_F(MainWindowFixture, StartsLoggedOutWithTheConnectionSettingsFilled)
{
    TMAIN main(dir.path());
    EXPECT_EQ(main.windowTitle(), QStringLiteral(" Talvora Larderon  3.0  โปรแกรมบริหารระบบสต๊อคสินค้า"));
    EXPECT_EQ(Shared().DataFolder, QStringLiteral("/srv/larderon/"));
    EXPECT_EQ(Shared().DatabasePath, QStringLiteral("/srv/larderon/data.abs"));
    EXPECT_EQ(Shared().CurrentUserLevel, 0);
    EXPECT_TRUE(dialogs.shown().isEmpty());

    // Rights of the logged-out state.
    const QList<QPair<QString, bool>> rights = {
        {"mmlogin", true},     {"mmlogin1", true},   {"EXIT1", true},    {"mmback", true},
        {"mmdatatools", true}, {"mmabout", true},    {"mminstock", false}, {"mmoutstock", false},
        {"mmorder", false},    {"mmdatabase", false}, {"mmref", false},  {"mmreport", false},
        {"mmtools", false},
    };
    for (const auto &[name, allowed] : rights) {
        EXPECT_EQ(main.itemAllowed(name), allowed) << name.toStdString();
        if (!allowed) {
            EXPECT_FALSE(main.item(name)->isEnabled()) << name.toStdString();
        }
    }
    // What can be chosen before login that this build offers.
    for (const char *name : {"mmlogin", "EXIT1", "mmback", "mmabout", "N19", "LAN1", "CannotReadTHAI1", "About1"})
        EXPECT_TRUE(main.item(QString::fromLatin1(name))->isEnabled()) << name;
}

TEST_F(MainWindowFixture, MenuHoldsEveryItemWithItsCaption)
{
    TMAIN main(dir.path());
    const QList<QPair<QString, QString>> captions = {
        {"mmlogin", "เริ่ม / เลิก"}, {"mmlogin1", "Login / Logout"}, {"EXIT1", "เ&ลิกการทำงาน ( EXIT )"},
        {"mmback", "รายการ"}, {"mminstock", "นำเข้า (In Stock)"}, {"mmoutstock", "จำหน่าย (Out Stock)"},
        {"mmorder", "ใบสั่งนำเข้าสินค้า (Order)"}, {"mmdatabase", "เลือกฐานข้อมูล"},
        {"mmdatatools", "ตรวจสอบ/แก้ไข ฐานข้อมูล"}, {"mmref", "ข้อมูลอ้างอิง"}, {"N27", "ทะเบียนผู้จำหน่าย"},
        {"N44", "ทะเบียนผู้เบิก"}, {"N28", "ทะเบียนพนักงาน - เจ้าหน้าที่"}, {"SQL1", "ทะเบียนสินค้า"},
        {"N23", "ทะเบียนโครงการ"}, {"mmoffice", "หน่วยงาน - สถานประกอบการ"}, {"N46", "การตั้งค่าระบบการทำงาน"},
        {"mmreport", "ระบบรายงาน"}, {"N30", "ทะเบียนสินค้า"}, {"N20", "สินค้าที่นำเข้า"}, {"N24", "สินค้าที่จำหน่าย"},
        {"N26", "สินค้าที่ถึงจุดต้องนำเข้า"}, {"N29", "สินค้าที่หมดอายุ"},
        {"mmhistory", "สินค้าที่นำเข้า - จำหน่าย โดยชื่อผู้นำเข้า"}, {"N25", "รายการเบิกเพื่อใช้ในโครงการ"},
        {"N8", "ผู้นำเข้า"}, {"N7", "ผู้เบิก"}, {"N3", "พนักงาน"}, {"mmscotkcard", "สินค้าและวัตถุดิบ  Stock Card"},
        {"mmanalysis_all", "วิเคราะห์สรุปสินค้าที่นำเข้า - จำหน่าย"}, {"mmanalysis", "วิเคราะห์สินค้าที่นำเข้า - จำหน่าย รายตัว"},
        {"mmtools", "เครื่องมือ"}, {"N55", "พิมพ์บาร์โค๊ดบน STICKER"}, {"mmabout", "Help"}, {"N19", "วิธีใช้งาน"},
        {"LAN1", "คำถามที่ถามบ่อย (FAQ)"}, {"CannotReadTHAI1", "Cannot Read THAI"}, {"About1", "เกี่ยวกับเรา"},
        {"Serv", ""},
    };
    for (const auto &[name, caption] : captions) {
        QAction *action = main.item(name);
        ASSERT_NE(action, nullptr) << name.toStdString();
        EXPECT_EQ(action->text(), caption) << name.toStdString();
    }
}

TEST_F(MainWindowFixture, ClosingShowsTheBackupReminderAndClosesChildWindows)
{
    TMAIN main(dir.path());
    main.item(QStringLiteral("About1"))->trigger();
    ASSERT_EQ(main.mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(main.mdiArea()->subWindowList().first()->widget()->windowTitle(), QStringLiteral("Talvoraworks"));

    main.item(QStringLiteral("EXIT1"))->trigger();
    EXPECT_EQ(dialogs.messages(),
              QStringList({QStringLiteral("       หลังจากปิดโปรแกรมนี้แล้ว  ควรสำรองข้อมูล ด้วย...   \n"
                                          "                  อ่านวิธีสำรองข้อมูลได้ที่ HELP")}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty());
}

TEST_F(MainWindowFixture, MissingAppPathIsReportedAndTheProgramKeepsRunning)
{
    QTemporaryDir empty;
    TMAIN main(empty.path());
    ASSERT_EQ(dialogs.errors().size(), 1);
    EXPECT_TRUE(dialogs.errors().first().contains(QStringLiteral("app_path.txt")));
    EXPECT_EQ(Shared().DataFolder, QString());
    EXPECT_TRUE(main.item(QStringLiteral("mmlogin"))->isEnabled());
}

TEST_F(MainWindowFixture, OneStockDocumentWindowAtATime)
{
    TMAIN main(dir.path());
    int created = 0;
    main.registerStockWindow([&created] {
        ++created;
        Shared().StockWindowOpen = true; // the document window sets this when it first activates
        return new QWidget;
    });
    for (const char *name : {"mminstock", "mmoutstock", "mmorder"})
        main.setItemAllowed(QString::fromLatin1(name), true);

    main.item(QStringLiteral("mmoutstock"))->trigger();
    EXPECT_EQ(created, 1);
    EXPECT_EQ(Shared().DocumentMode, 1);
    main.mdiArea()->subWindowList().first()->showMinimized();

    // In Stock while the goods-out window is open brings that one back and keeps its kind.
    main.item(QStringLiteral("mminstock"))->trigger();
    EXPECT_EQ(created, 1);
    EXPECT_EQ(Shared().DocumentMode, 1);
    EXPECT_FALSE(main.mdiArea()->subWindowList().first()->isMinimized());
    EXPECT_TRUE(dialogs.shown().isEmpty());

    // Order while any document window is open is refused with a message.
    main.item(QStringLiteral("mmorder"))->trigger();
    EXPECT_EQ(created, 1);
    EXPECT_EQ(dialogs.messages(), QStringList({QStringLiteral("มีข้อมูลรายการเปิดอยู่ กรุณาปิดก่อนทำรายการอื่น")}));

    // Once it is closed the menu opens a new one of the newly chosen kind.
    Shared().StockWindowOpen = false;
    main.item(QStringLiteral("mmorder"))->trigger();
    EXPECT_EQ(created, 2);
    EXPECT_EQ(Shared().DocumentMode, 5);
}

TEST_F(MainWindowFixture, RegisteredWindowsOpenAnewOnEveryChoice)
{
    TMAIN main(dir.path());
    main.registerWindow(QStringLiteral("N30"), [] { return new QWidget; });
    main.setItemAllowed(QStringLiteral("mmreport"), true);
    EXPECT_TRUE(main.item(QStringLiteral("N30"))->isEnabled());
    EXPECT_FALSE(main.item(QStringLiteral("N20"))->isEnabled()) << "an item whose window is not offered stays off";
    main.item(QStringLiteral("N30"))->trigger();
    main.item(QStringLiteral("N30"))->trigger();
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 2);
}

TEST(MainWindowReferenceMenu, EachItemOpensItsWindowOnItsOwnConnection)
{
    Shared() = SharedState();
    FakeDialogs dialogs;
    TempDataFolder data;
    ASSERT_TRUE(data.ok()) << data.error().toStdString();
    QTemporaryDir dir;
    writeAppPath(dir, data.folder().toUtf8());
    TMAIN main(dir.path());
    main.setItemAllowed(QStringLiteral("mmref"), true);
    const QList<QPair<QString, QString>> windows = {
        {"N27", "TRef_Supply_Sql"}, {"N44", "TRef_Cust_Sql"},   {"N28", "TRef_Sale_Sql"}, {"SQL1", "TRef_Part_Sql"},
        {"N23", "TRef_Project"},    {"mmoffice", "TRef_Office_Sql"}, {"N46", "TRef_Sys_Sql"},
    };
    for (const auto &[item, window] : windows) {
        ASSERT_TRUE(main.item(item)->isEnabled()) << item.toStdString();
        main.item(item)->trigger();
        QMdiSubWindow *active = main.mdiArea()->subWindowList().last();
        EXPECT_EQ(active->widget()->objectName(), window) << item.toStdString();
        active->close(); // at most five connections are open at a time
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(dialogs.shown(), QStringList());
}
