#include "common/dates.h"
#include "db/data_connection.h"
#include "db/data_folder.h"
#include "db/passwords.h"
#include "db/row_insert.h"
#include "db/schema.h"
#include "db/sql_statement.h"
#include "db/stock_balance.h"
#include "temp_data_folder.h"

#include <QFileInfo>
#include <QImage>
#include <QSqlError>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

QStringList columnsOf(QSqlDatabase db, const QString &table)
{
    QStringList names;
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table));
    while (q.next())
        names.append(q.value(1).toString());
    return names;
}

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

class DbFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
        folder.use();
        QString error;
        connection = OpenDataConnection(&error);
        ASSERT_TRUE(connection) << error.toStdString();
    }
    QSqlDatabase db() const { return connection->database(); }

    void exec(const QStringList &lines, const QVariantMap &values = {})
    {
        SqlStatement s(db(), lines);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            s.bind(it.key(), it.value());
        QString error;
        ASSERT_TRUE(s.exec(&error)) << error.toStdString();
    }

    TempDataFolder folder;
    std::unique_ptr<Connection> connection;
};

} // namespace

TEST_F(DbFixture, TablesAndColumnsAreExactlyTheDocumentedOnes)
{
    const char *header = "INV_NO OF_NO RET_NO REF_BILL P_BILL INV_TYPE INV_DATE INV_TIME WARN_DATE RET_DATE CUST_NO "
                         "CUST_NAME CUST_CARD CUST_BIRTH SALE_NO SALE_NAME REF_ORDER TAX_RATE TOTAL TAX SUM_TOTAL "
                         "DUE_DATE GET_BILL FG_BILL GET_MONEY FG_MONEY MONEY_OK FG_OK CUST_CRE CUST_DISC EARN DISCOUNT "
                         "ID_CODE2 ID_CODE3 ID_CODE4 ID_CODE1 FP FG_END FG_BYE";
    const char *line = "AUTO INV_NO PRO_NO PRO_NAME PRO_GROUP ATTRIB ATTRIB2 PRO_QTY PRO_UNIT UNIT_PRICE FOR_PROJ EARN "
                       "WARN_DATE DISCOUNT V_STATUS PRICE S_PRICE FG_BILL P_BILL TAX_RATE TAX TOTAL CUT_STOCK STK_POST";
    const char *party = "CUST_NO CUST_FLAG CUST_HEAD CUST_NAME CUST_CARD CUST_BIRTH CUST_ATTN CUST_ADD1 CUST_ADD2 "
                        "CUST_ADD3 CUST_ADD4 CUST_ADD5 CUST_ZIP CUST_TEL CUST_FAX CUST_CRE CUST_DISC CUST_GROUP";
    QString market = QStringLiteral("USRNAME PASSWD NAME POSITION");
    for (int i = 1; i <= 30; ++i)
        market += QStringLiteral(" AC%1").arg(i);
    market += QStringLiteral(" PER_NO");
    const QList<QPair<QString, QStringList>> expected = {
        {"orvexsys", words("OF_NAME OF_ADD1 OF_ADD2 OF_ADD3 OF_ADD4 OF_ZIP OF_ADD5 OF_TAXID OF_TEL OF_FAX OF_EMAIL OF_MENU "
                           "OF_PHEAD OF_STATE PREFIX1 PREFIX2 PREFIX3 PREFIX4 PREFIX5 PREFIX6 PREFIX7 PREFIX8 PREFIX9 "
                           "LINE1 LINE2 LINE3 LINE4 LINE5 VIEW1 VIEW2 VIEW3 VIEW4 HEAD1 HEAD2 HEAD3 HEAD4 FOOT1 FOOT2 "
                           "FOOT3 FOOT4 OF_LOGO PRN_TOP PRN_LEFT PRN_PREVIEW PRN_LOGO COM_PORT SKIN_BUSINESS "
                           "SKIN_SERVICE SKIN_RENT TYPE_VAT OF_NO APP_PATH LINE6 PACK POS_CHK_STK POS_PRINT H_BILL_IN "
                           "H_BILL_OUT H_BILL_ORDER M_IN M_OUT F_IN F_OUT F_APPROVE F_REM_IN F_REM_OUT")},
        {"product", words("PRO_NO PRO_NAME ATTRIB PRO_GROUP PRO_BPRICE PRO_SPRICE PRO_RPRICE EARN FINE F_VAT WARN_TERM "
                          "PRO_TOTAL PRO_UNIT PRO_PACK PRO_RORDER LAST_BUY LAST_SALE INVEN_NO INV_NO FP PRO_SP2 PRO_SP3 "
                          "PRO_SP4 PRO_SP5 CUT_STOCK TAX_RATE EXPIRE HOW_TO EFFECT LOCATE STATUS DAMAGE")},
        {"customer", words(party)},
        {"supply", words(party)},
        {"sale", words("SALE_NO SALE_NAME SALE_COM SALE_ADD1 SALE_ADD2 SALE_ADD3 SALE_ADD4 SALE_ZIP SALE_TEL SALARY")},
        {"project", words("PROJ_NO PROJ_NAME PROJ_DESC")},
        {"market", market.split(QLatin1Char(' '))},
        {"invoice", words(header)}, {"invoice1", words(line)},
        {"order0", words(header)},  {"order1", words(line)},
        {"Tmpord", words(header)},  {"Tmpord1", words(line)},
    };
    QStringList tables;
    QSqlQuery q(db());
    q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY rowid"));
    while (q.next())
        tables.append(q.value(0).toString());
    QStringList expectedTables;
    for (const auto &[table, columns] : expected) {
        expectedTables.append(table);
        EXPECT_EQ(columnsOf(db(), table), columns) << table.toStdString();
    }
    EXPECT_EQ(tables, expectedTables);
    EXPECT_EQ(columnsOf(db(), QStringLiteral("invoice")).size(), 39);
}

