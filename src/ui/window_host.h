#pragma once

class QWidget;

// Where child windows live. The main window registers itself as the host; windows that open
// other windows (a report opening its preview, a register opening a sticker sheet) hand them here
// instead of knowing the main window. Without a host (tests, command-line use) the window is
// shown as a top-level window.
class WindowHost
{
public:
    virtual ~WindowHost() = default;
    // Shows the window as a child window; the host deletes it when it closes.
    virtual void showChild(QWidget *window) = 0;
};

void SetWindowHost(WindowHost *host);
WindowHost *CurrentWindowHost();
// Shows window through the current host, or on its own with delete-on-close when there is none.
void ShowChildWindow(QWidget *window);
