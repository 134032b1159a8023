#include "ui/single_record_window.h"

#include "ui/dialogs.h"
#include "ui/enter_moves_focus.h"
#include "ui/mode_indicator.h"

#include <QAction>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The row as the fields read it: one record, column names as stored.
RecordList asRecordList(const QVariantMap &row)
{
    return RecordList(row.keys(), {row.values()});
}

} // namespace

SingleRecordWindow::SingleRecordWindow(const SingleRecordSpec &spec, QWidget *parent)
    : QWidget(parent)
    , m_spec(spec)
    , m_indicator(new ModeIndicator(this))
    , m_states(m_indicator)
{
    setObjectName(spec.className);
    setWindowTitle(spec.caption);
    m_toolBar = new QToolBar(this);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto add = [this](const char *name, const QString &caption, void (SingleRecordWindow::*slot)()) {
        QAction *action = m_toolBar->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    m_states.addNormalOnly(add("Edit", QStringLiteral("แ&ก้ไข"), &SingleRecordWindow::EditClick));
    m_refresh = add("Refresh", QStringLiteral("Refresh"), &SingleRecordWindow::RefreshClick);
    m_states.addEditingOnly(add("Cancel", QStringLiteral("&ยกเลิก"), &SingleRecordWindow::CancelClick));
    m_states.addEditingOnly(add("Save", spec.saveCaption, &SingleRecordWindow::SaveClick));
    m_states.addNormalOnly(add("Close", spec.closeCaption, &SingleRecordWindow::CloseClick), /*heldToo=*/false);
    m_toolBar->addSeparator();
    m_toolBar->addWidget(m_indicator);

    m_fields = new RegisterFields(spec.fields);
    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_fields);
    auto *pages = new QTabWidget(this);
    pages->addTab(scroll, spec.pageCaption);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_toolBar);
    layout->addWidget(pages, 1);

    m_enter = new EnterMovesFocus(this);
    for (int i = 0; i + 1 < spec.enterChain.size(); ++i) {
        QWidget *from = m_fields->box(spec.enterChain[i]);
        QWidget *to = m_fields->box(spec.enterChain[i + 1]);
        if (from && to)
            m_enter->link(from, to);
    }
    setMode(QStringLiteral("normal"));
}

SingleRecordWindow::~SingleRecordWindow() = default;

void SingleRecordWindow::start(std::unique_ptr<RowSource> source, const QString &error)
{
    if (!source) {
        Dialogs().error(this, error);
        m_states.setHeld(true);
        m_refresh->setEnabled(false);
        return;
    }
    m_source = std::move(source);
    reread();
}

void SingleRecordWindow::setMode(const QString &mode)
{
    m_states.setMode(mode);
    m_fields->setLocked(!m_states.editing());
}

bool SingleRecordWindow::reread()
{
    QString error;
    QVariantMap row;
    if (!m_source || !m_source->read(&row, &error)) {
        if (m_source)
            Dialogs().error(this, error);
        return false;
    }
    m_row = row;
    m_fields->fill(asRecordList(m_row), 0);
    return true;
}

void SingleRecordWindow::EditClick()
{
    if (m_states.editing() || !m_source)
        return;
    m_fields->fill(asRecordList(m_row), 0);
    m_oldKey = m_row.value(m_spec.keyColumn).toString();
    setMode(QStringLiteral("edit"));
    if (!m_spec.enterChain.isEmpty() && m_fields->box(m_spec.enterChain.first()))
        m_fields->box(m_spec.enterChain.first())->setFocus();
}

void SingleRecordWindow::RefreshClick()
{
    reread();
}

void SingleRecordWindow::CancelClick()
{
    if (!m_states.editing())
        return;
    m_fields->fill(asRecordList(m_row), 0);
    setMode(QStringLiteral("normal"));
}

void SingleRecordWindow::SaveClick()
{
    if (!m_states.editing() || !m_source)
        return;
    for (const SaveCheck &check : m_spec.checks) {
        if (!check.accepts(m_fields->text(check.column))) {
            Dialogs().message(this, check.message);
            if (QWidget *box = m_fields->box(check.column))
                box->setFocus();
            return;
        }
    }
    QString error;
    if (!m_source->save(m_fields->texts(), m_oldKey, &error)) {
        Dialogs().error(this, m_spec.saveFailed);
        return;
    }
    reread();
    setMode(QStringLiteral("normal"));
}

void SingleRecordWindow::CloseClick()
{
    close();
}