TEST_F(DbFixture, KeysRefuseDuplicates)
{
    const QList<QPair<QString, QVariantMap>> rows = {
        {"product", {{"PRO_NO", "P1"}}},   {"customer", {{"CUST_NO", "C1"}}}, {"supply", {{"CUST_NO", "S1"}}},
        {"sale", {{"SALE_NO", "E1"}}},     {"project", {{"PROJ_NO", "J1"}}},  {"market", {{"USRNAME", "clerk"}}},
        {"invoice", {{"INV_NO", "ABCD1000001"}}}, {"order0", {{"INV_NO", "ABCD3000001"}}},
        {"Tmpord", {{"INV_NO", "TORD5000001"}}},
    };
    for (const auto &[table, values] : rows) {
        QString error;
        EXPECT_TRUE(InsertFullRow(db(), table, values, &error)) << table.toStdString() << error.toStdString();
        EXPECT_FALSE(InsertFullRow(db(), table, values, &error)) << table.toStdString() << " took a duplicate";
    }
    // Line tables have no key of their own but AUTO.
    QString error;
    EXPECT_TRUE(InsertFullRow(db(), "invoice1", {{"INV_NO", "ABCD1000001"}}, &error));
    EXPECT_TRUE(InsertFullRow(db(), "invoice1", {{"INV_NO", "ABCD1000001"}}, &error));
    // The login name test is exact in the store: another case is another name.
    EXPECT_TRUE(InsertFullRow(db(), "market", {{"USRNAME", "Clerk"}}, &error)) << error.toStdString();
}

TEST_F(DbFixture, NewDatabaseHoldsTheSettingsRowAndAnAdminWithAHashedPassword)
{
    QSqlQuery q(db());
    ASSERT_TRUE(q.exec(QStringLiteral("select * from orvexsys")));
    ASSERT_TRUE(q.next());
    for (const char *column : {"PREFIX1", "PREFIX2", "PREFIX3", "PREFIX4"})
        EXPECT_EQ(q.value(column).toString().size(), 4) << column;
    const QList<QPair<const char *, QString>> flags = {{"LINE5", "1"}, {"VIEW1", "0"}, {"LINE1", "1"}, {"LINE4", "1"},
                                                       {"PACK", "1"},  {"TYPE_VAT", "0"}, {"COM_PORT", "1"}};
    for (const auto &[column, value] : flags)
        EXPECT_EQ(q.value(column).toString(), value) << column;
    for (const char *column : {"OF_NO", "H_BILL_IN", "H_BILL_OUT", "H_BILL_ORDER", "M_IN", "M_OUT", "F_IN", "F_OUT", "F_APPROVE"})
        EXPECT_FALSE(q.value(column).toString().isEmpty()) << column;
    EXPECT_FALSE(q.next()) << "exactly one settings row";

    ASSERT_TRUE(q.exec(QStringLiteral("select usrname, passwd, ac1 from market")));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("admin"));
    EXPECT_EQ(q.value(2).toInt(), 1);
    const QString stored = q.value(1).toString();
    EXPECT_FALSE(stored.contains(QStringLiteral("9806")));
    EXPECT_TRUE(VerifyPassword(QStringLiteral("9806"), stored));
    EXPECT_FALSE(q.next());

    for (const char *picture : {"logo.bmp", "larderon.jpg", "picture/temp.jpg"})
        EXPECT_FALSE(QImage(folder.folder() + QLatin1String(picture)).isNull()) << picture;
}

