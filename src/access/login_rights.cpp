#include "access/login_rights.h"

#include "ui/main_menu.h"

#include <QVariant>

#include <array>

namespace {

// One row per item: allowed at level 0 (failed login), 1, 2, 3, 4, 5.
struct RightsRow
{
    const char *item;
    std::array<bool, 6> byLevel;
};

constexpr bool on = true;
constexpr bool off = false;

constexpr RightsRow kRights[] = {
    //                      0    1   2   3   4    5
    {"mmlogin",        {on,  on, on, on, on,  on}},
    {"mmback",         {on,  on, on, on, on,  on}},
    {"mminstock",      {off, on, on, on, on,  off}},
    {"mmoutstock",     {off, on, on, on, off, on}},
    {"mmorder",        {off, on, on, on, off, off}},
    {"mmdatabase",     {off, on, off, off, off, off}},
    {"mmdatatools",    {off, on, on, on, on,  on}},
    {"mmref",          {off, on, on, on, off, off}},
    {"mmreport",       {off, on, on, off, off, off}},
    {"mmscotkcard",    {off, on, on, on, on,  off}},
    {"mmanalysis_all", {off, on, on, on, on,  off}},
    {"mmanalysis",     {off, on, on, on, on,  off}},
    {"mmtools",        {off, on, on, on, off, off}},
    {"mmabout",        {on,  on, on, on, on,  on}},
};

} // namespace

const QStringList &RightsItemNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const RightsRow &row : kRights)
            list.append(QString::fromLatin1(row.item));
        return list;
    }();
    return names;
}

QList<MenuRight> LoginRights(int level)
{
    const int column = level >= 1 && level <= 5 ? level : 0;
    QList<MenuRight> rights;
    for (const RightsRow &row : kRights)
        rights.append({QString::fromLatin1(row.item), row.byLevel[column]});
    return rights;
}

int LevelFromAc1(const QVariant &ac1)
{
    bool ok = false;
    const int level = ac1.toInt(&ok);
    return ok && !ac1.isNull() && level >= 1 && level <= 5 ? level : 0;
}

void ApplyLoginRights(MainMenu &menu, int level)
{
    for (const MenuRight &right : LoginRights(level))
        menu.setItemAllowed(right.item, right.allowed);
}
