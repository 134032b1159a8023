#pragma once

#include "../common/qt_printers.h"
#include "access/passwd_full.h"
#include "app/main_window.h"
#include "temp_data_folder.h"
#include "ui/fake_dialogs.h"

#include <QTemporaryDir>

#include <memory>

// The demo data folder shared by the tests that only read accounts (made once: hashing the demo
// passwords takes a moment).
const TempDataFolder &DemoFolder();

// A main window whose app_path.txt points at a data folder, with the dialogs answered by a fake,
// and the failed-login counts of the run forgotten.
// Every menu item the rights switch is offered (a stand-in window is registered where the real one
// lives in another part of the program), so an item is enabled exactly when the rights allow it.
class MenuHarness
{
public:
    explicit MenuHarness(const TempDataFolder &folder);

    TMAIN &main() { return *m_main; }
    FakeDialogs &dialogs() { return m_dialogs; }

private:
    FakeDialogs m_dialogs;
    QTemporaryDir m_workDir;
    std::unique_ptr<TMAIN> m_main;
};

template <typename T>
T *Child(QWidget &window, const char *name)
{
    return window.findChild<T *>(QString::fromLatin1(name));
}

// Types the name and password into the login part and presses "Login".
void Login(Tpasswd_full &window, const QString &name, const QString &password);
void SetText(QWidget &window, const char *name, const QString &text);
QString Text(QWidget &window, const char *name);
void Click(QWidget &window, const char *name);
bool Enabled(QWidget &window, const char *name);
