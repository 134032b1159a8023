#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// Enter (or Return) in one box moves the focus to the next box of a chain, the way the windows'
// keyboard order is specified. A widget may be chained to a button: Enter then moves the focus to
// it, it does not press it.
class EnterMovesFocus : public QObject
{
    Q_OBJECT
public:
    explicit EnterMovesFocus(QObject *parent = nullptr);

    // from: Enter here moves focus to to.
    void link(QWidget *from, QWidget *to);
    // Links each widget of the list to the next one.
    void chain(std::initializer_list<QWidget *> widgets);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QHash<QObject *, QPointer<QWidget>> m_next;
};