TEST(Passwords, VerifyIsExactAndHashesAreSalted)
{
    const QString stored = HashPassword(QStringLiteral("Secret 1"));
    EXPECT_NE(HashPassword(QStringLiteral("Secret 1")), stored);
    const QList<QPair<QString, bool>> cases = {
        {"Secret 1", true}, {"secret 1", false}, {"Secret 1 ", false}, {"Secret", false}, {"", false}};
    for (const auto &[typed, match] : cases)
        EXPECT_EQ(VerifyPassword(typed, stored), match) << typed.toStdString();
    EXPECT_FALSE(VerifyPassword(QStringLiteral("9806"), QStringLiteral("9806"))) << "a plain text is never a digest";
}

TEST(DataFolder, RefusesToOverwriteAnExistingDatabase)
{
    TempDataFolder folder;
    ASSERT_TRUE(folder.ok());
    const QDateTime written = QFileInfo(folder.databasePath()).lastModified();
    QString error;
    EXPECT_FALSE(CreateDataFolder(QFileInfo(folder.databasePath()).absolutePath(), false, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("already exists"))) << error.toStdString();
    EXPECT_EQ(QFileInfo(folder.databasePath()).lastModified(), written);
}

TEST_F(DbFixture, BalanceCountsGoodsInAndOutButNeverPurchaseOrders)
{
    exec({" insert into product (pro_no, pro_name, cut_stock) values (:pno, :pname, :pcut) "},
         {{"pno", "P-7"}, {"pname", "test"}, {"pcut", "1"}}); // PRO_TOTAL left empty
    const QList<QPair<QString, double>> lines = {{"order1", 2}, {"invoice1", 1}, {"Tmpord1", 6}};
    const double quantities[] = {10, 3, 50};
    for (int i = 0; i < 3; ++i)
        exec({QStringLiteral(" insert into %1 (inv_no, pro_no, pro_qty, stk_post) ").arg(lines[i].first),
              " values (:pinv_no, :ppro_no, :ppro_qty, :pstk_post) "},
             {{"pinv_no", "X"}, {"ppro_no", "P-7"}, {"ppro_qty", quantities[i]}, {"pstk_post", lines[i].second}});
    QString error;
    EXPECT_EQ(StockBalance(db(), QStringLiteral("P-7"), &error), std::optional<double>(7));
    const auto sums = PostedSumsByProduct(db(), &error);
    ASSERT_TRUE(sums);
    EXPECT_EQ(sums->value(QStringLiteral("P-7")).in, 10);
    EXPECT_EQ(sums->value(QStringLiteral("P-7")).out, 3);
    EXPECT_EQ(StockBalance(db(), QStringLiteral("nothing"), &error), std::optional<double>(0));
}

