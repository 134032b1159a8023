#include "access/passwd_full.h"

#include "access/login_rights.h"
#include "common/shared_state.h"
#include "db/data_connection.h"
#include "db/data_folder.h"
#include "ui/dialogs.h"
#include "ui/main_menu.h"
#include "ui/mode_indicator.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

namespace {

const QString kNoEmployee = QStringLiteral("ยังไม่ได้กำหนดพนักงาน...");
const QString kDuplicateName = QStringLiteral("มี Username นี้อยู่แล้ว กรุณาเปลี่ยนใหม่...");
const QString kPasswordsDiffer = QStringLiteral("รหัสไม่เหมือนกัน ลองอีกครั้ง");
const QString kPasswordNeeded = QStringLiteral("กรุณากำหนดรหัสผ่าน");
const QString kLoginPause = QStringLiteral("รออีก %1 วินาที");

} // namespace

Tpasswd_full::Tpasswd_full(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Tpasswd_full"));
    setWindowTitle(caption());
    buildLayout();
    // Opens near the top left corner of the main window's client area.
    move(100, 10);
    m_lockTimer.setObjectName(QStringLiteral("LockTimer"));
    m_lockTimer.setParent(this);
    m_lockTimer.setSingleShot(true);
    m_lockTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_lockTimer, &QTimer::timeout, this, &Tpasswd_full::LockTimerTimeout);

    m_connection = OpenDataConnection(&m_connectionError);
    if (m_connection)
        m_store.emplace(m_connection->database());
    else
        Dialogs().error(nullptr, m_connectionError);

    // The state of the first activation.
    setMode(QStringLiteral("normal"));
    m_searchBy->button(0)->setChecked(true);
    m_searchText->clear();
    m_find->setEnabled(false);
    m_searchPart->hide();
    refreshLoginPause(); // a name may still rest from a window closed a moment ago
    m_adminPart->hide();
    m_hello1->clear();
    m_hello2->clear();
    m_goToWork->hide();
    m_loginName->setFocus();
}

Tpasswd_full::~Tpasswd_full() = default;

QString Tpasswd_full::caption()
{
    return QStringLiteral(" รหัสผ่าน  Login Name : admin    Password : 9806");
}

QString Tpasswd_full::defaultPasswordQuestion()
{
    return QStringLiteral("รหัสผ่านนี้ยังเป็นรหัสเริ่มต้นที่แสดงอยู่บนหัวหน้าต่าง Login ใครก็เข้าระบบได้\n"
                          "ต้องการตั้งรหัสผ่านใหม่ตอนนี้หรือไม่ ?");
}

QString Tpasswd_full::mode() const
{
    return m_mode->mode();
}

bool Tpasswd_full::storeReady()
{
    if (m_store)
        return true;
    Dialogs().error(this, m_connectionError);
    return false;
}

// ---- Login part ----

void Tpasswd_full::LoginClick()
{
    // The button rests while the typed name does; a press that still arrives does nothing.
    if (m_throttle.remainingPause(m_loginName->text()) > 0)
        return refreshLoginPause();
    SharedState &shared = Shared();
    shared.CurrentUserLevel = 0;
    LoginOutcome outcome;
    QString error;
    if (!storeReady())
        return applyRights(0);
    if (!m_store->login(m_loginName->text(), m_password->text(), &outcome, &error)) {
        Dialogs().error(this, error);
        return applyRights(0);
    }
    if (!outcome.passwordMatches) {
        // No message: an unknown name and a wrong password look the same.
        loginFailed();
        return applyRights(0);
    }

    m_throttle.recordSuccess(m_loginName->text());
    shared.CurrentUserLevel = outcome.level;
    m_loggedInName = outcome.account.userName;
    if (!outcome.employee) {
        m_hello1->clear();
        m_hello2->clear();
        m_goToWork->hide();
        Dialogs().message(this, kNoEmployee);
    } else {
        m_hello2->setText(outcome.employee->code + QStringLiteral(" : ") + outcome.employee->name);
        m_logout->setEnabled(true);
        m_goToWork->show();
        m_hello1->setText(QStringLiteral("Hello ") + outcome.account.name);
        m_goToWork->setFocus();
    }
    applyRights(outcome.level);
    if (MaintainsAccounts(outcome.level) && m_password->text() == QString::fromUtf16(kAdminPassword))
        offerNewPassword();
}

