#include "documents/stock_window.h"

#include "access/edit_authority.h"
#include "common/dates.h"
#include "common/shared_state.h"
#include "documents/document_numbering.h"
#include "documents/edit_authority_panel.h"
#include "documents/stock_line_panel.h"
#include "documents/stock_messages.h"
#include "printing/print_request.h"
#include "ui/dialogs.h"
#include "ui/editing_tool_bar.h"
#include "ui/mode_indicator.h"
#include "ui/record_list_model.h"
#include "ui/record_navigator.h"
#include "ui/search_panel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStackedWidget>
#include <QTableView>
#include <QTime>

namespace {

// The grid's Enter steps through its first six columns.
constexpr int kGridEnterColumns = 6;

QString shortTime()
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

Tstock::Tstock(QWidget *parent)
    : QWidget(parent)
    , m_toolBar(new EditingToolBar(this))
    , m_headerIndicator(new ModeIndicator(this))
    , m_states(m_headerIndicator)
{
    setObjectName(QStringLiteral("Tstock"));
    move(2, 1); // top 1, left 2 of the main window's client area
    buildLayout();
    setHeaderMode(QStringLiteral("normal"));
    // Nothing is offered before the first activation has opened the data.
    m_states.setHeld(true);
    setLineButtonsShown(true);
    for (QPushButton *button : {m_lineAdd, m_lineDelete, m_lineEdit})
        button->setEnabled(false);
}

Tstock::~Tstock()
{
    // The panels work on the store; they go before it does.
    delete m_linePanel;
    delete m_authorityPanel;
    if (m_ownsOpenFlag)
        Shared().StockWindowOpen = false;
}

QString Tstock::lineMode() const
{
    return m_linePanel ? m_linePanel->mode() : QStringLiteral("normal");
}

QSize Tstock::sizeHint() const
{
    return {900, 640};
}

QString Tstock::shownNumber() const
{
    return m_headerShown ? m_header.value(QStringLiteral("INV_NO")).toString() : QString();
}

void Tstock::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        FormActivate();
    }
}

void Tstock::closeEvent(QCloseEvent *event)
{
    // What was typed in an add or edit is dropped with the window.
    if (m_ownsOpenFlag) {
        Shared().StockWindowOpen = false;
        m_ownsOpenFlag = false;
    }
    event->accept();
}

