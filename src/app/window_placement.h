#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// The rectangle closest to wanted that lies within area: no larger than the area, moved in where
// it reaches beyond an edge, otherwise kept where it is.
QRect FitRect(const QRect &area, QRect wanted);

// Gives a top-level window of its own (one shown without the main window, as by the
// preview-document command) the wanted size, or as much of it as its screen's free area holds,
// centred there with room for the window manager's title bar and borders, so every edge and
// scroll bar of the window can be reached.
void PlaceOnScreen(QWidget *window, const QSize &wanted);
