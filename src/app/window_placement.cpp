#include "app/window_placement.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>

namespace {

// The window manager's frame is known only once the window is shown; this much room is left for
// a title bar and the borders.
constexpr QMargins kFrameRoom(8, 40, 8, 8);

} // namespace

QRect FitRect(const QRect &area, QRect wanted)
{
    wanted.setSize(wanted.size().boundedTo(area.size()));
    if (wanted.right() > area.right())
        wanted.moveRight(area.right());
    if (wanted.bottom() > area.bottom())
        wanted.moveBottom(area.bottom());
    if (wanted.left() < area.left())
        wanted.moveLeft(area.left());
    if (wanted.top() < area.top())
        wanted.moveTop(area.top());
    return wanted;
}

void PlaceOnScreen(QWidget *window, const QSize &wanted)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window->resize(wanted);
        return;
    }
    const QRect room = screen->availableGeometry().marginsRemoved(kFrameRoom);
    QRect placed(QPoint(), wanted.boundedTo(room.size()));
    placed.moveCenter(room.center());
    window->setGeometry(placed);
}
