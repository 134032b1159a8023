#include "access/edit_authority.h"

#include "access/login_rights.h"
#include "db/passwords.h"
#include "db/sql_statement.h"

EditAuthority::Result EditAuthority::check(QSqlDatabase db, const QString &userName, const QString &password,
                                           QString *error)
{
    const QString name = userName.trimmed();
    const QString typedPassword = password.trimmed();
    if (name.isEmpty())
        return Result::Refused;
    SqlStatement select(db, {QStringLiteral(" select usrname, passwd , ac1 from market "),
                             QStringLiteral(" where usrname =:pusrname ")});
    select.bind(QStringLiteral("pusrname"), name);
    if (!select.exec(error))
        return Result::Failed;
    QSqlQuery &q = select.query();
    while (q.next()) {
        // An account without a valid level (empty, 0, 6 ...) logs in with no rights; it carries
        // no authority either.
        if (levelAllows(LevelFromAc1(q.value(2))) && VerifyPassword(typedPassword, q.value(1).toString()))
            return Result::Granted;
    }
    return Result::Refused;
}
