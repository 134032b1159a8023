#include "ui/editing_tool_bar.h"

#include "ui/mode_indicator.h"

EditingToolBar::EditingToolBar(QWidget *parent)
    : QToolBar(parent)
    , m_indicator(new ModeIndicator(this))
{
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_end = addSeparator();
    addWidget(m_indicator);
}

QAction *EditingToolBar::addButton(const QString &objectName, const QString &caption, QAction *before)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(objectName);
    insertAction(before ? before : m_end, action);
    return action;
}
