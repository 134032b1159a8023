#include "ui/main_menu.h"

namespace {
MainMenu *currentMenu = nullptr;
}

void SetMainMenu(MainMenu *menu)
{
    currentMenu = menu;
}

MainMenu *CurrentMainMenu()
{
    return currentMenu;
}