void Tpasswd_full::offerNewPassword()
{
    // The caption tells everyone this password. The account part shows the account that logged
    // in; a Yes opens it for editing with the focus on the new password.
    if (!Dialogs().askYesNo(this, defaultPasswordQuestion()))
        return;
    EditClick();
    if (ModeIndicator::isEditing(mode()))
        m_newPassword->setFocus();
}

void Tpasswd_full::loginFailed()
{
    // The greeting of an earlier login goes too: its rights are withdrawn.
    m_loggedInName.clear();
    m_hello1->clear();
    m_hello2->clear();
    m_goToWork->hide();
    m_loginName->setFocus();
    m_throttle.recordFailure(m_loginName->text());
    refreshLoginPause();
}

void Tpasswd_full::LockTimerTimeout()
{
    refreshLoginPause();
}

void Tpasswd_full::refreshLoginPause()
{
    const qint64 remaining = m_throttle.remainingPause(m_loginName->text());
    m_login->setEnabled(remaining == 0);
    if (remaining == 0) {
        m_lockTimer.stop();
        m_loginPause->clear();
        return;
    }
    m_loginPause->setText(kLoginPause.arg((remaining + 999) / 1000));
    // Wakes when the whole seconds shown go down by one.
    const qint64 toNextSecond = remaining % 1000;
    m_lockTimer.start(int(toNextSecond > 0 ? toNextSecond : 1000));
}

void Tpasswd_full::applyRights(int level)
{
    if (MainMenu *menu = CurrentMainMenu())
        ApplyLoginRights(*menu, level);
    showAdminPart(MaintainsAccounts(level));
}

void Tpasswd_full::GoToWorkClick()
{
    m_loginName->clear();
    m_password->clear();
    close();
}

void Tpasswd_full::LogoutClick()
{
    if (MainMenu *menu = CurrentMainMenu())
        menu->setLoggedOutState();
    Shared().CurrentUserLevel = 0;
    showAdminPart(false);
    close();
}

// ---- Account editor ----

void Tpasswd_full::showAdminPart(bool shown)
{
    // An edit in progress is dropped with the rights that allowed it.
    if (ModeIndicator::isEditing(mode()))
        CancelClick();
    if (!shown) {
        m_adminPart->hide();
        return;
    }
    setMode(QStringLiteral("normal"));
    setNormalStates();
    m_adminPart->show();
    // The editor starts on the account that logged in.
    loadAccounts(m_loggedInName);
}

bool Tpasswd_full::loadAccounts(const QString &currentUserName)
{
    QString error;
    if (!storeReady())
        return false;
    if (!m_store->accounts(&m_accounts, &error)) {
        Dialogs().error(this, error);
        return false;
    }
    m_current = m_accounts.isEmpty() ? -1 : 0;
    for (int i = 0; i < m_accounts.size(); ++i) {
        if (m_accounts.at(i).userName == currentUserName)
            m_current = i;
    }
    showAccount();
    return true;
}

void Tpasswd_full::showAccount()
{
    const Account account = m_current >= 0 && m_current < m_accounts.size() ? m_accounts.at(m_current) : Account();
    m_employeeCode->setText(account.perNo);
    std::optional<Employee> employee;
    QString error;
    if (!account.perNo.isEmpty() && m_store && !m_store->findEmployee(account.perNo, &employee, &error))
        Dialogs().error(this, error);
    m_employeeName->setText(employee ? employee->name : QString());
    m_userName->setText(account.userName);
    // A stored password is never shown; a new one is typed into the empty boxes.
    m_newPassword->clear();
    m_passwordAgain->clear();
    showLevel(account.ac1);
}

