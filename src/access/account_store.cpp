#include "access/account_store.h"

#include "access/login_rights.h"
#include "db/passwords.h"
#include "db/sql_statement.h"
#include "engine/transaction.h"

#include <QSqlError>

namespace {

// SQLite's result code for a refused constraint (plain and extended unique-key forms).
bool isConstraintRefusal(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    return code == u"19" || code == u"2067" || code == u"1555"
           || error.databaseText().contains(QStringLiteral("UNIQUE"), Qt::CaseInsensitive);
}

QString missingAccount(const QString &userName)
{
    return QStringLiteral("The account \"%1\" is no longer in the table").arg(userName);
}

} // namespace

AccountStore::AccountStore(QSqlDatabase db)
    : m_db(std::move(db))
{
}

bool AccountStore::accounts(QList<Account> *out, QString *error) const
{
    SqlStatement select(m_db, {QStringLiteral(" select usrname, passwd, name, ac1, per_no from market "),
                               QStringLiteral(" order by usrname ")});
    if (!select.exec(error))
        return false;
    out->clear();
    QSqlQuery &q = select.query();
    while (q.next())
        out->append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3),
                     q.value(4).toString()});
    return true;
}

bool AccountStore::userNames(QStringList *out, QString *error) const
{
    SqlStatement select(m_db, {QStringLiteral("select usrname from market ")});
    if (!select.exec(error))
        return false;
    out->clear();
    while (select.query().next())
        out->append(select.query().value(0).toString());
    return true;
}

int AccountStore::findLoginName(const QList<Account> &accounts, const QString &typedName)
{
    int firstIgnoringCase = -1;
    for (int i = 0; i < accounts.size(); ++i) {
        const QString &stored = accounts.at(i).userName;
        if (stored == typedName)
            return i;
        if (firstIgnoringCase < 0 && stored.compare(typedName, Qt::CaseInsensitive) == 0)
            firstIgnoringCase = i;
    }
    return firstIgnoringCase;
}

bool AccountStore::login(const QString &typedName, const QString &typedPassword, LoginOutcome *out,
                         QString *error) const
{
    *out = LoginOutcome();
    QList<Account> all;
    if (!accounts(&all, error))
        return false;
    const int row = findLoginName(all, typedName);
    if (row < 0)
        return true;
    out->found = true;
    out->account = all.at(row);
    out->passwordMatches = VerifyPassword(typedPassword, out->account.passwordHash);
    if (!out->passwordMatches)
        return true;
    out->level = LevelFromAc1(out->account.ac1);
    return findEmployee(out->account.perNo, &out->employee, error);
}

bool AccountStore::findEmployee(const QString &code, std::optional<Employee> *out, QString *error) const
{
    SqlStatement select(m_db, {QStringLiteral(" select sale_no, sale_name from sale "),
                               QStringLiteral(" where sale_no =:q_sale_no "),
                               QStringLiteral(" order by sale_no ")});
    select.bind(QStringLiteral("q_sale_no"), code);
    if (!select.exec(error))
        return false;
    out->reset();
    if (select.query().next())
        *out = Employee{select.query().value(0).toString(), select.query().value(1).toString()};
    return true;
}

bool AccountStore::employees(QList<Employee> *out, QString *error) const
{
    SqlStatement select(m_db, {QStringLiteral(" select sale_no, sale_name from sale "),
                               QStringLiteral(" order by sale_no ")});
    if (!select.exec(error))
        return false;
    out->clear();
    while (select.query().next())
        out->append({select.query().value(0).toString(), select.query().value(1).toString()});
    return true;
}

AccountStore::SaveResult AccountStore::addAccount(const AccountChange &change, QString *error) const
{
    // Hash before the write lock is taken: the digest takes a noticeable moment.
    const QString hash = HashPassword(change.newPassword);
    return write({QStringLiteral(" insert into market (usrname, passwd, name, ac1, per_no) "),
                  QStringLiteral(" values (:pusrname, :ppasswd, :pname, :pac1, :pper_no) ")},
                 QString(), change, hash, error);
}

AccountStore::SaveResult AccountStore::updateAccount(const QString &originalUserName, const AccountChange &change,
                                                     QString *error) const
{
    // AC2 ... AC30 and POSITION are left as they are.
    if (change.newPassword.isEmpty())
        return write({QStringLiteral(" update market set usrname = :pusrname, name = :pname, "),
                      QStringLiteral(" ac1 = :pac1, per_no = :pper_no "),
                      QStringLiteral(" where usrname = :pold_usrname ")},
                     originalUserName, change, QString(), error);
    const QString hash = HashPassword(change.newPassword);
    return write({QStringLiteral(" update market set usrname = :pusrname, passwd = :ppasswd, name = :pname, "),
                  QStringLiteral(" ac1 = :pac1, per_no = :pper_no "),
                  QStringLiteral(" where usrname = :pold_usrname ")},
                 originalUserName, change, hash, error);
}

bool AccountStore::setPassword(const QString &userName, const QString &newPassword, QString *error) const
{
    const QString hash = HashPassword(newPassword);
    Transaction transaction(m_db);
    if (!transaction.begin(Transaction::Mode::Immediate, error))
        return false;
    SqlStatement update(m_db, {QStringLiteral(" update market set passwd = :ppasswd "),
                               QStringLiteral(" where usrname = :pusrname ")});
    update.bind(QStringLiteral("ppasswd"), hash).bind(QStringLiteral("pusrname"), userName);
    if (!update.exec(error))
        return false;
    if (update.query().numRowsAffected() != 1) {
        if (error)
            *error = missingAccount(userName);
        return false;
    }
    return transaction.commit(error);
}

AccountStore::SaveResult AccountStore::write(const QStringList &statement, const QString &originalUserName,
                                             const AccountChange &change, const QString &passwordHash,
                                             QString *error) const
{
    Transaction transaction(m_db);
    if (!transaction.begin(Transaction::Mode::Immediate, error))
        return SaveResult::Failed;
    SqlStatement write(m_db, statement);
    write.bind(QStringLiteral("pusrname"), change.userName)
        .bind(QStringLiteral("pname"), change.name)
        .bind(QStringLiteral("pac1"), change.ac1)
        .bind(QStringLiteral("pper_no"), change.perNo);
    if (!passwordHash.isEmpty())
        write.bind(QStringLiteral("ppasswd"), passwordHash);
    if (!originalUserName.isEmpty())
        write.bind(QStringLiteral("pold_usrname"), originalUserName);
    if (!write.exec(error))
        return isConstraintRefusal(write.query().lastError()) ? SaveResult::DuplicateName : SaveResult::Failed;
    if (!originalUserName.isEmpty() && write.query().numRowsAffected() != 1) {
        if (error)
            *error = missingAccount(originalUserName);
        return SaveResult::Failed;
    }
    return transaction.commit(error) ? SaveResult::Saved : SaveResult::Failed;
}
