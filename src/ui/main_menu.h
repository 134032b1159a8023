#pragma once

#include <QString>

// The main window's menu as the login window sees it: enabled states of named items ("mminstock",
// "mmref", ...). The main window registers itself; the login window sets the rights of the user's
// level through it.
class MainMenu
{
public:
    virtual ~MainMenu() = default;
    // Sets whether the user's rights allow the item. An item whose window the program does not
    // offer stays disabled whatever its rights.
    virtual void setItemAllowed(const QString &itemName, bool allowed) = 0;
    virtual bool itemAllowed(const QString &itemName) const = 0;
    // The state before any login: only login, exit, the database tools and help.
    virtual void setLoggedOutState() = 0;
};

void SetMainMenu(MainMenu *menu);
MainMenu *CurrentMainMenu();
