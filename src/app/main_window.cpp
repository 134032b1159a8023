#include "app/main_window.h"

#include "access/passwd_full.h"
#include "app/about_window.h"
#include "app/app_path.h"
#include "app/window_placement.h"
#include "common/shared_state.h"
#include "documents/stock_window.h"
#include "registers/office_window.h"
#include "registers/party_registers.h"
#include "registers/product_register.h"
#include "registers/project_register.h"
#include "registers/system_settings_window.h"
#include "registers/register_sticker_sheet.h"
#include "reports/best_buy.h"
#include "reports/expiry_window.h"
#include "reports/reorder_window.h"
#include "reports/stock_card.h"
#include "stickers/print_barcode.h"
#include "stickers/sticker_sheet.h"
#include "ui/dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStyle>
#include <QUrl>

#include <algorithm>

namespace {

// Submenus that the rights switch as a whole; their items follow them.
const QStringList kSubmenus = {QStringLiteral("mmlogin"), QStringLiteral("mmback"), QStringLiteral("mmref"),
                               QStringLiteral("mmreport"), QStringLiteral("mmtools"), QStringLiteral("mmabout")};

} // namespace

TMAIN::TMAIN(const QString &workingFolder, QWidget *parent)
    : QMainWindow(parent)
    , m_workingFolder(workingFolder)
{
    setObjectName(QStringLiteral("TMAIN"));
    m_mdi = new QMdiArea(this);
    m_mdi->setBackground(QColor(0, 64, 64)); // 4210688, dark teal
    setCentralWidget(m_mdi);
    buildMenu();
    registerWindow(QStringLiteral("mmlogin1"), [] { return new Tpasswd_full; });
    registerReferenceWindows();
    registerWindow(QStringLiteral("N55"), [] { return new Tprint_barcode; });
    registerStockWindow([] { return new Tstock; });
    registerReportWindows();
    SetRegisterStickerSheetOpener(OpenRegisterStickerSheet);
    SetWindowHost(this);
    SetMainMenu(this);
    FormCreate();
}

TMAIN::~TMAIN()
{
    if (CurrentWindowHost() == this)
        SetWindowHost(nullptr);
    if (CurrentMainMenu() == this)
        SetMainMenu(nullptr);
}

QString TMAIN::caption()
{
    return QStringLiteral(" Talvora Larderon  3.0  โปรแกรมบริหารระบบสต๊อคสินค้า");
}

QString TMAIN::backupReminder()
{
    return QStringLiteral("       หลังจากปิดโปรแกรมนี้แล้ว  ควรสำรองข้อมูล ด้วย...   \n"
                          "                  อ่านวิธีสำรองข้อมูลได้ที่ HELP");
}

void TMAIN::FormCreate()
{
    QString dataFolder, error;
    if (!ReadAppPath(m_workingFolder, &dataFolder, &error))
        Dialogs().error(nullptr, error);
    ApplyConnectionSettings(dataFolder);
    setLoggedOutState();
    setWindowTitle(caption());
}

QMenu *TMAIN::addSubmenu(const QString &name, const QString &caption)
{
    QMenu *menu = menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    m_items.insert(name, menu->menuAction());
    m_allowed.insert(name, true);
    return menu;
}

QAction *TMAIN::addItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    m_items.insert(name, action);
    m_allowed.insert(name, true);
    connect(action, &QAction::triggered, this, [this, name] {
        if (const auto handler = m_handlers.value(name))
            handler();
    });
    return action;
}

