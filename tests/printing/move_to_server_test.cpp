// A shop that outgrows its shared file moves its data folder to a server: the same balances and the
// same printed documents afterwards, and nothing switched when the copy would differ.
#include "printing_fixture.h"

#include "db/data_connection.h"
#include "db/move_to_server.h"
#include "db/stock_balance.h"
#include "test_engine.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSqlQuery>

#include <map>

namespace {

class MoveToServer : public PrintingTest
{
protected:
    void SetUp() override
    {
        if (OnServer())
            GTEST_SKIP() << "moves a file's data; runs in the file pass";
        PrintingTest::SetUp();
        ASSERT_TRUE(qEnvironmentVariableIsSet("LARDERON_TEST_SERVER")) << "run the tests through scripts/test";
        QString error;
        ASSERT_TRUE(CreateTestServerDatabase(&server, &error)) << error.toStdString();
    }
    void TearDown() override
    {
        if (!server.dbname.isEmpty())
            DropTestServerDatabase(server);
    }

    // Every product's balance, as the windows compute it.
    std::map<QString, double> balances()
    {
        std::map<QString, double> all;
        QString error;
        const std::unique_ptr<Connection> connection = OpenDataConnection(&error);
        EXPECT_TRUE(connection) << error.toStdString();
        if (!connection)
            return all;
        {
            StockBalanceQuery balance(connection->database());
            QSqlQuery products(connection->database());
            products.exec(QStringLiteral("select PRO_NO from product"));
            while (products.next()) {
                const QString code = products.value(0).toString();
                all[code] = balance.balance(code, &error).value_or(-1e9);
            }
        }
        return all;
    }

    ServerConfig server;
};

QStringList PageTexts(const ReportDocument &document)
{
    QStringList items;
    for (const Page &page : document.pages) {
        for (const PageItem &item : page.items)
            items.append(QStringLiteral("%1 %2 %3,%4").arg(item.tag, item.text).arg(item.rect.left()).arg(item.rect.top()));
    }
    return items;
}

TEST_F(MoveToServer, KeepsEveryBalanceAndDocument)
{
    const std::map<QString, double> before = balances();
    const QStringList document = PageTexts(*laidOut("TPrnDO1", "ISSU1000003"));
    ASSERT_GT(before.size(), 5u);

    QStringList report;
    QString error;
    ASSERT_TRUE(MoveDataFolderToServer(folder.folder(), server, &report, &error)) << error.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("invoice1: 8 rows, the same on the server"))) << report.join('\n').toStdString();
    EXPECT_FALSE(QFile::exists(folder.databasePath()));
    EXPECT_TRUE(QFile::exists(folder.databasePath() + QStringLiteral(".moved")));
    EXPECT_TRUE(QFile::exists(folder.folder() + QStringLiteral("server.ini")));

    EXPECT_EQ(balances(), before);
    EXPECT_EQ(PageTexts(*laidOut("TPrnDO1", "ISSU1000003")), document);

    // A new line after the move takes a key the file never issued.
    QString failure;
    const std::unique_ptr<Connection> connection = OpenDataConnection(&failure);
    ASSERT_TRUE(connection) << failure.toStdString();
    QSqlQuery last(connection->database());
    ASSERT_TRUE(last.exec(QStringLiteral("select max(AUTO) from invoice1")) && last.next());
    const qlonglong highest = last.value(0).toLongLong();
    QSqlQuery insert(connection->database());
    ASSERT_TRUE(insert.exec(QStringLiteral("insert into invoice1 (INV_NO, PRO_NO) values ('ISSU1000003', 'X') returning AUTO")));
    ASSERT_TRUE(insert.next());
    EXPECT_GT(insert.value(0).toLongLong(), highest);
}

TEST_F(MoveToServer, ACopyThatWouldDifferSwitchesNothing)
{
    {
        // A number column holding a text, as an old file may: the server cannot keep it.
        QString error;
        const std::unique_ptr<Connection> connection = OpenDataConnection(&error);
        ASSERT_TRUE(connection) << error.toStdString();
        QSqlQuery damage(connection->database());
        ASSERT_TRUE(damage.exec(QStringLiteral("update product set PRO_TOTAL = 'ten' where PRO_NO = 'GLV-L'")));
    }
    QStringList report;
    QString error;
    EXPECT_FALSE(MoveDataFolderToServer(folder.folder(), server, &report, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Nothing was moved: product.PRO_TOTAL"))) << error.toStdString();
    EXPECT_TRUE(QFile::exists(folder.databasePath()));
    EXPECT_FALSE(QFile::exists(folder.folder() + QStringLiteral("server.ini")));
    // The server's database is as empty as it was: a later move can still go there.
    std::unique_ptr<Connection> serverConnection = Connection::openServer({folder.databasePath(), 1, true}, server, &error);
    ASSERT_TRUE(serverConnection) << error.toStdString();
    QSqlQuery tables(serverConnection->database());
    ASSERT_TRUE(tables.exec(QStringLiteral("select count(*) from information_schema.tables where table_schema = current_schema()")));
    ASSERT_TRUE(tables.next());
    EXPECT_EQ(tables.value(0).toInt(), 0);
}

} // namespace
