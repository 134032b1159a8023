#include "ui/window_host.h"

#include <QWidget>

namespace {
WindowHost *currentHost = nullptr;
}

void SetWindowHost(WindowHost *host)
{
    currentHost = host;
}

WindowHost *CurrentWindowHost()
{
    return currentHost;
}

void ShowChildWindow(QWidget *window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (currentHost) {
        currentHost->showChild(window);
        return;
    }
    window->show();
}
