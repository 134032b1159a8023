#include "app/commands.h"
#include "app/main_window.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>

int main(int argc, char **argv)
{
    // Commands run without a display: they draw pictures and documents off screen.
    if (argc > 1) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return RunCommand(QGuiApplication::arguments());
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("larderon"));
    QApplication::setApplicationDisplayName(QStringLiteral("Talvora Larderon 3.0"));
    TMAIN window(QDir::currentPath());
    window.showMaximized();
    return QApplication::exec();
}
