#include "common/dates.h"
#include "db/data_connection.h"
#include "db/data_folder.h"
#include "db/passwords.h"
#include "db/row_insert.h"
#include "db/schema.h"
#include "db/sql_statement.h"
#include "db/stock_balance.h"
#include "engine/transaction.h"
#include "temp_data_folder.h"
#include "test_engine.h"
#include "../common/qt_printers.h"

#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

// "NAME:T80" for each column of a table in the order of the store: the type as the store declares
// it (T text with the width the windows enforce, D double, S small and I plain integer, A
// auto-increment key, G graphic) and the width from the program's table definitions.
// On the server: every column of the table as the server keeps it, in the same "NAME:TYPE" words
// (the text width is the one the server enforces).
QStringList serverColumnsOf(QSqlDatabase db, const QString &table)
{
    QStringList columns;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT column_name, data_type, character_maximum_length, is_identity, collation_name "
                             "FROM information_schema.columns WHERE table_name = :table ORDER BY ordinal_position"));
    q.bindValue(QStringLiteral(":table"), table.toLower());
    q.exec();
    while (q.next()) {
        const QString type = q.value(1).toString();
        QString word = QStringLiteral("?") + type;
        if (type == u"character varying")
            word = QStringLiteral("T%1").arg(q.value(2).toInt()) + (q.value(4).toString() == u"C" ? QString() : QStringLiteral("?collation"));
        else if (type == u"double precision")
            word = QStringLiteral("D");
        else if (type == u"bytea")
            word = QStringLiteral("G");
        else if (type == u"smallint")
            word = QStringLiteral("S");
        else if (type == u"integer")
            word = q.value(3).toString() == u"YES" ? QStringLiteral("A") : QStringLiteral("I");
        columns.append(q.value(0).toString().toUpper() + u':' + word);
    }
    return columns;
}

QStringList columnsOf(QSqlDatabase db, const QString &table)
{
    if (OnServer())
        return serverColumnsOf(db, table);
    QStringList columns;
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table));
    while (q.next()) {
        const QString name = q.value(1).toString();
        const QString stored = q.value(2).toString();
        const bool key = q.value(5).toInt() > 0;
        QString type = QStringLiteral("?") + stored;
        if (stored == u"TEXT") {
            type = QStringLiteral("T%1").arg(ColumnWidth(table, name));
        } else if (stored == u"REAL") {
            type = QStringLiteral("D");
        } else if (stored == u"BLOB") {
            type = QStringLiteral("G");
        } else if (stored == u"INTEGER") {
            // The store keeps small and plain integers alike; the definitions tell them apart.
            const TableDef *def = FindTable(table);
            for (const ColumnDef &c : def ? def->columns : QList<ColumnDef>()) {
                if (c.name == name)
                    type = key && c.type == ColumnType::AutoInc ? QStringLiteral("A")
                           : c.type == ColumnType::SmallInt   ? QStringLiteral("S")
                           : c.type == ColumnType::Integer    ? QStringLiteral("I")
                                                              : type;
            }
        }
        columns.append(name + u':' + type);
    }
    return columns;
}

