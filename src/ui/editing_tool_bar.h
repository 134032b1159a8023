#pragma once

#include <QAction>
#include <QToolBar>

class ModeIndicator;

// The tool bar of an editing window: text buttons with object names (the names tests and
// hand-offs find them by) and the window's mode indicator at its end.
class EditingToolBar : public QToolBar
{
    Q_OBJECT
public:
    explicit EditingToolBar(QWidget *parent);

    ModeIndicator *indicator() const { return m_indicator; }

    // A button before the mode indicator, or before the button before.
    QAction *addButton(const QString &objectName, const QString &caption, QAction *before = nullptr);

    template <typename Receiver>
    QAction *addButton(const char *objectName, const QString &caption, Receiver *receiver, void (Receiver::*slot)())
    {
        QAction *action = addButton(QString::fromLatin1(objectName), caption);
        connect(action, &QAction::triggered, receiver, slot);
        return action;
    }

private:
    ModeIndicator *m_indicator;
    QAction *m_end; // the separator before the indicator
};
