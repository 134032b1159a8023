#include "documents_fixture.h"

#include "db/row_insert.h"
#include "db/sql_statement.h"

void DocumentsFixture::SetUp()
{
    ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
    folder.use();
    QString error;
    m_connection = OpenDataConnection(&error);
    ASSERT_TRUE(m_connection) << error.toStdString();
    insert(QStringLiteral("customer"), {{"CUST_NO", "C0001"}, {"CUST_NAME", QStringLiteral("ฝ่ายบัญชี")},
                                        {"CUST_CARD", "1234567890123"}, {"CUST_CRE", QStringLiteral("สด")}, {"CUST_DISC", 5.0}});
    insert(QStringLiteral("supply"), {{"CUST_NO", "S0001"}, {"CUST_NAME", QStringLiteral("ร้านรุ่งเรืองวัสดุ")},
                                      {"CUST_CRE", QStringLiteral("30 ว.")}});
    insert(QStringLiteral("sale"), {{"SALE_NO", "E0001"}, {"SALE_NAME", QStringLiteral("สมชาย ใจดี")}});
}

void DocumentsFixture::insert(const QString &table, const QVariantMap &values)
{
    QString error;
    ASSERT_TRUE(InsertFullRow(db(), table, values, &error)) << table.toStdString() << ": " << error.toStdString();
}

QVariant DocumentsFixture::scalar(const QString &sql, const QVariantMap &values)
{
    SqlStatement statement(db(), {sql});
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        statement.bind(it.key(), it.value());
    QString error;
    bool ok = false;
    const QVariant value = QueryScalar(statement, &error, &ok);
    statement.query().finish();
    EXPECT_TRUE(ok) << sql.toStdString() << ": " << error.toStdString();
    return value;
}

void DocumentsFixture::addProduct(const QString &code, double opening, const QString &cutStock, double taxRate)
{
    insert(QStringLiteral("product"), {{"PRO_NO", code}, {"PRO_NAME", QStringLiteral("สินค้า ") + code},
                                       {"PRO_GROUP", "GRP"}, {"PRO_UNIT", QStringLiteral("ชิ้น")}, {"PRO_TOTAL", opening},
                                       {"CUT_STOCK", cutStock}, {"TAX_RATE", taxRate}});
}

void DocumentsFixture::setSetting(const QString &column, const QVariant &value)
{
    SqlStatement update(db(), {QStringLiteral("update orvexsys set %1 = :pvalue").arg(column)});
    update.bind(QStringLiteral("pvalue"), value);
    QString error;
    ASSERT_TRUE(update.exec(&error)) << error.toStdString();
}

std::unique_ptr<StockDocumentStore> DocumentsFixture::openStore(const DocumentKind &kind)
{
    QString error;
    std::unique_ptr<StockDocumentStore> store = StockDocumentStore::open(kind, &error);
    EXPECT_TRUE(store) << error.toStdString();
    if (store) {
        EXPECT_TRUE(store->readSettings(&error)) << error.toStdString();
    }
    return store;
}

QString DocumentsFixture::addHeader(StockDocumentStore &store)
{
    QString error;
    QVariantMap party;
    EXPECT_TRUE(store.readParty(false, store.kind().goodsOut() ? QStringLiteral("C0001") : QStringLiteral("S0001"), &party, &error));
    QVariantMap header = store.newHeader();
    StockDocumentStore::takeParty(header, party, true);
    header.insert(QStringLiteral("SALE_NO"), QStringLiteral("E0001"));
    header.insert(QStringLiteral("SALE_NAME"), QStringLiteral("สมชาย ใจดี"));
    header.insert(QStringLiteral("INV_DATE"), QStringLiteral("15/11/2568"));
    header.insert(QStringLiteral("INV_TIME"), QStringLiteral("10:30:00"));
    const StockWriteResult saved = store.insertHeader(header, QStringLiteral("000001"));
    EXPECT_EQ(saved.status, StockWriteResult::Status::Done) << saved.error.toStdString();
    return saved.number;
}

StockWriteResult DocumentsFixture::addLine(StockDocumentStore &store, const QString &number, const QString &product, double quantity)
{
    QVariantMap row;
    QString error;
    EXPECT_TRUE(store.readProduct(false, product, &row, &error)) << error.toStdString();
    LineEntry line = LineEntry::ofProduct(row);
    line.quantity = quantity;
    return store.saveLine(number, line);
}

QList<qint64> DocumentsFixture::lineKeys(StockDocumentStore &store, const QString &number)
{
    RecordList rows;
    QString error;
    EXPECT_TRUE(store.readLines(number, &rows, &error)) << error.toStdString();
    QList<qint64> keys;
    for (int i = 0; i < rows.size(); ++i)
        keys.append(rows.value(i, QStringLiteral("AUTO")).toLongLong());
    return keys;
}

double DocumentsFixture::balance(const QString &product)
{
    StockBalanceQuery query(db());
    QString error;
    const std::optional<double> value = query.balance(product, &error);
    EXPECT_TRUE(value) << error.toStdString();
    return value.value_or(-1e9);
}
