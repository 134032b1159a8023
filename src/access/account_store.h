#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

// An employee of the register as the account windows see it (sale.SALE_NO, sale.SALE_NAME).
struct Employee
{
    QString code;
    QString name;
};

// One row of market. The stored password is a salted digest; it never leaves this layer for a
// box on screen.
struct Account
{
    QString userName;     // USRNAME
    QString passwordHash; // PASSWD
    QString name;         // NAME, the greeting after login
    QVariant ac1;         // AC1 as stored: the level, possibly empty or out of range
    QString perNo;        // PER_NO, the employee's SALE_NO
};

// What the account editor writes. An empty newPassword on an existing account keeps its password.
struct AccountChange
{
    QString perNo;
    QString name;
    QString userName;
    QVariant ac1;
    QString newPassword;
};

// The result of checking a typed login name and password.
struct LoginOutcome
{
    bool found = false;           // an account answers to the typed name
    bool passwordMatches = false; // and the typed password is its password
    Account account;              // the account found (valid when found)
    int level = 0;                // the level the login gives: 0 unless the password matches
    std::optional<Employee> employee; // the account's employee, looked up after a good password
};

// Reads and writes the accounts (market) and looks up their employees (sale) on one connection.
// Returns values or an error text; never shows anything.
class AccountStore
{
public:
    enum class SaveResult {
        Saved,
        DuplicateName, // the store refused the user name because another account has it
        Failed,
    };

    explicit AccountStore(QSqlDatabase db);

    // Every account in the order of the user names.
    bool accounts(QList<Account> *out, QString *error) const;
    bool userNames(QStringList *out, QString *error) const;

    // The account a typed login name selects among accounts, or -1. Names are compared ignoring
    // letter case (Qt's Unicode case folding, so it holds beyond ASCII; Thai has no case). Should
    // the store hold names that differ only in case, the one spelt exactly as typed wins, else the
    // first in order.
    static int findLoginName(const QList<Account> &accounts, const QString &typedName);

    // Finds the account of typedName and verifies typedPassword against it exactly (case and
    // blanks count, nothing is trimmed). After a good password the level and the employee are
    // filled in.
    bool login(const QString &typedName, const QString &typedPassword, LoginOutcome *out,
               QString *error) const;

    // The employee with this code, if any.
    bool findEmployee(const QString &code, std::optional<Employee> *out, QString *error) const;
    // Every employee, for the employee search list.
    bool employees(QList<Employee> *out, QString *error) const;

    // Both write in one transaction. A new account needs a password; the caller checks that.
    SaveResult addAccount(const AccountChange &change, QString *error) const;
    SaveResult updateAccount(const QString &originalUserName, const AccountChange &change,
                             QString *error) const;

    // Gives the account with exactly this user name a new password and nothing else; for the
    // reset-password command, which is how a shop that lost its administrator's password gets
    // back in. False with the error text when no account has the name or the store refuses.
    bool setPassword(const QString &userName, const QString &newPassword, QString *error) const;

private:
    SaveResult write(const QStringList &statement, const QString &originalUserName,
                     const AccountChange &change, const QString &passwordHash, QString *error) const;

    QSqlDatabase m_db;
};