void TMAIN::buildMenu()
{
    QAction *serv = menuBar()->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QString());
    serv->setObjectName(QStringLiteral("Serv"));
    serv->setToolTip(QStringLiteral("Product/product.html"));
    m_items.insert(serv->objectName(), serv);
    m_allowed.insert(serv->objectName(), true);
    connect(serv, &QAction::triggered, this, [this] { m_handlers.value(QStringLiteral("Serv"))(); });
    m_handlers.insert(serv->objectName(), [this] { openShellPage(QStringLiteral("Product/product.html")); });

    QMenu *login = addSubmenu(QStringLiteral("mmlogin"), QStringLiteral("เริ่ม / เลิก"));
    addItem(login, QStringLiteral("mmlogin1"), QStringLiteral("Login / Logout"));
    login->addSeparator();
    addItem(login, QStringLiteral("EXIT1"), QStringLiteral("เ&ลิกการทำงาน ( EXIT )"));

    QMenu *back = addSubmenu(QStringLiteral("mmback"), QStringLiteral("รายการ"));
    addItem(back, QStringLiteral("mminstock"), QStringLiteral("นำเข้า (In Stock)"));
    addItem(back, QStringLiteral("mmoutstock"), QStringLiteral("จำหน่าย (Out Stock)"));
    addItem(back, QStringLiteral("mmorder"), QStringLiteral("ใบสั่งนำเข้าสินค้า (Order)"));
    back->addSeparator();
    addItem(back, QStringLiteral("mmdatabase"), QStringLiteral("เลือกฐานข้อมูล"));
    addItem(back, QStringLiteral("mmdatatools"), QStringLiteral("ตรวจสอบ/แก้ไข ฐานข้อมูล"));

    QMenu *ref = addSubmenu(QStringLiteral("mmref"), QStringLiteral("ข้อมูลอ้างอิง"));
    addItem(ref, QStringLiteral("N27"), QStringLiteral("ทะเบียนผู้จำหน่าย"));
    addItem(ref, QStringLiteral("N44"), QStringLiteral("ทะเบียนผู้เบิก"));
    addItem(ref, QStringLiteral("N28"), QStringLiteral("ทะเบียนพนักงาน - เจ้าหน้าที่"));
    addItem(ref, QStringLiteral("SQL1"), QStringLiteral("ทะเบียนสินค้า"));
    addItem(ref, QStringLiteral("N23"), QStringLiteral("ทะเบียนโครงการ"));
    ref->addSeparator();
    addItem(ref, QStringLiteral("mmoffice"), QStringLiteral("หน่วยงาน - สถานประกอบการ"));
    addItem(ref, QStringLiteral("N46"), QStringLiteral("การตั้งค่าระบบการทำงาน"));

    QMenu *report = addSubmenu(QStringLiteral("mmreport"), QStringLiteral("ระบบรายงาน"));
    addItem(report, QStringLiteral("N30"), QStringLiteral("ทะเบียนสินค้า"));
    addItem(report, QStringLiteral("N20"), QStringLiteral("สินค้าที่นำเข้า"));
    addItem(report, QStringLiteral("N24"), QStringLiteral("สินค้าที่จำหน่าย"));
    addItem(report, QStringLiteral("N26"), QStringLiteral("สินค้าที่ถึงจุดต้องนำเข้า"));
    addItem(report, QStringLiteral("N29"), QStringLiteral("สินค้าที่หมดอายุ"));
    report->addSeparator();
    addItem(report, QStringLiteral("mmhistory"), QStringLiteral("สินค้าที่นำเข้า - จำหน่าย โดยชื่อผู้นำเข้า"));
    addItem(report, QStringLiteral("N25"), QStringLiteral("รายการเบิกเพื่อใช้ในโครงการ"));
    report->addSeparator();
    addItem(report, QStringLiteral("N8"), QStringLiteral("ผู้นำเข้า"));
    addItem(report, QStringLiteral("N7"), QStringLiteral("ผู้เบิก"));
    addItem(report, QStringLiteral("N3"), QStringLiteral("พนักงาน"));
    report->addSeparator();
    addItem(report, QStringLiteral("mmscotkcard"), QStringLiteral("สินค้าและวัตถุดิบ  Stock Card"));
    addItem(report, QStringLiteral("mmanalysis_all"), QStringLiteral("วิเคราะห์สรุปสินค้าที่นำเข้า - จำหน่าย"));
    addItem(report, QStringLiteral("mmanalysis"), QStringLiteral("วิเคราะห์สินค้าที่นำเข้า - จำหน่าย รายตัว"));

    QMenu *tools = addSubmenu(QStringLiteral("mmtools"), QStringLiteral("เครื่องมือ"));
    addItem(tools, QStringLiteral("N55"), QStringLiteral("พิมพ์บาร์โค๊ดบน STICKER"));

    QMenu *help = addSubmenu(QStringLiteral("mmabout"), QStringLiteral("Help"));
    addItem(help, QStringLiteral("N19"), QStringLiteral("วิธีใช้งาน"));
    addItem(help, QStringLiteral("LAN1"), QStringLiteral("คำถามที่ถามบ่อย (FAQ)"));
    addItem(help, QStringLiteral("CannotReadTHAI1"), QStringLiteral("Cannot Read THAI"));
    help->addSeparator();
    addItem(help, QStringLiteral("About1"), QStringLiteral("เกี่ยวกับเรา"));

    // Items that work without any other window.
    setHandler(QStringLiteral("EXIT1"), [this] { close(); });
    setHandler(QStringLiteral("N19"), [this] { openShellPage(QStringLiteral("HB_Larderon30.html")); });
    setHandler(QStringLiteral("LAN1"), [this] { openShellPage(QStringLiteral("FAQ_Larderon30.html")); });
    setHandler(QStringLiteral("CannotReadTHAI1"), [this] { openShellPage(QStringLiteral("Thai_Langque/index.html")); });
    setHandler(QStringLiteral("About1"), [this] {
        auto *about = new TAboutMe;
        showChild(about);
        if (QWidget *frame = about->parentWidget())
            frame->move(std::max(0, (m_mdi->width() - frame->width()) / 2),
                        std::max(0, (m_mdi->height() - frame->height()) / 2));
    });
    setHandler(QStringLiteral("mminstock"), [this] { openDocumentWindow(3); });
    setHandler(QStringLiteral("mmoutstock"), [this] { openDocumentWindow(1); });
    setHandler(QStringLiteral("mmorder"), [this] { openDocumentWindow(5); });
    for (const QString &name : m_items.keys())
        refreshEnabled(name);
}

