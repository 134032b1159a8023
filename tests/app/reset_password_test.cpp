// larderon reset-password, run as the shop would run it on a fresh data folder: the password from
// standard input, and typed twice on a terminal.
#include "access/account_store.h"
#include "db/data_connection.h"
#include "temp_data_folder.h"

#include <QDeadlineTimer>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

struct CommandRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// A pseudo-terminal: the command reads the slave as its standard input, the test types on the
// master.
class Terminal
{
public:
    Terminal()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0)
            m_slave = QString::fromLocal8Bit(ptsname(m_master));
    }
    ~Terminal()
    {
        if (m_master >= 0)
            close(m_master);
    }
    Terminal(const Terminal &) = delete;
    Terminal &operator=(const Terminal &) = delete;

    bool ok() const { return !m_slave.isEmpty(); }
    const QString &slave() const { return m_slave; }
    void type(const QByteArray &line) { ASSERT_EQ(write(m_master, line.constData(), size_t(line.size())), line.size()); }
    // What the terminal showed back of the typing.
    QByteArray shown()
    {
        fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
        QByteArray all;
        char buffer[256];
        for (ssize_t n; (n = read(m_master, buffer, sizeof buffer)) > 0;)
            all.append(buffer, n);
        return all;
    }

private:
    int m_master = -1;
    QString m_slave;
};

class ResetPasswordCommandTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.ok()) << folder.error().toStdString(); }

    QString dataDir() const { return folder.folder(); }

    CommandRun run(const QStringList &args, const QByteArray &input)
    {
        QProcess process;
        process.start(QStringLiteral(LARDERON_BINARY), QStringList{QStringLiteral("reset-password")} + args);
        EXPECT_TRUE(process.waitForStarted());
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    bool logsIn(const QString &name, const QString &password) const
    {
        folder.use();
        QString error;
        const auto connection = OpenDataConnection(&error);
        EXPECT_NE(connection, nullptr) << error.toStdString();
        LoginOutcome outcome;
        EXPECT_TRUE(connection && AccountStore(connection->database()).login(name, password, &outcome, &error));
        return outcome.passwordMatches;
    }

    TempDataFolder folder;
};

// Waits until the command's standard error holds text.
bool WaitForPrompt(QProcess &process, QByteArray &seen, const QByteArray &text)
{
    const QDeadlineTimer deadline(20000);
    while (!seen.contains(text) && !deadline.hasExpired()) {
        process.waitForReadyRead(int(deadline.remainingTime()));
        seen += process.readAllStandardError();
    }
    return seen.contains(text);
}

TEST_F(ResetPasswordCommandTest, TakesTheNewPasswordFromStandardInput)
{
    // The account is found as the login finds it; blanks inside and around the password count.
    const CommandRun done = run({dataDir(), QStringLiteral("ADMIN"), QStringLiteral("--stdin")}, " Sh0p 2024\n");
    EXPECT_EQ(done.exitCode, 0) << done.err.toStdString();
    EXPECT_TRUE(done.out.contains(QStringLiteral("'admin'"))) << done.out.toStdString();
    EXPECT_EQ(done.err, QString());
    EXPECT_TRUE(logsIn(QStringLiteral("admin"), QStringLiteral(" Sh0p 2024")));
    EXPECT_FALSE(logsIn(QStringLiteral("admin"), QStringLiteral("9806")));
}

TEST_F(ResetPasswordCommandTest, RefusesWithOneLineAndChangesNothing)
{
    const struct
    {
        const char *label;
        QStringList args; // after the data folder
        QByteArray input;
        int exitCode;
        QString said; // part of what standard error says
    } cases[] = {
        {"unknown account", {"bob", "--stdin"}, "x\n", 1, QStringLiteral("ไม่พบผู้ใช้ bob")},
        {"nothing on standard input", {"admin", "--stdin"}, "", 1, QStringLiteral("ไม่ได้รับรหัสผ่าน")},
        {"empty password", {"admin", "--stdin"}, "\r\n", 1, QStringLiteral("กรุณากำหนดรหัสผ่าน")},
        {"longer than the login box takes", {"admin", "--stdin"}, "12345678901234567\n", 1,
         QStringLiteral("รหัสผ่านยาวเกิน 16 ตัวอักษร")},
        {"no user named", {"--stdin"}, "x\n", 2, QStringLiteral("Usage")},
        {"an option it does not know", {"admin", "--stdin", "--force"}, "x\n", 2, QStringLiteral("Usage")},
        {"no terminal and no --stdin", {"admin"}, "x\n", 2, QStringLiteral("--stdin")},
    };
    for (const auto &c : cases) {
        const CommandRun refused = run(QStringList{dataDir()} + c.args, c.input);
        EXPECT_EQ(refused.exitCode, c.exitCode) << c.label;
        EXPECT_TRUE(refused.err.contains(c.said)) << c.label << ": " << refused.err.toStdString();
        EXPECT_EQ(refused.out, QString()) << c.label;
        if (c.exitCode == 1) {
            EXPECT_EQ(refused.err.count(QLatin1Char('\n')), 1) << c.label << ": one line";
        }
    }
    const CommandRun notData = run({dataDir() + QStringLiteral("missing"), QStringLiteral("admin"), QStringLiteral("--stdin")}, "x\n");
    EXPECT_EQ(notData.exitCode, 1);
    EXPECT_TRUE(notData.err.contains(QStringLiteral("data.abs"))) << notData.err.toStdString();
    EXPECT_TRUE(logsIn(QStringLiteral("admin"), QStringLiteral("9806")));

    const CommandRun help = run({QStringLiteral("--help")}, {});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("reset-password DATA_DIR USER [--stdin]")));
}

TEST_F(ResetPasswordCommandTest, AsksTwiceOnTheTerminalWithoutShowingTheTyping)
{
    const struct
    {
        QByteArray first, second;
        int exitCode;
        QString password; // that logs in afterwards
    } cases[] = {
        {"wrong-1\n", "wrong-2\n", 1, QStringLiteral("9806")},
        {"Sh0p-2024\n", "Sh0p-2024\n", 0, QStringLiteral("Sh0p-2024")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first.toStdString());
        Terminal terminal;
        ASSERT_TRUE(terminal.ok());
        QProcess process;
        process.setStandardInputFile(terminal.slave());
        process.setReadChannel(QProcess::StandardError);
        process.start(QStringLiteral(LARDERON_BINARY), {QStringLiteral("reset-password"), dataDir(), QStringLiteral("admin")});
        ASSERT_TRUE(process.waitForStarted());
        QByteArray said;
        ASSERT_TRUE(WaitForPrompt(process, said, "(new password)")) << said.toStdString();
        terminal.type(c.first);
        ASSERT_TRUE(WaitForPrompt(process, said, "(the same again)")) << said.toStdString();
        terminal.type(c.second);
        ASSERT_TRUE(process.waitForFinished(30000));
        said += process.readAllStandardError();
        EXPECT_EQ(process.exitCode(), c.exitCode) << said.toStdString();
        if (c.exitCode == 1) {
            EXPECT_TRUE(said.contains(QStringLiteral("รหัสไม่เหมือนกัน ลองอีกครั้ง").toUtf8())) << said.toStdString();
        }
        EXPECT_FALSE(terminal.shown().contains(c.first.trimmed())) << "the typing was shown";
        EXPECT_TRUE(logsIn(QStringLiteral("admin"), c.password));
    }
}

} // namespace
