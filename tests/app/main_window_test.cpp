#include "app/app_path.h"
#include "app/main_window.h"
#include "app/window_placement.h"
#include "temp_data_folder.h"
#include "common/shared_state.h"
#include "report/report_preview.h"
#include "reports/best_buy.h"
#include "ui/fake_dialogs.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void writeAppPath(const QTemporaryDir &dir, const QByteArray &text)
{
    QFile file(dir.filePath(QStringLiteral("app_path.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// Whether the user can choose the item: it is enabled, and so is every menu it lies in.
bool Choosable(QAction *action)
{
    if (!action->isEnabled())
        return false;
    for (QObject *holder : action->associatedObjects()) {
        if (auto *menu = qobject_cast<QMenu *>(holder); menu && !Choosable(menu->menuAction()))
            return false;
    }
    return true;
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

    // What can be chosen before login: every item of the menu is named here or is off.
    // "ตรวจสอบ/แก้ไข ฐานข้อมูล" is allowed; it can be chosen once its window is part of the build.
    const QStringList choosable = {"Serv", "mmlogin", "mmlogin1", "EXIT1", "mmback", "mmdatatools",
                                   "mmabout", "N19", "LAN1", "CannotReadTHAI1", "About1"};
    int items = 0;
    for (QAction *action : main.findChildren<QAction *>()) {
        const QString name = action->objectName();
        if (name.isEmpty() || !main.item(name))
            continue; // separators and the actions of Qt's own
        ++items;
        const bool expected = choosable.contains(name) && main.offers(name);
        EXPECT_EQ(Choosable(action), expected) << name.toStdString();
    }
    EXPECT_EQ(items, 39);
    EXPECT_TRUE(main.itemAllowed(QStringLiteral("mmdatatools")));
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

TEST_F(MainWindowFixture, AboutWindowHasAFixedFrameWithoutButtons)
{
    TMAIN main(dir.path());
    main.resize(1000, 700);
    main.show();
    const QString caption = main.windowTitle();
    main.item(QStringLiteral("About1"))->trigger();
    ASSERT_EQ(main.mdiArea()->subWindowList().size(), 1);
    QMdiSubWindow *frame = main.mdiArea()->subWindowList().first();

    const Qt::WindowFlags flags = frame->windowFlags();
    for (const auto &[flag, name] : {std::pair{Qt::WindowMinimizeButtonHint, "minimise"},
                                     std::pair{Qt::WindowMaximizeButtonHint, "maximise"},
                                     std::pair{Qt::WindowCloseButtonHint, "close"},
                                     std::pair{Qt::WindowSystemMenuHint, "system menu"}})
        EXPECT_FALSE(flags.testFlag(flag)) << name;
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize()) << "the frame cannot be resized";

    // A double click on the title bar maximises other windows; this one stays as it is.
    const QSize size = frame->size();
    QTest::mouseDClick(frame, Qt::LeftButton, {}, QPoint(frame->width() / 2, frame->style()->pixelMetric(QStyle::PM_TitleBarHeight) / 2));
    EXPECT_FALSE(frame->isMaximized());
    EXPECT_EQ(frame->size(), size);
    EXPECT_EQ(main.windowTitle(), caption);
}

TEST_F(MainWindowFixture, ChildWindowsStayWithinTheClientArea)
{
    TMAIN main(dir.path());
    main.resize(800, 400);
    main.show();
    const QRect area = main.mdiArea()->viewport()->rect();

    // A print preview taller than the area shrinks to it: both scroll bars stay in reach.
    auto document = std::make_shared<ReportDocument>();
    document->page = PageSetup::a4();
    document->pages.append(Page{1, {}});
    ReportPreview *preview = ShowReportPreview(document);
    ASSERT_NE(preview->parentWidget(), nullptr);
    EXPECT_TRUE(area.contains(preview->parentWidget()->geometry())) << "preview frame reaches beyond the area";

    // One placed partly outside moves in.
    auto *wide = new QWidget;
    wide->resize(300, 200);
    wide->move(700, 350);
    main.showChild(wide);
    EXPECT_TRUE(area.contains(wide->parentWidget()->geometry())) << "moved window reaches beyond the area";
}

TEST(WindowPlacement, FitRectKeepsWithinTheArea)
{
    const QRect area(0, 0, 1000, 700);
    const struct
    {
        const char *label;
        QRect wanted;
        QRect fitted;
    } cases[] = {
        {"inside stays", {100, 50, 400, 300}, {100, 50, 400, 300}},
        {"too tall shrinks", {0, 40, 900, 1000}, {0, 0, 900, 700}},
        {"past the right edge moves in", {800, 10, 300, 200}, {700, 10, 300, 200}},
        {"past the bottom moves up", {10, 600, 300, 200}, {10, 500, 300, 200}},
        {"before the top left moves in", {-50, -20, 300, 200}, {0, 0, 300, 200}},
        {"larger both ways takes the area", {-10, -10, 2000, 2000}, area},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FitRect(area, c.wanted), c.fitted) << c.label;
    EXPECT_EQ(FitRect(QRect(200, 100, 400, 300), QRect(0, 0, 100, 100)), QRect(200, 100, 100, 100));
}

TEST(WindowPlacement, ATopLevelWindowFitsOnItsScreen)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect available = screen->availableGeometry();
    QWidget window;
    // Taller than the screen, as the preview-document command asks on a small one.
    PlaceOnScreen(&window, QSize(available.width() / 2, available.height() + 200));
    EXPECT_TRUE(available.contains(window.geometry())) << "the window reaches beyond the screen";
    EXPECT_LT(window.geometry().bottom(), available.bottom()) << "no room left for the frame";
    EXPECT_EQ(window.width(), available.width() / 2);

    PlaceOnScreen(&window, QSize(300, 200));
    EXPECT_EQ(window.size(), QSize(300, 200)) << "a window that fits keeps its size";
    EXPECT_TRUE(available.contains(window.geometry()));
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
    EXPECT_FALSE(main.item(QStringLiteral("mmhistory"))->isEnabled()) << "an item whose window is not offered stays off";
    main.item(QStringLiteral("N30"))->trigger();
    main.item(QStringLiteral("N30"))->trigger();
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 2);
}

TEST(MainWindowDataMenus, EachItemOpensItsWindowOnItsOwnConnection)
{
    Shared() = SharedState();
    FakeDialogs dialogs;
    TempDataFolder data;
    ASSERT_TRUE(data.ok()) << data.error().toStdString();
    QTemporaryDir dir;
    writeAppPath(dir, data.folder().toUtf8());
    TMAIN main(dir.path());
    main.setItemAllowed(QStringLiteral("mmref"), true);
    main.setItemAllowed(QStringLiteral("mmreport"), true);
    const struct
    {
        const char *item, *window;
        int listingKind; // the goods-in or goods-out listing the item opens, else 0
    } windows[] = {
        {"N27", "TRef_Supply_Sql", 0}, {"N44", "TRef_Cust_Sql", 0},     {"N28", "TRef_Sale_Sql", 0},
        {"SQL1", "TRef_Part_Sql", 0},  {"N23", "TRef_Project", 0},      {"mmoffice", "TRef_Office_Sql", 0},
        {"N46", "TRef_Sys_Sql", 0},    {"N20", "TBest_Buy", 1},         {"N24", "TBest_Buy", 2},
        {"N26", "TPoint", 0},          {"N29", "TExpire", 0},           {"mmscotkcard", "TStock_Card", 0},
    };
    for (const auto &w : windows) {
        SCOPED_TRACE(w.item);
        QAction *item = main.item(QString::fromLatin1(w.item));
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
        QMdiSubWindow *active = main.mdiArea()->subWindowList().last();
        EXPECT_EQ(active->widget()->objectName(), QString::fromLatin1(w.window));
        if (w.listingKind) {
            EXPECT_EQ(Shared().ListingKind, w.listingKind);
            EXPECT_EQ(qobject_cast<TBest_Buy *>(active->widget())->mode(), w.listingKind);
        }
        active->close(); // at most five connections are open at a time
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(dialogs.shown(), QStringList());
}

TEST(MainWindowDocumentMenu, TheThreeItemsOpenTheStockDocumentWindowOfTheirKind)
{
    Shared() = SharedState();
    FakeDialogs dialogs;
    TempDataFolder data;
    ASSERT_TRUE(data.ok()) << data.error().toStdString();
    QTemporaryDir dir;
    writeAppPath(dir, data.folder().toUtf8());
    TMAIN main(dir.path());
    main.show();
    Shared().CurrentUserLevel = 1;
    for (const char *name : {"mminstock", "mmoutstock", "mmorder"})
        main.setItemAllowed(QString::fromLatin1(name), true);
    for (const auto &[item, caption] : {std::pair{"mminstock", " นำเข้า"}, std::pair{"mmoutstock", " จำหน่ายสินค้า"},
                                        std::pair{"mmorder", "ใบสั่งสินค้า"}}) {
        main.item(QString::fromLatin1(item))->trigger();
        ASSERT_EQ(main.mdiArea()->subWindowList().size(), 1) << item;
        QWidget *window = main.mdiArea()->subWindowList().first()->widget();
        EXPECT_EQ(window->objectName(), QStringLiteral("Tstock")) << item;
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(caption)) << item;
        EXPECT_TRUE(Shared().StockWindowOpen);
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(Shared().StockWindowOpen) << item;
    }
    EXPECT_EQ(dialogs.shown(), QStringList());
}