TEST(DemoData, PostedSumsAgreeWithTheBalanceOfEveryProduct)
{
    TempDataFolder folder(true);
    ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
    folder.use();
    QString error;
    auto connection = OpenDataConnection(&error);
    ASSERT_TRUE(connection);
    const auto sums = PostedSumsByProduct(connection->database(), &error);
    ASSERT_TRUE(sums);
    QSqlQuery q(connection->database());
    q.exec(QStringLiteral("select pro_no, pro_total, cut_stock from product"));
    int products = 0;
    while (q.next()) {
        ++products;
        const QString code = q.value(0).toString();
        const auto balance = StockBalance(connection->database(), code, &error);
        ASSERT_TRUE(balance);
        EXPECT_DOUBLE_EQ(*balance, q.value(1).toDouble() + sums->value(code).in - sums->value(code).out) << code.toStdString();
        if (q.value(2).toString() != u"0") {
            EXPECT_GE(*balance, 0) << code.toStdString() << " demo stock never goes negative";
        }
    }
    EXPECT_GE(products, 8);
    // Header totals agree with their lines.
    for (const auto &[header, lines] : {std::pair{"invoice", "invoice1"}, std::pair{"order0", "order1"}, std::pair{"Tmpord", "Tmpord1"}}) {
        QSqlQuery check(connection->database());
        ASSERT_TRUE(check.exec(QStringLiteral("select h.inv_no, h.total, (select coalesce(sum(pro_qty * unit_price * (1 - discount / 100.0)), 0) "
                                              "from %2 l where l.inv_no = h.inv_no), (select count(*) from %2 l where l.inv_no = h.inv_no) from %1 h")
                                   .arg(QLatin1String(header), QLatin1String(lines))));
        int documents = 0;
        while (check.next()) {
            ++documents;
            EXPECT_NEAR(check.value(1).toDouble(), check.value(2).toDouble(), 1e-9) << check.value(0).toString().toStdString();
            EXPECT_GT(check.value(3).toInt(), 0);
        }
        EXPECT_GE(documents, 2) << header;
    }
}

TEST_F(DbFixture, DateKeySortsAcrossTheYearEnd)
{
    for (const char *date : {"05/01/2551", "20/12/2550", "01/02/2551"})
        exec({" insert into invoice (inv_no, inv_date) values (:pinv_no, :pinv_date) "},
             {{"pinv_no", QString::fromLatin1(date)}, {"pinv_date", QString::fromLatin1(date)}});
    SqlStatement s(db(), {" select inv_date from invoice ",
                          " where substr(inv_date,7,4)||substr(inv_date,4,2)||substr(inv_date,1,2) between :mBegin and :mEnd ",
                          " order by substr(inv_date,7,4)||substr(inv_date,4,2)||substr(inv_date,1,2) "});
    s.bind("mBegin", DateKey(QStringLiteral("01/12/2550"))).bind("mEnd", DateKey(QStringLiteral("31/01/2551")));
    QString error;
    ASSERT_TRUE(s.exec(&error)) << error.toStdString();
    QStringList order;
    while (s.query().next())
        order.append(s.query().value(0).toString());
    EXPECT_EQ(order, QStringList({"20/12/2550", "05/01/2551"}));
}

TEST_F(DbFixture, StatementsBindByNameAndRefuseMissingOrUnknownNames)
{
    // A header insert naming inv_time twice with the same parameter.
    exec({" insert into Invoice (Inv_No, inv_time, INV_DATE, inv_time) ", " values (:pinv_no, :pinv_time, :pinv_date, :pinv_time) "},
         {{"pinv_no", "ABCD1000001"}, {"pinv_time", "10:11:12"}, {"pinv_date", "01/01/2551"}});
    SqlStatement read(db(), {" select INV_TIME, inv_date from INVOICE where inv_no = :mInv_No "});
    read.bind("mInv_No", "ABCD1000001");
    bool ok = false;
    QString error;
    EXPECT_EQ(QueryScalar(read, &error, &ok).toString(), QStringLiteral("10:11:12"));
    EXPECT_TRUE(ok) << error.toStdString();

    SqlStatement missing(db(), {" select * from invoice where inv_no = :mInv_No and inv_date = :mDate "});
    missing.bind("mInv_No", "x");
    EXPECT_FALSE(missing.exec(&error));
    EXPECT_EQ(error, QStringLiteral("The parameter :mDate has no value"));

    SqlStatement unknown(db(), {" select * from invoice where inv_no = :mInv_No "});
    unknown.bind("mInv_No", "x").bind("mInvNo", "y");
    EXPECT_FALSE(unknown.exec(&error));
    EXPECT_EQ(error, QStringLiteral("The statement has no parameter :mInvNo"));

    // Quoted text and time literals are not parameters.
    EXPECT_EQ(SqlStatement::parameterNames(QStringLiteral(" where a = \"x:y\" and b = '10:20' and c = :pc and d=:pc ")),
              QStringList({"pc"}));
}
