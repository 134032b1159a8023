#include "app/reset_password_command.h"

#include "app/command_output.h"

#include "access/account_store.h"
#include "app/app_path.h"
#include "db/data_connection.h"
#include "db/schema.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

int fail(const QString &thai, const QString &english)
{
    return FailCommand("reset-password", thai, english);
}

int badUsage(const QString &why = {})
{
    return BadUsage("reset-password", why, QStringLiteral("Usage:\n") + ResetPasswordUsage());
}

// One line of standard input without its line break; false at the end of the input.
bool readLine(QString *line)
{
    std::string text;
    if (!std::getline(std::cin, text))
        return false;
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    *line = QString::fromUtf8(text.data(), qsizetype(text.size()));
    return true;
}

// Turns off the echo of the terminal on standard input while it lives (the line break still
// shows). What was typed ahead before is dropped.
class HiddenTyping
{
public:
    HiddenTyping()
    {
        m_active = tcgetattr(STDIN_FILENO, &m_saved) == 0;
        if (!m_active)
            return;
        termios hidden = m_saved;
        hidden.c_lflag &= ~tcflag_t(ECHO);
        hidden.c_lflag |= ECHONL;
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden);
    }
    ~HiddenTyping()
    {
        if (m_active)
            tcsetattr(STDIN_FILENO, TCSANOW, &m_saved);
    }
    HiddenTyping(const HiddenTyping &) = delete;
    HiddenTyping &operator=(const HiddenTyping &) = delete;

private:
    termios m_saved{};
    bool m_active = false;
};

bool ask(const QString &prompt, QString *typed)
{
    ErrorStream() << prompt << Qt::flush;
    return readLine(typed);
}

} // namespace

QString ResetPasswordUsage()
{
    return QStringLiteral("  larderon reset-password DATA_DIR USER [--stdin]\n"
                          "                                         give the account USER a new password, typed twice\n"
                          "                                         on the terminal, or one line read from standard input");
}

int ResetPasswordCommand(const QStringList &arguments)
{
    QStringList rest = arguments;
    if (rest.contains(QStringLiteral("--help")) || rest.contains(QStringLiteral("-h"))) {
        QTextStream(stdout) << "Usage:\n" << ResetPasswordUsage() << Qt::endl;
        return 0;
    }
    const bool fromStdin = rest.removeAll(QStringLiteral("--stdin")) > 0;
    if (rest.size() != 2 || rest.at(0).startsWith(QLatin1String("--")) || rest.at(1).startsWith(QLatin1String("--")))
        return badUsage();
    if (!fromStdin && !isatty(STDIN_FILENO))
        return badUsage(QStringLiteral("standard input is not a terminal; give the password on it with --stdin"));
    const QString folder = QDir(rest.at(0)).absolutePath() + QLatin1Char('/');
    const QString typedName = rest.at(1);

    QString error;
    if (!UseDataFolder(folder, &error))
        return fail(QStringLiteral("ไม่พบฐานข้อมูลในโฟลเดอร์ %1").arg(rest.at(0)), error);
    const std::unique_ptr<Connection> connection = OpenDataConnection(&error);
    if (!connection)
        return fail(QStringLiteral("เปิดฐานข้อมูลไม่ได้"), QStringLiteral("cannot open the database: %1").arg(error));
    const AccountStore store(connection->database());
    QList<Account> accounts;
    if (!store.accounts(&accounts, &error))
        return fail(QStringLiteral("อ่านรายชื่อผู้ใช้ไม่ได้"), QStringLiteral("cannot read the accounts: %1").arg(error));
    // The account the login window would find for the typed name.
    const int row = AccountStore::findLoginName(accounts, typedName);
    if (row < 0)
        return fail(QStringLiteral("ไม่พบผู้ใช้ %1").arg(typedName), QStringLiteral("no account is named '%1'").arg(typedName));
    const QString userName = accounts.at(row).userName;

    QString password;
    if (fromStdin) {
        if (!readLine(&password))
            return fail(QStringLiteral("ไม่ได้รับรหัสผ่าน"), QStringLiteral("standard input holds no password"));
    } else {
        const HiddenTyping hidden;
        QString again;
        if (!ask(QStringLiteral("รหัสผ่านใหม่ของ %1 (new password): ").arg(userName), &password)
            || !ask(QStringLiteral("รหัสผ่านอีกครั้ง (the same again): "), &again))
            return fail(QStringLiteral("ไม่ได้รับรหัสผ่าน"), QStringLiteral("the terminal gave no password"));
        if (password != again)
            return fail(QStringLiteral("รหัสไม่เหมือนกัน ลองอีกครั้ง"), QStringLiteral("the two passwords differ"));
    }
    // The login window's password box takes no more than the column's width.
    const int longest = ColumnWidth(QStringLiteral("market"), QStringLiteral("PASSWD"));
    if (password.isEmpty())
        return fail(QStringLiteral("กรุณากำหนดรหัสผ่าน"), QStringLiteral("the password is empty"));
    if (password.size() > longest)
        return fail(QStringLiteral("รหัสผ่านยาวเกิน %1 ตัวอักษร").arg(longest),
                    QStringLiteral("the password is longer than the %1 characters the login window takes").arg(longest));

    if (!store.setPassword(userName, password, &error))
        return fail(QStringLiteral("บันทึกรหัสผ่านไม่ได้"), QStringLiteral("cannot save the password: %1").arg(error));
    QTextStream(stdout) << "เปลี่ยนรหัสผ่านของ " << userName << " แล้ว (the password of '" << userName
                        << "' is changed)" << Qt::endl;
    return 0;
}
