#pragma once

#include <QSqlDatabase>
#include <QString>

// The check behind "เข้าใช้งาน" of the stock document window: may the person at the keyboard
// correct or delete document lines? Authority goes to the user name and password of an account of
// level 1, 2 or 3. Both typed texts are trimmed of leading and trailing blanks, and the user name
// is compared exactly (letter case and blanks count) with the stored name as it is — unlike the
// login's name test, which ignores case. The password is verified against the stored digest.
class EditAuthority
{
public:
    enum class Result {
        Granted,
        Refused, // unknown name, wrong password, or an account below level 3
        Failed,  // the store could not be read; see the error text
    };

    static Result check(QSqlDatabase db, const QString &userName, const QString &password, QString *error);

    // The message of a refusal.
    static QString refusedMessage() { return QStringLiteral("ข้อมูลไม่ถูกต้อง..."); }
    // Whether a level (CurrentUserLevel or an account's) carries edit authority by itself.
    static bool levelAllows(int level) { return level >= 1 && level <= 3; }
};
