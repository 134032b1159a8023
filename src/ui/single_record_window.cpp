#include "ui/single_record_window.h"

#include "ui/dialogs.h"
#include "ui/editing_tool_bar.h"
#include "ui/enter_moves_focus.h"

#include <QAction>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The row as the fields read it: one record, column names as stored.
RecordList asRecordList(const QVariantMap &row)
{
    return RecordList(row.keys(), {row.values()});
}

} // namespace

SingleRecordWindow::SingleRecordWindow(const SingleRecordDef &def, QWidget *parent)
    : QWidget(parent)
    , m_def(def)
    , m_toolBar(new EditingToolBar(this))
    , m_states(m_toolBar->indicator())
{
    setObjectName(def.className);
    setWindowTitle(def.caption);
    m_states.addNormalOnly(m_toolBar->addButton("Edit", QStringLiteral("แ&ก้ไข"), this, &SingleRecordWindow::EditClick));
    m_refresh = m_toolBar->addButton("Refresh", QStringLiteral("Refresh"), this, &SingleRecordWindow::RefreshClick);
    m_states.addEditingOnly(m_toolBar->addButton("Cancel", QStringLiteral("&ยกเลิก"), this, &SingleRecordWindow::CancelClick));
    m_states.addEditingOnly(m_toolBar->addButton("Save", def.saveCaption, this, &SingleRecordWindow::SaveClick));
    m_states.addNormalOnly(m_toolBar->addButton("Close", def.closeCaption, this, &SingleRecordWindow::CloseClick),
                           /*heldToo=*/false);

    m_fields = new RegisterFields(def.fields);
    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_fields);
    auto *pages = new QTabWidget(this);
    pages->addTab(scroll, def.pageCaption);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_toolBar);
    layout->addWidget(pages, 1);

    m_enter = new EnterMovesFocus(this);
    m_fields->linkEnterChain(m_enter, def.enterChain);
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
    m_oldKey = m_row.value(m_def.keyColumn).toString();
    setMode(QStringLiteral("edit"));
    if (!m_def.enterChain.isEmpty() && m_fields->box(m_def.enterChain.first()))
        m_fields->box(m_def.enterChain.first())->setFocus();
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
    if (!m_fields->passes(m_def.checks))
        return;
    QString error;
    if (!m_source->save(m_fields->texts(), m_oldKey, &error)) {
        Dialogs().error(this, m_def.saveFailed);
        return;
    }
    reread();
    setMode(QStringLiteral("normal"));
}

void SingleRecordWindow::CloseClick()
{
    close();
}