void TMAIN::registerReferenceWindows()
{
    registerWindow(QStringLiteral("N27"), [] { return new TRef_Supply_Sql; });
    registerWindow(QStringLiteral("N44"), [] { return new TRef_Cust_Sql; });
    registerWindow(QStringLiteral("N28"), [] { return new TRef_Sale_Sql; });
    registerWindow(QStringLiteral("SQL1"), [] { return new TRef_Part_Sql; });
    registerWindow(QStringLiteral("N23"), [] { return new TRef_Project; });
    registerWindow(QStringLiteral("mmoffice"), [] { return new TRef_Office_Sql; });
    registerWindow(QStringLiteral("N46"), [] { return new TRef_Sys_Sql; });
}

void TMAIN::registerReportWindows()
{
    registerWindow(QStringLiteral("N20"), [] {
        Shared().ListingKind = 1;
        return new TBest_Buy;
    });
    registerWindow(QStringLiteral("N24"), [] {
        Shared().ListingKind = 2;
        return new TBest_Buy;
    });
    registerWindow(QStringLiteral("N26"), [] { return new TPoint; });
    registerWindow(QStringLiteral("N29"), [] { return new TExpire; });
    registerWindow(QStringLiteral("mmscotkcard"), [] { return new TStock_Card; });
}

void TMAIN::setHandler(const QString &itemName, std::function<void()> handler)
{
    m_handlers.insert(itemName, std::move(handler));
    refreshEnabled(itemName);
}

void TMAIN::registerWindow(const QString &itemName, WindowFactory factory)
{
    setHandler(itemName, [this, factory] { showChild(factory()); });
}

void TMAIN::registerStockWindow(WindowFactory factory)
{
    m_stockFactory = std::move(factory);
    for (const QString &name : {QStringLiteral("mminstock"), QStringLiteral("mmoutstock"), QStringLiteral("mmorder")})
        refreshEnabled(name);
}

QAction *TMAIN::item(const QString &itemName) const
{
    return m_items.value(itemName);
}

bool TMAIN::offers(const QString &itemName) const
{
    if (itemName == u"mminstock" || itemName == u"mmoutstock" || itemName == u"mmorder")
        return bool(m_stockFactory);
    return kSubmenus.contains(itemName) || m_handlers.contains(itemName);
}

