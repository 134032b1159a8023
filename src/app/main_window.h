#pragma once

#include "ui/main_menu.h"
#include "ui/window_host.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>

class QAction;
class QMdiArea;
class QMenu;

// The main window: reads the data folder at start-up, fills the connection settings, hosts every
// other window as a child window and offers the menu from which they are created.
class TMAIN : public QMainWindow, public WindowHost, public MainMenu
{
    Q_OBJECT
public:
    using WindowFactory = std::function<QWidget *()>;

    // workingFolder is where app_path.txt and the help pages are looked for.
    explicit TMAIN(const QString &workingFolder, QWidget *parent = nullptr);
    ~TMAIN() override;

    // Connects a menu item to the window it opens. Until then the item stays disabled.
    void registerWindow(const QString &itemName, WindowFactory factory);
    // The stock document window, opened by the three document items.
    void registerStockWindow(WindowFactory factory);

    QAction *item(const QString &itemName) const;
    // Whether this build offers what the item does (its window is registered, or it needs none).
    bool offers(const QString &itemName) const;
    QMdiArea *mdiArea() const { return m_mdi; }
    static QString caption();
    static QString backupReminder();

    // WindowHost
    void showChild(QWidget *window) override;
    // MainMenu
    void setItemAllowed(const QString &itemName, bool allowed) override;
    bool itemAllowed(const QString &itemName) const override;
    void setLoggedOutState() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void buildMenu();
    // The registers, the company profile and the settings under "ข้อมูลอ้างอิง".
    void registerReferenceWindows();
    // The stock card, the goods-in and goods-out listings, the reorder and expiry lists.
    void registerReportWindows();
    QMenu *addSubmenu(const QString &name, const QString &caption);
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption);
    void setHandler(const QString &itemName, std::function<void()> handler);
    void refreshEnabled(const QString &itemName);
    static Qt::WindowFlags frameFlags(const QWidget *window);
    void openDocumentWindow(int documentMode);
    void openShellPage(const QString &relativePath);

    QString m_workingFolder;
    QMdiArea *m_mdi = nullptr;
    QHash<QString, QAction *> m_items;
    QHash<QString, bool> m_allowed;
    QHash<QString, std::function<void()>> m_handlers;
    WindowFactory m_stockFactory;
    QPointer<QWidget> m_stockWindow;
};
