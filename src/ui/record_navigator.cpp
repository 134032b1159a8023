#include "ui/record_navigator.h"

#include "ui/editing_tool_bar.h"

#include <QAction>
#include <QStyle>

namespace {

QAction *addMove(EditingToolBar *toolBar, const char *name, QStyle::StandardPixmap icon, const char *hint)
{
    QAction *action = toolBar->addButton(QString::fromLatin1(name), QString::fromUtf8(hint));
    action->setIcon(toolBar->style()->standardIcon(icon));
    return action;
}

} // namespace

RecordNavigator::RecordNavigator(EditingToolBar *toolBar)
    : QObject(toolBar)
    , m_first(addMove(toolBar, "First", QStyle::SP_MediaSkipBackward, "รายการแรก"))
    , m_prior(addMove(toolBar, "Prior", QStyle::SP_MediaSeekBackward, "ก่อนหน้า"))
    , m_next(addMove(toolBar, "Next", QStyle::SP_MediaSeekForward, "ถัดไป"))
    , m_last(addMove(toolBar, "Last", QStyle::SP_MediaSkipForward, "รายการสุดท้าย"))
{
    connect(m_first, &QAction::triggered, this, [this] { emit moveRequested(0); });
    connect(m_prior, &QAction::triggered, this, [this] { emit moveRequested(m_current - 1); });
    connect(m_next, &QAction::triggered, this, [this] { emit moveRequested(m_current + 1); });
    connect(m_last, &QAction::triggered, this, [this] { emit moveRequested(m_count - 1); });
    apply();
}

void RecordNavigator::setPosition(int current, int count)
{
    m_current = current;
    m_count = count;
    apply();
}

void RecordNavigator::setEnabled(bool enabled)
{
    m_enabled = enabled;
    apply();
}

void RecordNavigator::apply()
{
    const bool back = m_enabled && m_current > 0;
    const bool forward = m_enabled && m_current >= 0 && m_current < m_count - 1;
    m_first->setEnabled(back);
    m_prior->setEnabled(back);
    m_next->setEnabled(forward);
    m_last->setEnabled(forward);
}
