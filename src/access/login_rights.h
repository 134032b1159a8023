#pragma once

#include <QList>
#include <QString>

class MainMenu;

// What a login allows: for each level the enabled state of the main menu items the login window
// switches. Level 0 is the state after a failed login (nobody has rights beyond login, the
// "รายการ" menu and help); 1 is the administrator, 5 the counter staff.

struct MenuRight
{
    QString item; // object name of the main menu item
    bool allowed;
};

// The items the rights switch, in menu order.
const QStringList &RightsItemNames();

// The rights of a level; any level outside 1..5 gives the rights of level 0.
QList<MenuRight> LoginRights(int level);

// The level an account's AC1 value gives at login: 1..5 as stored, anything else (empty, 0, 6 ...) 0.
int LevelFromAc1(const QVariant &ac1);

// Only the administrator maintains the accounts.
inline bool MaintainsAccounts(int level) { return level == 1; }

// Sets every item of LoginRights(level) on the menu.
void ApplyLoginRights(MainMenu &menu, int level);
