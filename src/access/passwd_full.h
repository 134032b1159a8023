#pragma once

#include "access/account_store.h"
#include "access/login_throttle.h"

#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

class Connection;
class EnterMovesFocus;
class ModeIndicator;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QToolButton;

// The login window: log in and out, and for the administrator the account editor. A login sets
// CurrentUserLevel and the rights of the main menu through CurrentMainMenu().
class Tpasswd_full : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kHeight = 337;
    static constexpr int kHeightWithSearch = 513;

    explicit Tpasswd_full(QWidget *parent = nullptr);
    ~Tpasswd_full() override;

    static QString caption();
    // Asked after a login with the password the caption announces, until it is changed.
    static QString defaultPasswordQuestion();
    QString mode() const;

public slots:
    // Login part.
    void LoginClick();
    void GoToWorkClick();
    void LogoutClick();
    void LockTimerTimeout();
    // Account editor.
    void AddClick();
    void PriorClick();
    void NextClick();
    void EditClick();
    void SaveClick();
    void CancelClick();
    void LevelClick(int level);
    // Employee search.
    void FindClick();
    void SearchByToggle(int id, bool checked);
    void SearchTextReturnPressed();
    void CloseSearchClick();

private:
    void buildLayout();
    QWidget *buildLoginPart();
    QWidget *buildAdminPart();
    QWidget *buildSearchPart();

    void loginFailed();
    void refreshLoginPause();
    void offerNewPassword();
    void applyRights(int level);
    void showAdminPart(bool shown);
    bool loadAccounts(const QString &currentUserName);
    void showAccount();
    void showLevel(const QVariant &ac1);
    void setMode(const QString &mode);
    void setNormalStates();
    void setEditingStates();
    void setSearchStates();
    void setEditorEditable(bool editable);
    void closeSearchPart();
    void setWindowHeight(int height);
    bool storeReady();

    // Data.
    std::unique_ptr<Connection> m_connection;
    QString m_connectionError;
    std::optional<AccountStore> m_store;
    QList<Account> m_accounts;
    int m_current = -1;
    QList<Employee> m_employees;
    QString m_loggedInName;       // USRNAME of the account that logged in
    QString m_editedOriginalName; // USRNAME of the row being edited
    QString m_heldName;           // NAME of the row being edited
    QVariant m_editedLevel;       // AC1 of the row being edited
    LoginThrottle &m_throttle = LoginThrottle::shared();
    QTimer m_lockTimer; // runs while the typed name rests, to count the seconds down

    // Login part.
    QLineEdit *m_loginName = nullptr;
    QLineEdit *m_password = nullptr;
    QPushButton *m_login = nullptr;
    QLabel *m_loginPause = nullptr; // the seconds the typed name still rests
    QLabel *m_hello1 = nullptr;
    QLabel *m_hello2 = nullptr;
    QPushButton *m_goToWork = nullptr;
    QPushButton *m_logout = nullptr;

    // Account editor.
    QWidget *m_adminPart = nullptr;
    QPushButton *m_add = nullptr;
    QToolButton *m_prior = nullptr;
    QToolButton *m_next = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_cancel = nullptr;
    ModeIndicator *m_mode = nullptr;
    QLineEdit *m_employeeCode = nullptr;
    QPushButton *m_find = nullptr;
    QLineEdit *m_employeeName = nullptr;
    QWidget *m_levelBox = nullptr;
    QButtonGroup *m_levels = nullptr;
    QLineEdit *m_userName = nullptr;
    QLineEdit *m_newPassword = nullptr;
    QLineEdit *m_passwordAgain = nullptr;

    // Employee search.
    QWidget *m_searchPart = nullptr;
    QButtonGroup *m_searchBy = nullptr;
    QLineEdit *m_searchText = nullptr;
    QPushButton *m_closeSearch = nullptr;
    QTableWidget *m_employeeList = nullptr;

    EnterMovesFocus *m_enter = nullptr;
};