void TMAIN::refreshEnabled(const QString &itemName)
{
    if (QAction *action = m_items.value(itemName))
        action->setEnabled(offers(itemName) && m_allowed.value(itemName, true));
}

void TMAIN::setItemAllowed(const QString &itemName, bool allowed)
{
    if (!m_items.contains(itemName))
        return;
    m_allowed.insert(itemName, allowed);
    refreshEnabled(itemName);
}

bool TMAIN::itemAllowed(const QString &itemName) const
{
    return m_allowed.value(itemName, false);
}

void TMAIN::setLoggedOutState()
{
    for (const QString &name : {QStringLiteral("mmlogin"), QStringLiteral("mmlogin1"), QStringLiteral("EXIT1"),
                                QStringLiteral("mmback"), QStringLiteral("mmdatatools"), QStringLiteral("mmabout")})
        setItemAllowed(name, true);
    for (const QString &name : {QStringLiteral("mminstock"), QStringLiteral("mmoutstock"), QStringLiteral("mmorder"),
                                QStringLiteral("mmdatabase"), QStringLiteral("mmref"), QStringLiteral("mmreport"),
                                QStringLiteral("mmtools")})
        setItemAllowed(name, false);
}

void TMAIN::openDocumentWindow(int documentMode)
{
    if (!m_stockFactory)
        return;
    SharedState &shared = Shared();
    if (shared.StockWindowOpen) {
        if (documentMode == 5) {
            Dialogs().message(this, QStringLiteral("มีข้อมูลรายการเปิดอยู่ กรุณาปิดก่อนทำรายการอื่น"));
            return;
        }
        // The open window keeps its kind; it is only brought back to its normal state.
        if (m_stockWindow) {
            QWidget *frame = m_stockWindow->parentWidget() ? m_stockWindow->parentWidget() : m_stockWindow.data();
            frame->showNormal();
            if (auto *sub = qobject_cast<QMdiSubWindow *>(frame))
                m_mdi->setActiveSubWindow(sub);
        }
        return;
    }
    shared.DocumentMode = documentMode;
    QWidget *window = m_stockFactory();
    m_stockWindow = window;
    showChild(window);
}

void TMAIN::openShellPage(const QString &relativePath)
{
    // The shell's answer is not examined: a missing page simply does not open.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir(m_workingFolder).absoluteFilePath(relativePath)));
}

Qt::WindowFlags TMAIN::frameFlags(const QWidget *window)
{
    // A window that chose its title bar buttons keeps its choice.
    Qt::WindowFlags flags = window->windowFlags() & Qt::CustomizeWindowHint
        ? window->windowFlags() & ~Qt::WindowType_Mask
        : Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
    // A window of fixed size is neither maximised nor minimised: its frame would grow or shrink
    // around a window that keeps its size.
    if (window->minimumSize() == window->maximumSize())
        flags = (flags | Qt::CustomizeWindowHint) & ~Qt::WindowMinMaxButtonsHint;
    return Qt::SubWindow | flags;
}

void TMAIN::showChild(QWidget *window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    const bool placed = window->testAttribute(Qt::WA_Moved);
    const QPoint position = window->pos();
    QMdiSubWindow *frame = m_mdi->addSubWindow(window, frameFlags(window));
    frame->setAttribute(Qt::WA_DeleteOnClose);
    // A window that closes itself takes its frame with it.
    connect(window, &QObject::destroyed, frame, &QMdiSubWindow::close);
    if (placed)
        frame->move(position);
    frame->adjustSize();
    if (window->minimumSize() == window->maximumSize())
        frame->setFixedSize(frame->size());
    // Every edge and scroll bar of a child window stays within reach: one larger than the client
    // area shrinks to it, one reaching beyond an edge moves in.
    if (m_mdi->isVisible())
        frame->setGeometry(FitRect(m_mdi->viewport()->rect(), frame->geometry()));
    window->show();
    frame->show();
}

void TMAIN::closeEvent(QCloseEvent *event)
{
    Dialogs().message(this, backupReminder());
    m_mdi->closeAllSubWindows();
    event->accept();
    QApplication::quit();
}