void Tpasswd_full::showLevel(const QVariant &ac1)
{
    const int level = LevelFromAc1(ac1);
    m_levels->setExclusive(false);
    for (QAbstractButton *button : m_levels->buttons())
        button->setChecked(m_levels->id(button) == level);
    m_levels->setExclusive(true);
    QAbstractButton *checked = m_levels->button(level >= 1 ? level : 1);
    m_levelBox->setFocusProxy(checked);
}

void Tpasswd_full::setMode(const QString &mode)
{
    m_mode->setMode(mode);
}

void Tpasswd_full::setNormalStates()
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_add, m_edit, m_prior, m_next})
        w->setEnabled(true);
    for (QWidget *w : std::initializer_list<QWidget *>{m_save, m_cancel, m_find})
        w->setEnabled(false);
    setEditorEditable(false);
}

void Tpasswd_full::setEditingStates()
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_add, m_edit, m_prior, m_next})
        w->setEnabled(false);
    for (QWidget *w : std::initializer_list<QWidget *>{m_save, m_cancel, m_find})
        w->setEnabled(true);
    setEditorEditable(true);
}

void Tpasswd_full::setSearchStates()
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_add, m_edit, m_save, m_cancel, m_find, m_prior, m_next})
        w->setEnabled(false);
}

void Tpasswd_full::setEditorEditable(bool editable)
{
    for (QLineEdit *edit : {m_userName, m_newPassword, m_passwordAgain})
        edit->setReadOnly(!editable);
    for (QAbstractButton *button : m_levels->buttons())
        button->setEnabled(editable);
}

void Tpasswd_full::AddClick()
{
    setEditingStates();
    setMode(QStringLiteral("add"));
    m_editedOriginalName.clear();
    m_heldName.clear();
    m_editedLevel = 5;
    showLevel(m_editedLevel);
    m_employeeCode->clear();
    m_employeeName->clear();
    m_userName->clear();
    m_newPassword->clear();
    m_passwordAgain->clear();
    m_employeeCode->setFocus();
}

void Tpasswd_full::PriorClick()
{
    if (m_current > 0) {
        --m_current;
        showAccount();
    }
}

void Tpasswd_full::NextClick()
{
    if (m_current + 1 < m_accounts.size()) {
        ++m_current;
        showAccount();
    }
}

void Tpasswd_full::EditClick()
{
    if (m_current < 0 || m_current >= m_accounts.size())
        return;
    const Account &account = m_accounts.at(m_current);
    setEditingStates();
    setMode(QStringLiteral("edit"));
    m_editedOriginalName = account.userName;
    m_heldName = account.name;
    m_editedLevel = account.ac1;
    m_userName->setText(account.userName);
    m_newPassword->clear();
    m_passwordAgain->clear();
    m_employeeCode->setFocus();
}

void Tpasswd_full::LevelClick(int level)
{
    m_editedLevel = level;
    m_levelBox->setFocusProxy(m_levels->button(level));
}

