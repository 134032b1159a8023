#include "ui/mode_states.h"

#include "ui/mode_indicator.h"

#include <QAction>
#include <QWidget>

ModeStates::ModeStates(ModeIndicator *indicator)
    : m_indicator(indicator)
{
}

void ModeStates::addNormalOnly(QAction *action, bool heldToo)
{
    m_controls.append({[action](bool on) { action->setEnabled(on); }, true, action, heldToo});
    apply();
}

void ModeStates::addNormalOnly(QWidget *widget)
{
    addNormalOnly([widget](bool on) { widget->setEnabled(on); });
}

void ModeStates::addNormalOnly(Setter setter)
{
    m_controls.append({std::move(setter), true});
    apply();
}

void ModeStates::addEditingOnly(QAction *action)
{
    m_controls.append({[action](bool on) { action->setEnabled(on); }, false, action});
    apply();
}

void ModeStates::addEditingOnly(QWidget *widget)
{
    m_controls.append({[widget](bool on) { widget->setEnabled(on); }, false});
    apply();
}

bool ModeStates::editing() const
{
    return ModeIndicator::isEditing(m_mode);
}

void ModeStates::setMode(const QString &mode)
{
    m_mode = mode;
    if (m_indicator)
        m_indicator->setMode(mode);
    for (Control &control : m_controls)
        control.vetoed = false;
    apply();
}

void ModeStates::setHeld(bool held)
{
    m_held = held;
    apply();
}

void ModeStates::setVetoed(QAction *action, bool vetoed)
{
    for (Control &control : m_controls) {
        if (control.action == action)
            control.vetoed = vetoed;
    }
    apply();
}

void ModeStates::apply()
{
    const bool editingNow = editing();
    for (const Control &control : std::as_const(m_controls)) {
        const bool byMode = control.normalOnly ? !editingNow && !(m_held && control.heldToo) : editingNow;
        control.setEnabled(byMode && !control.vetoed);
    }
}
