#include "ui/enter_moves_focus.h"

#include <QKeyEvent>

EnterMovesFocus::EnterMovesFocus(QObject *parent)
    : QObject(parent)
{
}

void EnterMovesFocus::link(QWidget *from, QWidget *to)
{
    m_next.insert(from, to);
    from->installEventFilter(this);
}

void EnterMovesFocus::chain(std::initializer_list<QWidget *> widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *w : widgets) {
        if (previous)
            link(previous, w);
        previous = w;
    }
}

bool EnterMovesFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const QPointer<QWidget> next = m_next.value(watched);
            if (next) {
                next->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