void Tpasswd_full::SaveClick()
{
    const bool adding = mode() == u"add";
    if (!ModeIndicator::isEditing(mode()) || !storeReady())
        return;
    QStringList names;
    QString error;
    if (!m_store->userNames(&names, &error)) {
        Dialogs().error(this, error);
        return;
    }
    const QString userName = m_userName->text();
    if (userName.isEmpty())
        return;
    if (adding && names.contains(userName, Qt::CaseSensitive)) {
        Dialogs().message(this, kDuplicateName);
        return;
    }
    if (m_newPassword->text() != m_passwordAgain->text()) {
        Dialogs().message(this, kPasswordsDiffer);
        m_newPassword->setFocus();
        return;
    }
    // A new account never gets an empty password; an existing one keeps its own when both boxes
    // are left empty.
    if (adding && m_newPassword->text().isEmpty()) {
        Dialogs().message(this, kPasswordNeeded);
        m_newPassword->setFocus();
        return;
    }

    const AccountChange change{m_employeeCode->text(), m_heldName, userName, m_editedLevel, m_newPassword->text()};
    const AccountStore::SaveResult result = adding ? m_store->addAccount(change, &error)
                                                   : m_store->updateAccount(m_editedOriginalName, change, &error);
    switch (result) {
    case AccountStore::SaveResult::Saved:
        setNormalStates();
        setMode(QStringLiteral("normal"));
        loadAccounts(userName);
        return;
    case AccountStore::SaveResult::DuplicateName:
        Dialogs().error(this, QStringLiteral("บันทึกไม่ได้ : ") + kDuplicateName + QStringLiteral("\n\n") + error);
        m_userName->setFocus();
        return;
    case AccountStore::SaveResult::Failed:
        Dialogs().error(this, QStringLiteral("บันทึกข้อมูลผู้ใช้ไม่ได้\n\n") + error);
        return;
    }
}

void Tpasswd_full::CancelClick()
{
    if (!m_searchPart->isHidden())
        closeSearchPart();
    setNormalStates();
    setMode(QStringLiteral("normal"));
    showAccount();
}

// ---- Employee search ----

void Tpasswd_full::FindClick()
{
    if (!storeReady())
        return;
    QString error;
    if (!m_store->employees(&m_employees, &error)) {
        Dialogs().error(this, error);
        return;
    }
    setWindowHeight(kHeightWithSearch);
    setSearchStates();
    m_employeeList->setRowCount(0);
    m_employeeList->setRowCount(m_employees.size());
    int current = -1;
    for (int row = 0; row < m_employees.size(); ++row) {
        const Employee &e = m_employees.at(row);
        m_employeeList->setItem(row, 0, new QTableWidgetItem(e.code));
        m_employeeList->setItem(row, 1, new QTableWidgetItem(e.name));
        if (current < 0 && e.code.compare(m_employeeCode->text(), Qt::CaseInsensitive) == 0)
            current = row;
    }
    if (!m_employees.isEmpty())
        m_employeeList->setCurrentCell(current >= 0 ? current : 0, 0);
    m_searchPart->show();
    m_searchText->setFocus();
}

void Tpasswd_full::SearchByToggle(int, bool checked)
{
    if (!checked)
        return;
    m_searchText->clear();
    m_searchText->setFocus();
}

void Tpasswd_full::SearchTextReturnPressed()
{
    const bool byCode = m_searchBy->checkedId() == 0;
    const QString text = m_searchText->text();
    for (int row = 0; row < m_employees.size(); ++row) {
        const Employee &e = m_employees.at(row);
        if ((byCode ? e.code : e.name).startsWith(text)) {
            m_employeeList->setCurrentCell(row, 0);
            break;
        }
    }
    m_closeSearch->setFocus();
}

void Tpasswd_full::CloseSearchClick()
{
    const int row = m_employeeList->currentRow();
    if (row >= 0 && row < m_employees.size()) {
        m_employeeCode->setText(m_employees.at(row).code);
        m_employeeName->setText(m_employees.at(row).name);
    }
    for (QWidget *w : std::initializer_list<QWidget *>{m_find, m_save, m_cancel})
        w->setEnabled(true);
    // The focus goes on to the account's next box before the search part, which holds it, is
    // hidden; left to itself it would wander to "Login Name" and select its text.
    m_userName->setFocus();
    closeSearchPart();
}

void Tpasswd_full::closeSearchPart()
{
    m_searchPart->hide();
    m_employeeList->setRowCount(0);
    setWindowHeight(kHeight);
}

void Tpasswd_full::setWindowHeight(int height)
{
    const int change = height - this->height();
    setFixedHeight(height);
    // Inside the main window the frame grows and shrinks with the window; it is as fixed in size
    // as the window itself.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->setFixedSize(frame->width(), frame->height() + change);
}