void Tstock::FormActivate()
{
    SharedState &shared = Shared();
    m_kind = FindDocumentKind(shared.DocumentMode);
    shared.StockWindowOpen = true;
    m_ownsOpenFlag = true;
    m_quit->setEnabled(true);
    if (!m_kind) {
        Dialogs().error(this, QStringLiteral("Unknown document kind %1").arg(shared.DocumentMode));
        return;
    }
    QString error;
    m_store = StockDocumentStore::open(*m_kind, &error);
    if (!m_store || !m_store->readSettings(&error)) {
        m_store.reset();
        Dialogs().error(this, error);
        return;
    }
    const QPixmap picture(shared.DataFolder + QStringLiteral("larderon.jpg"));
    if (!picture.isNull())
        m_picture->setPixmap(picture.scaled(m_picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    applyKindCaptions();
    buildPanels();
    m_pages->setCurrentWidget(m_mainPage);

    if (!m_store->employees(&m_employees, &error))
        Dialogs().error(this, error);
    for (int i = 0; i < m_employees.size(); ++i)
        m_employee->addItem(m_employees.text(i, QStringLiteral("sale_name")));
    m_employee->setCurrentIndex(m_employees.isEmpty() ? -1 : 0);

    const bool mayChange = EditAuthority::levelAllows(shared.CurrentUserLevel);
    m_edit->setVisible(mayChange);
    m_delete->setVisible(mayChange);
    m_editAuthority = mayChange;

    m_states.setHeld(false);
    setHeaderMode(QStringLiteral("normal"));
    if (!loadDocumentList(&error))
        Dialogs().error(this, error);
    moveTo(m_numbers.size() - 1);
    m_number->setFocus();
}

bool Tstock::loadDocumentList(QString *error)
{
    RecordList numbers;
    const bool ok = m_store->documentNumbers(&numbers, error);
    m_numbers = numbers;
    return ok;
}

void Tstock::moveTo(int row)
{
    m_row = m_numbers.isEmpty() ? -1 : std::clamp(row, 0, m_numbers.size() - 1);
    m_navigator->setPosition(m_row, m_numbers.size());
    if (m_states.mode() == u"add") {
        // While adding, the list only gives the entry a new temporary number.
        m_header.insert(QStringLiteral("INV_NO"), QStringLiteral("TEMP%1").arg(QRandomGenerator::global()->bounded(999999)));
        m_number->setText(m_header.value(QStringLiteral("INV_NO")).toString());
        return;
    }
    if (m_states.editing())
        return;
    showDocument();
}

void Tstock::showEmptyDocument()
{
    m_header.clear();
    m_party.clear();
    m_headerShown = false;
    displayDocument();
    reloadLines();
    Shared().PrintDocNo.clear();
}

void Tstock::showDocument()
{
    const QString number = m_numbers.text(m_row, QStringLiteral("inv_no"));
    QString error;
    QVariantMap header;
    if (number.isEmpty() || !m_store->readHeader(number, &header, &error) || header.isEmpty()) {
        if (!error.isEmpty())
            Dialogs().error(this, error);
        showEmptyDocument();
    } else {
        m_header = header;
        m_headerShown = true;
        if (!m_store->readParty(false, m_header.value(QStringLiteral("CUST_NO")).toString(), &m_party, &error))
            Dialogs().error(this, error);
        displayDocument();
        reloadLines();
        Shared().PrintDocNo = number;
    }
    for (QPushButton *button : {m_lineAdd, m_lineDelete, m_lineEdit})
        button->setEnabled(m_headerShown);
    refreshEditButton();
}

void Tstock::displayDocument()
{
    const auto party = [this](const char *column) { return m_party.value(QString::fromLatin1(column)).toString(); };
    const auto header = [this](const char *column) { return m_header.value(QString::fromLatin1(column)).toString(); };
    m_partyCode->setText(party("CUST_NO"));
    m_partyName->setText(party("CUST_NAME"));
    m_address1->setText(party("CUST_ADD1"));
    m_address2->setText(party("CUST_ADD2"));
    m_province->setText(party("CUST_ADD4"));
    m_zip->setText(party("CUST_ZIP"));
    m_tel->setText(party("CUST_TEL"));
    m_fax->setText(party("CUST_FAX"));
    m_number->setText(header("INV_NO"));
    m_date->setText(header("INV_DATE"));
    m_time->setText(header("INV_TIME"));
    m_employee->setEditText(header("SALE_NAME"));
    m_reference->setText(header("REF_ORDER"));
}

void Tstock::reloadLines()
{
    const QString number = m_header.value(QStringLiteral("INV_NO")).toString();
    RecordList lines;
    QString error;
    if (m_states.mode() != u"add" && !number.isEmpty() && !m_store->readLines(number, &lines, &error))
        Dialogs().error(this, error);
    m_lines = lines;
    m_linesModel->setRows(m_lines);
    if (!m_lines.isEmpty())
        m_grid->setCurrentIndex(m_linesModel->index(m_lines.size() - 1, 0));
}

void Tstock::setHeaderMode(const QString &mode)
{
    m_states.setMode(mode);
    const bool editing = m_states.editing();
    setEntryEditable(editing);
    setLineButtonsShown(!editing);
    refreshEditButton();
}

void Tstock::setEntryEditable(bool editable)
{
    for (QLineEdit *edit : {m_partyCode, m_date, m_time, m_reference})
        edit->setReadOnly(!editable);
    m_employee->setEnabled(editable);
}

void Tstock::setLineButtonsShown(bool shown)
{
    for (QWidget *widget : {static_cast<QWidget *>(m_lineAdd), static_cast<QWidget *>(m_lineDelete),
                            static_cast<QWidget *>(m_lineEdit), static_cast<QWidget *>(m_lineIndicator)})
        widget->setVisible(shown);
}

void Tstock::refreshEditButton()
{
    m_states.setVetoed(m_edit, !m_headerShown);
}

void Tstock::AddClick()
{
    if (m_states.editing() || !m_store)
        return;
    setHeaderMode(QStringLiteral("add"));
    m_linesModel->setRows(RecordList());
    m_header = m_store->newHeader();
    m_header.insert(QStringLiteral("INV_NO"), QStringLiteral("TEMP%1").arg(QRandomGenerator::global()->bounded(999999)));
    m_header.insert(QStringLiteral("INV_DATE"), DateToText(QDate::currentDate()));
    m_header.insert(QStringLiteral("INV_TIME"), shortTime());
    m_party.clear();
    // The boxes stay empty until a party is chosen, which shows the new document.
    for (QLineEdit *edit : {m_number, m_date, m_reference, m_time, m_partyCode, m_partyName, m_address1, m_address2, m_province,
                            m_zip, m_tel, m_fax})
        edit->clear();
    m_employee->setCurrentIndex(-1);
    m_employee->setEditText(QString());
    m_partyCode->setFocus();
}

void Tstock::EditClick()
{
    if (m_states.editing() || !m_headerShown)
        return;
    setHeaderMode(QStringLiteral("edit"));
    m_employee->setFocus();
}

void Tstock::CancelClick()
{
    if (!m_states.editing())
        return;
    setHeaderMode(QStringLiteral("normal"));
    m_pages->setCurrentWidget(m_mainPage);
    m_toolBar->show();
    moveTo(m_numbers.size() - 1);
    m_partyCode->setFocus();
}

void Tstock::PartyCodeReturnPressed()
{
    if (!m_states.editing())
        return;
    const QString code = m_partyCode->text();
    if (code.isEmpty()) {
        PartySearchClick();
        return;
    }
    if (code == u"+")
        return;
    QVariantMap party;
    QString error;
    if (!m_store->readParty(false, code, &party, &error)) {
        Dialogs().error(this, error);
        return;
    }
    partyChosen(party);
    if (!party.isEmpty())
        m_date->setFocus();
}

void Tstock::partyChosen(const QVariantMap &party)
{
    m_party = party;
    if (party.isEmpty()) {
        Dialogs().message(this, StockMessages::partyNotFound());
        m_partyCode->clear();
        m_partyCode->setFocus();
        return;
    }
    m_header.insert(QStringLiteral("CUST_CRE"), party.value(QStringLiteral("CUST_CRE")));
    m_header.insert(QStringLiteral("CUST_DISC"), party.value(QStringLiteral("CUST_DISC")));
    if (m_states.mode() == u"add") {
        m_header.insert(QStringLiteral("REF_ORDER"), QString());
    } else {
        // An edit keeps what was typed so far.
        m_header.insert(QStringLiteral("INV_DATE"), m_date->text());
        m_header.insert(QStringLiteral("INV_TIME"), m_time->text());
        m_header.insert(QStringLiteral("REF_ORDER"), m_reference->text());
    }
    const QString employee = m_employee->currentText();
    displayDocument();
    if (m_states.mode() == u"edit")
        m_employee->setEditText(employee);
    else
        m_employee->setEditText(m_header.value(QStringLiteral("SALE_NAME")).toString());
    reloadLines();
}

void Tstock::PartySearchClick()
{
    if (!m_states.editing())
        return;
    m_toolBar->hide();
    m_pages->setCurrentWidget(m_partySearchPanel);
    m_partySearchPanel->open(RecordList(), -1);
}

void Tstock::partySearchChosen(bool byName, const QString &text)
{
    m_toolBar->show();
    m_pages->setCurrentWidget(m_mainPage);
    QVariantMap party;
    QString error;
    if (!m_store->readParty(byName, text, &party, &error)) {
        Dialogs().error(this, error);
        return;
    }
    partyChosen(party);
    if (party.isEmpty() || m_employees.isEmpty())
        return;
    m_employee->setCurrentIndex(0);
    EmployeeActivated(0);
    m_employee->setFocus();
}

void Tstock::PartySearchCancelClick()
{
    m_partySearchPanel->hide();
    m_toolBar->show();
    m_pages->setCurrentWidget(m_mainPage);
    m_partyCode->setFocus();
}

void Tstock::EmployeeActivated(int index)
{
    if (!m_states.editing() || index < 0)
        return;
    const QString name = m_employee->itemText(index);
    m_employee->setEditText(name);
    m_header.insert(QStringLiteral("SALE_NAME"), name);
    m_header.insert(QStringLiteral("SALE_NO"), m_employees.text(m_employees.findEqual(QStringLiteral("sale_name"), name),
                                                                QStringLiteral("sale_no")));
}

QVariantMap Tstock::headerToSave() const
{
    QVariantMap header = m_header;
    StockDocumentStore::takeParty(header, m_party, false);
    header.insert(QStringLiteral("INV_DATE"), m_date->text());
    header.insert(QStringLiteral("INV_TIME"), m_time->text());
    header.insert(QStringLiteral("REF_ORDER"), m_reference->text());
    header.insert(QStringLiteral("SALE_NAME"), m_employee->currentText());
    return header;
}

bool Tstock::askFirstNumber(QString *answer)
{
    QString value = FirstNumberDefault();
    // Closed without OK, the dialog gives its default.
    Dialogs().inputText(this, FirstNumberTitle(), FirstNumberPrompt(), value);
    const FirstNumberCheck check = CheckFirstNumber(value);
    for (const QString &message : check.messages)
        Dialogs().message(this, message);
    if (!check.valid) {
        Dialogs().message(this, CannotSaveMessage());
        return false;
    }
    *answer = value;
    return true;
}

StockWriteResult Tstock::insertWithNumbering(const QVariantMap &header, bool *stopped)
{
    *stopped = false;
    QString error;
    const std::optional<bool> hasDocuments = m_store->headHasDocuments(&error);
    if (!hasDocuments)
        return FailedWrite(error);
    // The question is asked before the write lock is taken; the store checks again under it.
    QString firstNumber;
    if (!*hasDocuments && !askFirstNumber(&firstNumber)) {
        *stopped = true;
        return {};
    }
    StockWriteResult inserted = m_store->insertHeader(header, firstNumber);
    if (inserted.status == StockWriteResult::Status::NeedsFirstNumber) {
        if (!askFirstNumber(&firstNumber)) {
            *stopped = true;
            return {};
        }
        inserted = m_store->insertHeader(header, firstNumber);
    }
    return inserted;
}

void Tstock::SaveClick()
{
    if (!m_states.editing() || !m_store)
        return;
    if (!IsValidDateText(m_date->text())) {
        Dialogs().message(this, StockMessages::wrongDate());
        return;
    }
    if (m_employee->currentText().isEmpty()) {
        Dialogs().message(this, StockMessages::wrongEmployee());
        return;
    }
    m_toolBar->show();
    m_pages->setCurrentWidget(m_mainPage);
    if (m_party.value(QStringLiteral("CUST_NO")).toString().trimmed().isEmpty()) {
        Dialogs().message(this, StockMessages::partyMissing());
        return;
    }
    const QVariantMap header = headerToSave();
    StockWriteResult saved;
    if (m_states.mode() == u"add") {
        bool stopped = false;
        saved = insertWithNumbering(header, &stopped);
        if (stopped)
            return;
    } else {
        saved = m_store->updateHeader(header);
    }
    if (!saved.done()) {
        // The entry stays as typed, so that the save can be repeated.
        reportWriteFailure(saved);
        return;
    }
    savedAt(saved.number);
}

void Tstock::savedAt(const QString &number)
{
    setHeaderMode(QStringLiteral("normal"));
    m_number->setFocus();
    QString error;
    if (!loadDocumentList(&error))
        Dialogs().error(this, error);
    const int row = m_numbers.findPrefix(QStringLiteral("inv_no"), number);
    if (row < 0)
        Dialogs().message(this, StockMessages::noData());
    moveTo(row >= 0 ? row : m_numbers.size() - 1);
}

void Tstock::reportWriteFailure(const StockWriteResult &result)
{
    using Status = StockWriteResult::Status;
    switch (result.status) {
    case Status::NumbersUsedUp:
        Dialogs().message(this, NumbersUsedUpMessage(m_store->head()));
        return;
    case Status::Missing:
        Dialogs().message(this, StockMessages::noData());
        return;
    case Status::HasLines:
        Dialogs().message(this, StockMessages::documentHasLines());
        return;
    case Status::NotEnoughStock:
        Dialogs().message(this, StockMessages::notEnoughStock());
        return;
    case Status::Done:
    case Status::NeedsFirstNumber:
    case Status::Failed:
        break;
    }
    Dialogs().message(this, StockMessages::locked());
}

void Tstock::DeleteClick()
{
    if (m_states.editing() || !m_headerShown)
        return;
    if (!Dialogs().askYesNo(this, StockMessages::confirmDeleteDocument()))
        return;
    if (!m_lines.isEmpty()) {
        Dialogs().message(this, StockMessages::documentHasLines());
    } else if (Dialogs().askYesNo(this, StockMessages::confirmDeleteAgain())) {
        const StockWriteResult deleted = m_store->deleteDocument(shownNumber());
        if (deleted.status == StockWriteResult::Status::HasLines)
            Dialogs().message(this, StockMessages::documentHasLines());
        else if (deleted.status == StockWriteResult::Status::Failed)
            Dialogs().error(this, deleted.error);
        QString error;
        if (!loadDocumentList(&error))
            Dialogs().error(this, error);
        moveTo(m_numbers.size() - 1);
    }
    setHeaderMode(QStringLiteral("normal"));
}

void Tstock::PrintClick()
{
    if (m_states.editing() || !m_store)
        return;
    SharedState &shared = Shared();
    shared.PrintDocKind = m_kind->mode;
    shared.PrintDocVariant = 1;
    PrintDocumentRequest(m_store->settings().line5, m_store->settings().view1, m_printOutput);
}

void Tstock::SearchClick()
{
    if (m_states.editing())
        return;
    m_toolBar->hide();
    m_documentListModel->setRows(m_numbers);
    if (m_row >= 0)
        m_documentList->setCurrentIndex(m_documentListModel->index(m_row, 0));
    m_pages->setCurrentIndex(1);
}

void Tstock::DocumentListBackClick()
{
    m_toolBar->show();
    m_pages->setCurrentWidget(m_mainPage);
}

void Tstock::QuitClick()
{
    close();
}

void Tstock::RefreshClick()
{
    if (m_states.editing() || !m_store)
        return;
    const QString shown = shownNumber();
    QString error;
    if (!loadDocumentList(&error))
        Dialogs().error(this, error);
    const int row = shown.isEmpty() ? -1 : m_numbers.findEqual(QStringLiteral("inv_no"), shown);
    moveTo(row >= 0 ? row : m_numbers.size() - 1);
}

void Tstock::NavigatorMove(int row)
{
    moveTo(row);
}

void Tstock::placeFloatingPanels()
{
    // Left 136, top 25 of the client area, as large as the window leaves room for.
    m_linePanel->setGeometry(136, 25, std::max(560, width() - 140), std::max(420, height() - 30));
    m_authorityPanel->move(std::max(0, (width() - m_authorityPanel->width()) / 2), std::max(0, (height() - m_authorityPanel->height()) / 2));
}

void Tstock::holdForLinePanel(bool held)
{
    m_states.setHeld(held);
    m_toolBar->setEnabled(!held);
    for (QPushButton *button : {m_lineAdd, m_lineDelete, m_lineEdit})
        button->setEnabled(!held && m_headerShown);
}

int Tstock::currentLine() const
{
    return m_grid->currentIndex().isValid() ? m_grid->currentIndex().row() : m_lines.size() - 1;
}

bool Tstock::needAuthority()
{
    if (m_editAuthority)
        return true;
    placeFloatingPanels();
    m_authorityPanel->open();
    return false;
}

void Tstock::LineAddClick()
{
    if (!m_headerShown || m_states.editing())
        return;
    holdForLinePanel(true);
    placeFloatingPanels();
    m_linePanel->openForAdd(shownNumber());
}

void Tstock::LineEditClick()
{
    if (!m_headerShown || m_states.editing() || !needAuthority())
        return;
    if (m_lines.isEmpty()) {
        Dialogs().message(this, StockMessages::nothingToCorrect());
        return;
    }
    // Every column of the line as it is stored now.
    QVariantMap line;
    QString error;
    if (!m_store->readLine(shownNumber(), m_lines.value(currentLine(), QStringLiteral("AUTO")).toLongLong(), &line, &error)) {
        Dialogs().error(this, error);
        return;
    }
    if (line.isEmpty()) {
        Dialogs().message(this, StockMessages::lineGone());
        reloadLines();
        return;
    }
    holdForLinePanel(true);
    placeFloatingPanels();
    m_linePanel->openForCorrection(shownNumber(), line);
}

void Tstock::LineDeleteClick()
{
    if (!m_headerShown || m_states.editing() || !needAuthority())
        return;
    if (m_lines.isEmpty()) {
        Dialogs().message(this, StockMessages::nothingToDelete());
        return;
    }
    if (!Dialogs().askYesNo(this, StockMessages::confirmDeleteLine()))
        return;
    const StockWriteResult deleted = m_store->deleteLine(shownNumber(), m_lines.value(currentLine(), QStringLiteral("AUTO")).toLongLong());
    if (deleted.status == StockWriteResult::Status::Missing)
        Dialogs().message(this, StockMessages::lineGone());
    else if (!deleted.done())
        reportWriteFailure(deleted);
    reloadLines();
}

void Tstock::linePanelClosed(bool saved)
{
    holdForLinePanel(false);
    if (!saved) {
        m_grid->setFocus();
        return;
    }
    reloadLines();
    m_lineAdd->setFocus();
}

bool Tstock::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const QModelIndex current = m_grid->currentIndex();
            if (current.isValid()) {
                const int column = current.column() + 1 >= kGridEnterColumns ? 0 : current.column() + 1;
                m_grid->setCurrentIndex(m_linesModel->index(current.row(), column));
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