// The column list of a documented table: "NAME:TYPE" words, where "AC{1-30}:S" stands for AC1 to
// AC30.
QStringList documented(const char *text)
{
    static const QRegularExpression numbered(QStringLiteral(R"(^(\w+)\{(\d+)-(\d+)\}(:.*)$)"));
    QStringList columns;
    for (const QString &word : QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = numbered.match(word);
        if (!m.hasMatch()) {
            columns.append(word);
            continue;
        }
        for (int i = m.captured(2).toInt(); i <= m.captured(3).toInt(); ++i)
            columns.append(m.captured(1) + QString::number(i) + m.captured(4));
    }
    return columns;
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
    const char *header = "INV_NO:T11 OF_NO:T2 RET_NO:T11 REF_BILL:T11 P_BILL:T11 INV_TYPE:T1 INV_DATE:T10 "
                         "INV_TIME:T11 WARN_DATE:T10 RET_DATE:T10 CUST_NO:T5 CUST_NAME:T100 CUST_CARD:T13 "
                         "CUST_BIRTH:T10 SALE_NO:T13 SALE_NAME:T50 REF_ORDER:T20 TAX_RATE:D TOTAL:D TAX:D "
                         "SUM_TOTAL:D DUE_DATE:T10 GET_BILL:T10 FG_BILL:S GET_MONEY:T10 FG_MONEY:S MONEY_OK:T10 "
                         "FG_OK:S CUST_CRE:T6 CUST_DISC:D EARN:D DISCOUNT:D ID_CODE2:T20 ID_CODE3:T20 "
                         "ID_CODE4:T20 ID_CODE1:T20 FP:T1 FG_END:T1 FG_BYE:T1";
    const char *line = "AUTO:A INV_NO:T11 PRO_NO:T15 PRO_NAME:T50 PRO_GROUP:T5 ATTRIB:T40 ATTRIB2:T40 PRO_QTY:D "
                       "PRO_UNIT:T10 UNIT_PRICE:D FOR_PROJ:T10 EARN:D WARN_DATE:T10 DISCOUNT:D V_STATUS:T1 "
                       "PRICE:D S_PRICE:D FG_BILL:S P_BILL:T11 TAX_RATE:D TAX:D TOTAL:D CUT_STOCK:T1 STK_POST:D";
    const char *party = "CUST_NO:T5 CUST_FLAG:T1 CUST_HEAD:T6 CUST_NAME:T100 CUST_CARD:T13 CUST_BIRTH:T10 "
                        "CUST_ATTN:T50 CUST_ADD1:T80 CUST_ADD2:T80 CUST_ADD3:T80 CUST_ADD4:T80 CUST_ADD5:T1 "
                        "CUST_ZIP:T5 CUST_TEL:T25 CUST_FAX:T25 CUST_CRE:T6 CUST_DISC:D CUST_GROUP:T1";
    const QList<QPair<QString, QStringList>> expected = {
        {"orvexsys",
         documented("OF_NAME:T80 OF_ADD1:T80 OF_ADD2:T80 OF_ADD3:T80 OF_ADD4:T80 OF_ZIP:T5 OF_ADD5:T1 "
                    "OF_TAXID:T13 OF_TEL:T25 OF_FAX:T25 OF_EMAIL:T50 OF_MENU:G OF_PHEAD:T1 OF_STATE:T1 "
                    "PREFIX{1-9}:T4 LINE{1-5}:T1 VIEW{1-4}:T1 HEAD{1-4}:T80 FOOT{1-4}:T80 OF_LOGO:G PRN_TOP:D "
                    "PRN_LEFT:D PRN_PREVIEW:T1 PRN_LOGO:T1 COM_PORT:T1 SKIN_BUSINESS:T1 SKIN_SERVICE:T1 "
                    "SKIN_RENT:T1 TYPE_VAT:T1 OF_NO:T3 APP_PATH:T100 LINE6:T1 PACK:T20 POS_CHK_STK:T1 "
                    "POS_PRINT:T1 H_BILL_IN:T80 H_BILL_OUT:T80 H_BILL_ORDER:T80 M_IN:T10 M_OUT:T10 F_IN:T20 "
                    "F_OUT:T20 F_APPROVE:T20 F_REM_IN:T80 F_REM_OUT:T80")},
        {"product",
         documented("PRO_NO:T15 PRO_NAME:T50 ATTRIB:T200 PRO_GROUP:T5 PRO_BPRICE:D PRO_SPRICE:D PRO_RPRICE:D "
                    "EARN:D FINE:D F_VAT:T1 WARN_TERM:T10 PRO_TOTAL:D PRO_UNIT:T10 PRO_PACK:T15 PRO_RORDER:D "
                    "LAST_BUY:T10 LAST_SALE:T10 INVEN_NO:T2 INV_NO:T11 FP:T1 PRO_SP{2-5}:D CUT_STOCK:T1 "
                    "TAX_RATE:D EXPIRE:T10 HOW_TO:T200 EFFECT:T200 LOCATE:T50 STATUS:T1 DAMAGE:T50")},
        {"customer", documented(party)},
        {"supply", documented(party)},
        {"sale", documented("SALE_NO:T5 SALE_NAME:T80 SALE_COM:D SALE_ADD1:T80 SALE_ADD2:T80 SALE_ADD3:T80 "
                            "SALE_ADD4:T80 SALE_ZIP:T5 SALE_TEL:T25 SALARY:D")},
        {"project", documented("PROJ_NO:T10 PROJ_NAME:T40 PROJ_DESC:T200")},
        // The digest of a password of 16 characters needs more room than the password typed; the
        // server enforces the room the digest needs.
        {"market", documented(OnServer() ? "USRNAME:T16 PASSWD:T200 NAME:T40 POSITION:T20 AC{1-30}:S PER_NO:T5"
                                         : "USRNAME:T16 PASSWD:T16 NAME:T40 POSITION:T20 AC{1-30}:S PER_NO:T5")},
        {"invoice", documented(header)}, {"invoice1", documented(line)},
        {"order0", documented(header)},  {"order1", documented(line)},
        {"Tmpord", documented(header)},  {"Tmpord1", documented(line)},
    };
    QStringList tables;
    QSqlQuery q(db());
    q.exec(OnServer() ? QStringLiteral("SELECT c.relname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                                       "WHERE c.relkind = 'r' AND n.nspname = current_schema() "
                                       "AND c.relname <> 'larderon_schema' ORDER BY c.oid")
                      : QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY rowid"));
    while (q.next())
        tables.append(q.value(0).toString());
    QStringList expectedTables;
    for (const auto &[table, columns] : expected) {
        expectedTables.append(OnServer() ? table.toLower() : table);
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
    const QList<QPair<const char *, QString>> flags = {
        {"LINE5", "1"},    {"VIEW1", "0"}, {"LINE1", "1"},       {"LINE4", "1"},    {"PACK", "1"},
        {"TYPE_VAT", "0"}, {"COM_PORT", "1"}, {"LINE6", "0"}, {"POS_CHK_STK", "0"}, {"POS_PRINT", "0"}};
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
    StockBalanceQuery balances(db());
    EXPECT_EQ(balances.balance(QStringLiteral("P-7"), &error), std::optional<double>(7));
    const auto sums = PostedSumsByProduct(db(), &error);
    ASSERT_TRUE(sums);
    EXPECT_EQ(sums->value(QStringLiteral("P-7")).in, 10);
    EXPECT_EQ(sums->value(QStringLiteral("P-7")).out, 3);
    EXPECT_EQ(balances.balance(QStringLiteral("nothing"), &error), std::optional<double>(0));
    EXPECT_EQ(balances.balance(QStringLiteral("P-7"), 100, &error), std::optional<double>(107))
        << "the same prepared statements serve every call";
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
    StockBalanceQuery balances(connection->database());
    int products = 0;
    while (q.next()) {
        ++products;
        const QString code = q.value(0).toString();
        const auto balance = balances.balance(code, &error);
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
    // A header insert using one parameter twice.
    exec({" insert into Invoice (Inv_No, inv_time, INV_DATE, REF_BILL) ", " values (:pinv_no, :pinv_time, :pinv_date, :pinv_time) "},
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

TEST(Schema, RefusesFilesOfANewerBuildOrOfAnotherProgram)
{
    for (int version : {kSchemaVersion + 1, 0}) {
        TempDataFolder folder;
        ASSERT_TRUE(folder.ok());
        folder.use();
        {
            auto c = Connection::open(CurrentConnectionSettings(), nullptr);
            ASSERT_TRUE(c);
            QSqlQuery stamp(c->database());
            ASSERT_TRUE(stamp.exec(OnServer() ? QStringLiteral("UPDATE larderon_schema SET version = %1").arg(version)
                                              : QStringLiteral("PRAGMA user_version = %1").arg(version)));
        }
        QString error;
        EXPECT_EQ(OpenDataConnection(&error), nullptr) << version;
        EXPECT_FALSE(error.isEmpty());
    }
}

namespace {

// The line tables' product index as the first build made it: (PRO_NO, STK_POST), data version 1,
// without the report indexes of version 3.
void MakeFirstVersionFile(const TempDataFolder &folder)
{
    auto c = Connection::open(CurrentConnectionSettings(), nullptr);
    ASSERT_TRUE(c) << folder.databasePath().toStdString();
    QSqlQuery q(c->database());
    for (const char *index : {"invoice_lookup1", "invoice_lookup2", "order0_lookup1", "order0_lookup2",
                              "invoice1_lookup3", "order1_lookup3"})
        ASSERT_TRUE(q.exec(QStringLiteral("DROP INDEX %1").arg(QLatin1String(index)))) << q.lastError().text().toStdString();
    for (const char *table : {"invoice1", "order1", "Tmpord1"}) {
        ASSERT_TRUE(q.exec(QStringLiteral("DROP INDEX %1_lookup2").arg(QLatin1String(table)))) << q.lastError().text().toStdString();
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE INDEX %1_lookup2 ON %1 (PRO_NO, STK_POST)").arg(QLatin1String(table))));
    }
    ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA user_version = 1")));
}

QStringList indexColumns(QSqlDatabase db, const QString &index)
{
    QStringList columns;
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA index_info(%1)").arg(index));
    while (q.next())
        columns.append(q.value(2).toString());
    return columns;
}

QString queryPlan(QSqlDatabase db, const QString &statement)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + statement);
    q.bindValue(QStringLiteral(":mPro_No"), QStringLiteral("P-1"));
    if (!q.exec())
        return q.lastError().text();
    QStringList steps;
    while (q.next())
        steps.append(q.value(3).toString());
    return steps.join(QStringLiteral(" | "));
}

} // namespace

TEST(Schema, AFileOfTheFirstBuildIsUpgradedWithTheBalanceAndReportIndexes)
{
    SKIP_ON_SERVER("no server ever held the first build's data");
    TempDataFolder folder;
    ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
    folder.use();
    MakeFirstVersionFile(folder);

    QString error;
    auto connection = OpenDataConnection(&error);
    ASSERT_TRUE(connection) << error.toStdString();
    {
        QSqlDatabase db = connection->database();
        QSqlQuery version(db);
        ASSERT_TRUE(version.exec(QStringLiteral("PRAGMA user_version")) && version.next());
        EXPECT_EQ(version.value(0).toInt(), kSchemaVersion);
        for (const char *table : {"invoice1", "order1", "Tmpord1"})
            EXPECT_EQ(indexColumns(db, QStringLiteral("%1_lookup2").arg(QLatin1String(table))),
                      QStringList({"PRO_NO", "STK_POST", "PRO_QTY"}))
                << table;
        for (const char *table : {"invoice", "order0"}) {
            EXPECT_EQ(indexColumns(db, QStringLiteral("%1_lookup1").arg(QLatin1String(table))),
                      QStringList({"INV_NO", "INV_DATE"}));
            QSqlQuery expression(db);
            ASSERT_TRUE(expression.exec(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = '%1_lookup2'").arg(QLatin1String(table)))
                        && expression.next());
            EXPECT_TRUE(expression.value(0).toString().endsWith(QLatin1Char('(') + QLatin1String(kHeaderDateKey) + QStringLiteral("))")))
                << expression.value(0).toString().toStdString();
        }
        for (const char *table : {"invoice1", "order1"})
            EXPECT_EQ(indexColumns(db, QStringLiteral("%1_lookup3").arg(QLatin1String(table))),
                      QStringList({"PRO_NO", "INV_NO", "PRO_QTY"}));
        // The upgrade analysed the new indexes.
        QSqlQuery statistics(db);
        EXPECT_TRUE(statistics.exec(QStringLiteral("SELECT count(*) FROM sqlite_stat1"))) << statistics.lastError().text().toStdString();

        const QStringList sums = StockBalanceQuery::sumStatementTexts();
        ASSERT_EQ(sums.size(), 2);
        EXPECT_EQ(queryPlan(db, sums[0]), QStringLiteral("SEARCH Order1 USING COVERING INDEX order1_lookup2 (PRO_NO=? AND STK_POST=?)"));
        EXPECT_EQ(queryPlan(db, sums[1]), QStringLiteral("SEARCH invoice1 USING COVERING INDEX invoice1_lookup2 (PRO_NO=? AND STK_POST=?)"));
        // The balance asks them together in one statement, still from the indexes alone.
        const QString plan = queryPlan(db, StockBalanceQuery::balanceStatementText());
        EXPECT_TRUE(plan.contains(QStringLiteral("SEARCH Order1 USING COVERING INDEX order1_lookup2"))) << plan.toStdString();
        EXPECT_TRUE(plan.contains(QStringLiteral("SEARCH invoice1 USING COVERING INDEX invoice1_lookup2"))) << plan.toStdString();
        EXPECT_FALSE(plan.contains(QStringLiteral("SCAN Order1")) || plan.contains(QStringLiteral("SCAN invoice1")))
            << plan.toStdString();
    }
}

TEST_F(DbFixture, ABalanceOnScreenDoesNotHoldOtherConnectionsWritesBack)
{
    exec({" insert into order1 (inv_no, pro_no, pro_qty, stk_post) values (:pinv_no, :ppro_no, :ppro_qty, 2.00) "},
         {{"pinv_no", "RECV3000001"}, {"ppro_no", "P-1"}, {"ppro_qty", 4.0}});
    StockBalanceQuery balances(db());
    QString error;
    ASSERT_EQ(balances.balance(QStringLiteral("P-1"), &error), std::optional<double>(4)) << error.toStdString();

    // The balance statements stay prepared on this connection; another one must still be able to
    // commit (a read left open would keep its shared lock until the busy timeout).
    auto other = OpenDataConnection(&error);
    ASSERT_TRUE(other) << error.toStdString();
    Transaction write(other->database());
    ASSERT_TRUE(write.begin(Transaction::Mode::Immediate, &error)) << error.toStdString();
    QSqlQuery insert(other->database());
    ASSERT_TRUE(insert.exec(QStringLiteral("insert into invoice1 (inv_no, pro_no, pro_qty, stk_post) values ('ISSU1000001', 'P-1', 1, 1.00)")));
    EXPECT_TRUE(write.commit(&error)) << error.toStdString();
    EXPECT_EQ(balances.balance(QStringLiteral("P-1"), &error), std::optional<double>(3));
}
