#pragma once

#include <QObject>

class QAction;
class EditingToolBar;

// First / previous / next / last over a list of records, as four tool-bar actions. The window
// owns the list and the current row; the navigator only asks to move and shows which moves make
// sense (at the first row there is nothing before it).
class RecordNavigator : public QObject
{
    Q_OBJECT
public:
    // Adds the four actions to toolBar.
    explicit RecordNavigator(EditingToolBar *toolBar);

    void setPosition(int current, int count);
    // Off while the window is adding or editing.
    void setEnabled(bool enabled);

    QAction *first() const { return m_first; }
    QAction *prior() const { return m_prior; }
    QAction *next() const { return m_next; }
    QAction *last() const { return m_last; }

signals:
    void moveRequested(int row);

private:
    void apply();

    QAction *m_first;
    QAction *m_prior;
    QAction *m_next;
    QAction *m_last;
    int m_current = -1;
    int m_count = 0;
    bool m_enabled = true;
};
