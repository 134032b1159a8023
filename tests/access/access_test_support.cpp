#include "access_test_support.h"

#include "access/login_throttle.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

const TempDataFolder &DemoFolder()
{
    static const TempDataFolder folder(/*demo=*/true);
    return folder;
}

MenuHarness::MenuHarness(const TempDataFolder &folder)
{
    LoginThrottle::shared().reset(); // each test starts a run of its own

    QFile appPath(m_workDir.filePath(QStringLiteral("app_path.txt")));
    if (appPath.open(QIODevice::WriteOnly))
        appPath.write(folder.folder().toUtf8());
    appPath.close();
    m_main = std::make_unique<TMAIN>(m_workDir.path());
    for (const char *item : {"mmdatabase", "mmdatatools", "mmscotkcard", "mmanalysis_all", "mmanalysis"})
        m_main->registerWindow(QString::fromLatin1(item), [] { return new QWidget; });
    m_main->registerStockWindow([] { return new QWidget; });
}

void Login(Tpasswd_full &window, const QString &name, const QString &password)
{
    SetText(window, "LoginName", name);
    SetText(window, "Password", password);
    Click(window, "Login");
}

void SetText(QWidget &window, const char *name, const QString &text)
{
    auto *edit = Child<QLineEdit>(window, name);
    ASSERT_NE(edit, nullptr) << name;
    edit->setText(text);
}

QString Text(QWidget &window, const char *name)
{
    if (auto *edit = Child<QLineEdit>(window, name))
        return edit->text();
    if (auto *label = Child<QLabel>(window, name))
        return label->text();
    ADD_FAILURE() << "no text control " << name;
    return {};
}

void Click(QWidget &window, const char *name)
{
    auto *button = Child<QAbstractButton>(window, name);
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

bool Enabled(QWidget &window, const char *name)
{
    auto *widget = Child<QWidget>(window, name);
    EXPECT_NE(widget, nullptr) << name;
    return widget && widget->isEnabled();
}
