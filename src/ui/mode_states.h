#pragma once

#include <QList>
#include <QString>

#include <functional>

class ModeIndicator;
class QAction;
class QWidget;

// The mode text of an editing window ("normal", "add", "edit") and the enabled states that follow
// it: some controls are offered only in "normal" (add, edit, delete, close, the navigator ...),
// the others only while adding or editing (save, cancel).
class ModeStates
{
public:
    using Setter = std::function<void(bool enabled)>;

    explicit ModeStates(ModeIndicator *indicator);

    // heldToo: off while the states are held as well (everything but the close button).
    void addNormalOnly(QAction *action, bool heldToo = true);
    void addNormalOnly(QWidget *widget);
    void addNormalOnly(Setter setter);
    void addEditingOnly(QAction *action);
    void addEditingOnly(QWidget *widget);

    void setMode(const QString &mode);
    const QString &mode() const { return m_mode; }
    bool editing() const;

    // While held (a search panel is open, the window has no connection) the normal-only controls
    // are off in normal mode as well.
    void setHeld(bool held);
    // Keeps one control off whatever the mode says, until released (save while the typed code is
    // refused).
    void setVetoed(QAction *action, bool vetoed);

private:
    struct Control
    {
        Setter setEnabled;
        bool normalOnly;
        QAction *action = nullptr;
        bool heldToo = true;
        bool vetoed = false;
    };
    void apply();

    ModeIndicator *m_indicator;
    QString m_mode = QStringLiteral("normal");
    bool m_held = false;
    QList<Control> m_controls;
};
