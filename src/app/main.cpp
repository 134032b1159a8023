#include "app/commands.h"
#include "app/main_window.h"
#include "app/program_font.h"
#include "engine/driver_messages.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

// The application title, also the caption of the program's message boxes. It is the application's
// name rather than its display name: Qt appends a display name to every window caption.
void setUpWindowedApplication()
{
    QApplication::setApplicationName(QStringLiteral("Talvora Larderon 3.0"));
    ApplyProgramFont();
}

} // namespace

int main(int argc, char **argv)
{
    InstallDriverMessageFilter();
    // The preview command opens a window; the others run without a display and draw pictures and
    // documents off screen.
    if (argc > 1 && qstrcmp(argv[1], "preview-document") == 0) {
        if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
            && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            std::fputs("larderon preview-document: no display found; run it under xvfb-run or use pdf-document\n", stderr);
            return 1;
        }
        QApplication app(argc, argv);
        setUpWindowedApplication();
        return RunCommand(QApplication::arguments());
    }
    // Account work and posted documents draw nothing and need no display.
    if (argc > 1 && (qstrcmp(argv[1], "reset-password") == 0 || qstrcmp(argv[1], "post-document") == 0)) {
        QCoreApplication app(argc, argv);
        return RunCommand(QCoreApplication::arguments());
    }
    if (argc > 1) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return RunCommand(QGuiApplication::arguments());
    }

    QApplication app(argc, argv);
    setUpWindowedApplication();
    TMAIN window(QDir::currentPath());
    window.showMaximized();
    return QApplication::exec();
}
