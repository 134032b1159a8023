#include "ui/register_window.h"

#include "ui/dialogs.h"
#include "ui/editing_tool_bar.h"
#include "ui/enter_moves_focus.h"
#include "ui/record_navigator.h"

#include <QAction>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

RegisterWindow::RegisterWindow(const RegisterDef &def, QWidget *parent)
    : QWidget(parent)
    , m_def(def)
    , m_toolBar(new EditingToolBar(this))
    , m_states(m_toolBar->indicator())
{
    setObjectName(def.className);
    setWindowTitle(def.caption);

    auto *body = new QWidget(this);
    m_body = new QHBoxLayout(body);
    m_fields = new RegisterFields(def.fields, body);
    m_body->addWidget(m_fields, 1);
    m_search = new SearchPanel(def.search, body);
    m_search->setListLoader([this](bool byName) {
        RecordList rows;
        QString error;
        if (m_source && !m_source->loadCodesAndNames(byName ? m_def.nameColumn : m_def.codeColumn, &rows, &error))
            Dialogs().error(this, error);
        return rows;
    });
    connect(m_search, &SearchPanel::rowChosen, this, &RegisterWindow::moveTo);
    connect(m_search, &SearchPanel::findRequested, this, [this](bool byName, const QString &text) {
        const int row = SearchPanel::find(m_rows, m_def.search, byName, text);
        if (row >= 0)
            moveTo(row);
        m_states.setHeld(false);
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_toolBar);
    layout->addWidget(body, 1);
    buildToolBar();

    if (!def.searchBeside.isEmpty())
        connect(addNormalOnlyButton(def.searchBeside, QStringLiteral("SearchButton"), QStringLiteral("?")),
                &QToolButton::clicked, this, &RegisterWindow::SearchClick);

    m_enter = new EnterMovesFocus(this);
    for (const QStringList &chain : def.enterChains)
        m_fields->linkEnterChain(m_enter, chain);
    if (QWidget *code = codeBox())
        code->installEventFilter(this);
    setMode(QStringLiteral("normal"));
}

RegisterWindow::~RegisterWindow() = default;

void RegisterWindow::buildToolBar()
{
    m_states.addNormalOnly(m_toolBar->addButton("Add", QStringLiteral("เ&พิ่ม"), this, &RegisterWindow::AddClick));
    if (m_def.copy)
        m_states.addNormalOnly(m_toolBar->addButton("AddCopy", QStringLiteral("เพิ่ม Copy ข้อมูล"), this, &RegisterWindow::CopyClick));
    m_states.addNormalOnly(m_toolBar->addButton("Edit", QStringLiteral("แ&ก้ไข"), this, &RegisterWindow::EditClick));
    m_states.addNormalOnly(m_toolBar->addButton("Delete", QStringLiteral("ล&บ"), this, &RegisterWindow::DeleteClick));
    m_states.addNormalOnly(m_toolBar->addButton("Refresh", QStringLiteral("Refresh"), this, &RegisterWindow::RefreshClick));
    m_navigator = new RecordNavigator(m_toolBar);
    connect(m_navigator, &RecordNavigator::moveRequested, this, &RegisterWindow::moveTo);
    m_states.addNormalOnly([this](bool on) { m_navigator->setEnabled(on); });
    m_states.addEditingOnly(m_toolBar->addButton("Cancel", QStringLiteral("&ยกเลิก"), this, &RegisterWindow::CancelClick));
    m_save = m_toolBar->addButton("Save", QStringLiteral("บัน&ทึก"), this, &RegisterWindow::SaveClick);
    m_states.addEditingOnly(m_save);
    m_close = m_toolBar->addButton("Close", QStringLiteral("เ&ลิก"), this, &RegisterWindow::CloseClick);
    m_states.addNormalOnly(m_close, /*heldToo=*/false);
}

QAction *RegisterWindow::addNormalOnlyAction(const QString &objectName, const QString &caption, const QString &hint)
{
    QAction *action = m_toolBar->addButton(objectName, caption, m_close);
    action->setToolTip(hint.isEmpty() ? caption : hint);
    m_states.addNormalOnly(action);
    return action;
}

QToolButton *RegisterWindow::addNormalOnlyButton(const QString &column, const QString &objectName, const QString &caption)
{
    auto *button = new QToolButton(this);
    button->setObjectName(objectName);
    button->setText(caption);
    m_fields->addBeside(column, button);
    m_states.addNormalOnly(button);
    return button;
}

QWidget *RegisterWindow::codeBox() const
{
    return m_fields->box(m_def.codeColumn);
}

void RegisterWindow::start(std::unique_ptr<RegisterSource> source, const QString &error)
{
    if (!source) {
        Dialogs().error(this, error);
        m_states.setHeld(true);
        return;
    }
    m_source = std::move(source);
    if (reload(QString()))
        moveTo(0);
}

void RegisterWindow::setMode(const QString &mode)
{
    m_states.setMode(mode);
    m_fields->setLocked(!m_states.editing());
}

void RegisterWindow::moveTo(int row)
{
    m_current = m_rows.isEmpty() ? -1 : std::clamp(row, 0, m_rows.size() - 1);
    m_fields->fill(m_rows, m_current);
    m_navigator->setPosition(m_current, m_rows.size());
    recordShown(m_current);
}

bool RegisterWindow::reload(const QString &code)
{
    const int before = m_current;
    QString error;
    RecordList rows;
    if (!m_source || !m_source->load(&rows, &error)) {
        if (m_source)
            Dialogs().error(this, error);
        return false;
    }
    m_rows = rows;
    const int found = code.isEmpty() ? -1 : m_rows.findEqual(m_def.codeColumn, code);
    moveTo(found >= 0 ? found : before);
    return true;
}

void RegisterWindow::startNewRecord(const NewRecordPreset &preset, bool copy)
{
    setMode(QStringLiteral("add"));
    for (const FieldDef &field : m_def.fields) {
        if (preset.keep.contains(field.column, Qt::CaseInsensitive))
            continue;
        m_fields->setText(field.column, preset.values.value(field.column).toString());
    }
    newRecordStarted(copy);
    if (QWidget *code = codeBox())
        code->setFocus();
}

void RegisterWindow::AddClick()
{
    if (m_states.editing() || !m_source)
        return;
    startNewRecord(m_def.add, false);
}

void RegisterWindow::CopyClick()
{
    if (m_states.editing() || !m_def.copy || m_current < 0)
        return;
    startNewRecord(*m_def.copy, true);
}

void RegisterWindow::EditClick()
{
    if (m_states.editing() || m_current < 0)
        return;
    m_rememberedCode = m_fields->text(m_def.codeColumn);
    setMode(QStringLiteral("edit"));
    if (QWidget *code = codeBox())
        code->setFocus();
}

void RegisterWindow::CodeExit()
{
    if (mode() != u"add" || m_checkingCode || !m_source)
        return;
    m_checkingCode = true;
    QString error;
    const std::optional<bool> taken = m_source->codeExists(m_fields->text(m_def.codeColumn), &error);
    if (!taken) {
        Dialogs().error(this, error); // the save tests the code again
    } else if (*taken) {
        Dialogs().message(this, m_def.messages.duplicateOnLeave);
        m_states.setVetoed(m_save, true);
        codeBox()->setFocus();
    } else {
        m_states.setVetoed(m_save, false);
        if (m_def.freeCodeFocusesName && m_fields->box(m_def.nameColumn))
            m_fields->box(m_def.nameColumn)->setFocus();
    }
    m_checkingCode = false;
}

bool RegisterWindow::runChecks()
{
    const SaveCheck codeGiven = {m_def.codeColumn, [](const QString &code) { return !code.trimmed().isEmpty(); },
                                 m_def.messages.emptyCode};
    return m_fields->passes(QList<SaveCheck>{codeGiven} + m_def.checks);
}

void RegisterWindow::SaveClick()
{
    if (!m_states.editing() || !m_source || !runChecks())
        return;
    const bool adding = mode() == u"add";
    const QString code = m_fields->text(m_def.codeColumn);
    QString error;
    const RegisterSource::SaveResult result =
        m_source->save(adding, m_fields->texts(), adding ? code : m_rememberedCode, &error);
    if (result != RegisterSource::SaveResult::Saved) {
        showSaveResult(result, error);
        return;
    }
    setMode(QStringLiteral("normal"));
    // The record just saved, found by the code it has now.
    reload(code);
}

void RegisterWindow::showSaveResult(RegisterSource::SaveResult result, const QString &error)
{
    Q_UNUSED(error); // the user is told in the register's own words; the record stays as typed
    if (result == RegisterSource::SaveResult::DuplicateCode) {
        Dialogs().message(this, m_def.messages.duplicateOnSave);
        if (QWidget *code = codeBox())
            code->setFocus();
        return;
    }
    Dialogs().message(this, m_def.messages.saveFailed);
}

void RegisterWindow::CancelClick()
{
    if (!m_states.editing())
        return;
    if (!m_def.messages.cancelled.isEmpty())
        Dialogs().message(this, m_def.messages.cancelled);
    setMode(QStringLiteral("normal"));
    moveTo(m_rows.size() - 1);
}

void RegisterWindow::DeleteClick()
{
    if (m_states.editing() || m_current < 0 || !m_source)
        return;
    if (!Dialogs().askYesNo(this, m_def.messages.confirmDelete))
        return;
    QString error;
    if (!m_source->remove(m_fields->text(m_def.codeColumn), &error))
        Dialogs().message(this, m_def.messages.deleteFailed);
    if (reload(QString()))
        moveTo(m_rows.size() - 1);
}

void RegisterWindow::RefreshClick()
{
    if (m_states.editing())
        return;
    reload(m_rows.text(m_current, m_def.codeColumn));
}

void RegisterWindow::CloseClick()
{
    close();
}

void RegisterWindow::SearchClick()
{
    if (m_states.editing() || !m_source)
        return;
    m_states.setHeld(true);
    const QPoint at = m_def.search.position;
    const QSize room = m_search->parentWidget()->size() - QSize(at.x() + 8, at.y() + 8);
    m_search->setGeometry(QRect(at, QSize(std::clamp(room.width(), 320, 480), std::max(room.height(), 280))));
    m_search->open(m_rows, m_current);
}

bool RegisterWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == codeBox() && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        // A message box or a menu taking the focus is not the user leaving the box.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            CodeExit();
    }
    return QWidget::eventFilter(watched, event);
}
