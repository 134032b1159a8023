// The data class of the stock documents: numbering, the columns it writes, totals, the balance
// and the stock check, deletion.
#include "documents_fixture.h"

#include "documents/document_numbering.h"

#include <QSqlQuery>

namespace {

using Status = StockWriteResult::Status;

class StoreTest : public DocumentsFixture
{
protected:
    void SetUp() override
    {
        DocumentsFixture::SetUp();
        addProduct(QStringLiteral("P001"), 5);
        addProduct(QStringLiteral("SRV"), 0, QStringLiteral("0"));
    }

    // A stored line of a document, by its key.
    QVariantMap storedLine(StockDocumentStore &store, const QString &number, qint64 key)
    {
        QVariantMap line;
        QString error;
        EXPECT_TRUE(store.readLine(number, key, &line, &error)) << error.toStdString();
        return line;
    }

    // The correction of a stored line to another quantity (and, with product, another product).
    StockWriteResult correct(StockDocumentStore &store, const QString &number, qint64 key, double quantity,
                             const QString &product = {})
    {
        const QVariantMap stored = storedLine(store, number, key);
        QVariantMap productRow;
        QString error;
        EXPECT_TRUE(store.readProduct(false, product.isEmpty() ? stored.value("PRO_NO").toString() : product, &productRow, &error));
        LineEntry line = LineEntry::ofProduct(productRow);
        line.autoKey = key;
        line.stored = stored;
        if (product.isEmpty())
            line.stockFlag = stored.value("CUT_STOCK").toString();
        line.quantity = quantity;
        return store.saveLine(number, line);
    }
};

TEST(FirstNumberCheck, MessagesInOrder)
{
    const struct
    {
        const char *answer;
        bool valid;
        QStringList messages;
    } cases[] = {
        {"000001", true, {}},
        {"001007", true, {}},
        {"00001", false, {NotSixDigitsMessage()}},
        {"0000012", false, {NotSixDigitsMessage()}},
        {"00A001", false, {NotANumberMessage(), CannotNumberMessage()}},
        {"+00001", false, {NotANumberMessage(), CannotNumberMessage()}},
        {"abc", false, {NotANumberMessage(), NotSixDigitsMessage(), CannotNumberMessage()}},
    };
    for (const auto &c : cases) {
        const FirstNumberCheck check = CheckFirstNumber(QString::fromLatin1(c.answer));
        EXPECT_EQ(check.valid, c.valid) << c.answer;
        EXPECT_EQ(check.messages, c.messages) << c.answer;
    }
}

TEST(NextDocumentNumber, RunsOnAndStopsBeforeASeventhDigit)
{
    EXPECT_EQ(NextDocumentNumber(QStringLiteral("ABCD1000001")), QStringLiteral("ABCD1000002"));
    EXPECT_EQ(NextDocumentNumber(QStringLiteral("ABCD1000009")), QStringLiteral("ABCD1000010"));
    EXPECT_EQ(NextDocumentNumber(QStringLiteral("ABCD1999998")), QStringLiteral("ABCD1999999"));
    EXPECT_EQ(NextDocumentNumber(QStringLiteral("ABCD1999999")), std::nullopt);
    EXPECT_EQ(NextDocumentNumber(QStringLiteral("ABCD100A001")), std::nullopt);
}

TEST_F(StoreTest, NumberingAsksForTheFirstNumberThenRunsOnPerHead)
{
    auto out = openStore(GoodsOutKind());
    auto in = openStore(GoodsInKind());
    auto order = openStore(PurchaseOrderKind());
    EXPECT_EQ(out->head(), QStringLiteral("ISSU1"));
    EXPECT_EQ(in->head(), QStringLiteral("RECV3"));
    EXPECT_EQ(order->head(), QStringLiteral("TORD5"));

    QString error;
    EXPECT_EQ(out->headHasDocuments(&error), false);
    const QVariantMap header = out->newHeader();
    EXPECT_EQ(out->insertHeader(header, QString()).status, Status::NeedsFirstNumber);
    EXPECT_EQ(out->insertHeader(header, QStringLiteral("00001")).status, Status::NeedsFirstNumber);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from invoice")).toInt(), 0);

    EXPECT_EQ(out->insertHeader(header, QStringLiteral("000009")).number, QStringLiteral("ISSU1000009"));
    // Once the head has a document the first number is not used again.
    EXPECT_EQ(out->insertHeader(header, QStringLiteral("000001")).number, QStringLiteral("ISSU1000010"));
    EXPECT_EQ(out->insertHeader(header, QString()).number, QStringLiteral("ISSU1000011"));
    EXPECT_EQ(out->headHasDocuments(&error), true);

    // The same prefix text under another kind digit runs on its own.
    setSetting(QStringLiteral("PREFIX3"), QStringLiteral("ISSU"));
    in = openStore(GoodsInKind());
    EXPECT_EQ(in->insertHeader(in->newHeader(), QString()).status, Status::NeedsFirstNumber);
    EXPECT_EQ(in->insertHeader(in->newHeader(), QStringLiteral("000001")).number, QStringLiteral("ISSU3000001"));
    EXPECT_EQ(order->insertHeader(order->newHeader(), QStringLiteral("000100")).number, QStringLiteral("TORD5000100"));

    // A number of the head that is not 6 digits is passed over, not run on from.
    insert(QStringLiteral("invoice"), {{"INV_NO", "ISSU1ZZZZZZ"}});
    EXPECT_EQ(out->insertHeader(header, QString()).number, QStringLiteral("ISSU1000012"));
}

TEST_F(StoreTest, NumberingStopsAt999999)
{
    insert(QStringLiteral("invoice"), {{"INV_NO", "ISSU1999999"}});
    auto store = openStore(GoodsOutKind());
    const StockWriteResult refused = store->insertHeader(store->newHeader(), QStringLiteral("000001"));
    EXPECT_EQ(refused.status, Status::NumbersUsedUp);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from invoice")).toInt(), 1);
}

TEST_F(StoreTest, HeaderColumnsOnInsertAndUpdate)
{
    auto store = openStore(GoodsOutKind());
    const QString number = addHeader(*store);
    QVariantMap stored;
    QString error;
    ASSERT_TRUE(store->readHeader(number, &stored, &error)) << error.toStdString();
    EXPECT_EQ(stored.value("INV_TYPE").toString(), QStringLiteral("1"));
    EXPECT_EQ(stored.value("CUST_NO").toString(), QStringLiteral("C0001"));
    EXPECT_EQ(stored.value("CUST_CARD").toString(), QStringLiteral("1234567890123"));
    EXPECT_EQ(stored.value("CUST_CRE").toString(), QStringLiteral("สด"));
    EXPECT_EQ(stored.value("CUST_DISC").toDouble(), 5.0);
    EXPECT_EQ(stored.value("SALE_NO").toString(), QStringLiteral("E0001"));
    EXPECT_EQ(stored.value("INV_DATE").toString(), QStringLiteral("15/11/2568"));
    EXPECT_EQ(stored.value("INV_TIME").toString(), QStringLiteral("10:30:00"));
    EXPECT_EQ(stored.value("TOTAL").toDouble(), 0.0);
    EXPECT_EQ(stored.value("SUM_TOTAL").toDouble(), 0.0);
    // Texts are stored empty, never as NULL.
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from invoice where p_bill = '' and of_no = '' and id_code4 = ''")).toInt(), 1);

    // An edit writes the loaded values back, empties P_BILL, zeroes FG_BILL and recomputes the
    // totals from the lines.
    QSqlQuery(db()).exec(QStringLiteral("update invoice set p_bill = 'X', fg_bill = 3, ret_no = 'R1', total = 99"));
    ASSERT_TRUE(store->readHeader(number, &stored, &error));
    stored.insert("REF_ORDER", QStringLiteral("ใบขอเบิก 7"));
    const StockWriteResult updated = store->updateHeader(stored);
    ASSERT_EQ(updated.status, Status::Done) << updated.error.toStdString();
    ASSERT_TRUE(store->readHeader(number, &stored, &error));
    EXPECT_EQ(stored.value("P_BILL").toString(), QString());
    EXPECT_EQ(stored.value("FG_BILL").toInt(), 0);
    EXPECT_EQ(stored.value("RET_NO").toString(), QStringLiteral("R1"));
    EXPECT_EQ(stored.value("REF_ORDER").toString(), QStringLiteral("ใบขอเบิก 7"));
    EXPECT_EQ(stored.value("TOTAL").toDouble(), 0.0);

    // The register's employee names take 80 characters, the header's 50: the header keeps the
    // first 50 (the server refuses a longer text).
    const QString longName = QString(QStringLiteral("สมชาย ")).repeated(14).left(80);
    stored.insert("SALE_NAME", longName);
    const StockWriteResult named = store->updateHeader(stored);
    ASSERT_EQ(named.status, Status::Done) << named.error.toStdString();
    ASSERT_TRUE(store->readHeader(number, &stored, &error));
    EXPECT_EQ(stored.value("SALE_NAME").toString(), longName.left(50));
}

TEST_F(StoreTest, LineColumnsByKind)
{
    setSetting(QStringLiteral("TYPE_VAT"), QStringLiteral("1"));
    addProduct(QStringLiteral("VAT7"), 10, QStringLiteral("1"), 7.5);
    for (const DocumentKind *kind : {&GoodsOutKind(), &GoodsInKind(), &PurchaseOrderKind()}) {
        auto store = openStore(*kind);
        const QString number = addHeader(*store);
        ASSERT_TRUE(addLine(*store, number, QStringLiteral("VAT7"), 2).done());
        ASSERT_TRUE(addLine(*store, number, QStringLiteral("SRV"), 1).done());
        const QList<qint64> keys = lineKeys(*store, number);
        ASSERT_EQ(keys.size(), 2);
        const QVariantMap counted = storedLine(*store, number, keys[0]);
        const QVariantMap service = storedLine(*store, number, keys[1]);
        const std::string name = kind->lineTable.toStdString();
        EXPECT_EQ(counted.value("INV_NO").toString(), number) << name;
        EXPECT_EQ(counted.value("PRO_NAME").toString(), QStringLiteral("สินค้า VAT7")) << name;
        EXPECT_EQ(counted.value("PRO_UNIT").toString(), QStringLiteral("ชิ้น")) << name;
        EXPECT_EQ(counted.value("PRO_QTY").toDouble(), 2.0) << name;
        EXPECT_EQ(counted.value("EARN").toDouble(), 1.0) << name;
        EXPECT_EQ(counted.value("STK_POST").toDouble(), kind->stockPost) << name;
        EXPECT_EQ(counted.value("CUT_STOCK").toString(), QStringLiteral("1")) << name;
        EXPECT_EQ(counted.value("TAX_RATE").toDouble(), 7.5) << name;
        EXPECT_EQ(service.value("TAX_RATE").toDouble(), 7.0) << name << ": a line not stock-counted";
        EXPECT_EQ(counted.value("V_STATUS").toString(), kind->goodsOut() ? QStringLiteral("1") : QString()) << name;
    }
}

TEST_F(StoreTest, TotalsFollowTheLinesAndCorrectionsKeepPrices)
{
    auto store = openStore(GoodsOutKind());
    const QString number = addHeader(*store);
    // A priced line: 3 x 10 less 10 % contributes 27.
    insert(QStringLiteral("invoice1"), {{"INV_NO", number}, {"PRO_NO", "SRV"}, {"PRO_QTY", 3.0}, {"UNIT_PRICE", 10.0},
                                        {"DISCOUNT", 10.0}, {"PRICE", 27.0}, {"CUT_STOCK", "0"}, {"STK_POST", 1.0}});
    ASSERT_TRUE(addLine(*store, number, QStringLiteral("P001"), 1).done());
    EXPECT_EQ(scalar(QStringLiteral("select total from invoice")).toDouble(), 27.0);
    EXPECT_EQ(scalar(QStringLiteral("select sum_total from invoice")).toDouble(), 27.0);

    // Correcting the priced line's quantity keeps its price and discount: 4 x 10 less 10 % = 36.
    const qint64 priced = lineKeys(*store, number).first();
    ASSERT_EQ(correct(*store, number, priced, 4).status, Status::Done);
    EXPECT_EQ(scalar(QStringLiteral("select unit_price from invoice1 where auto = :a"), {{"a", priced}}).toDouble(), 10.0);
    EXPECT_EQ(scalar(QStringLiteral("select total from invoice1 where auto = :a"), {{"a", priced}}).toDouble(), 27.0);
    EXPECT_EQ(scalar(QStringLiteral("select total from invoice")).toDouble(), 36.0);

    ASSERT_EQ(store->deleteLine(number, priced).status, Status::Done);
    EXPECT_EQ(scalar(QStringLiteral("select total from invoice")).toDouble(), 0.0);
}

TEST_F(StoreTest, EachKindMovesTheBalanceItsWay)
{
    auto in = openStore(GoodsInKind());
    auto out = openStore(GoodsOutKind());
    auto order = openStore(PurchaseOrderKind());
    ASSERT_TRUE(addLine(*in, addHeader(*in), QStringLiteral("P001"), 10).done());
    EXPECT_EQ(balance(QStringLiteral("P001")), 15.0);
    ASSERT_TRUE(addLine(*out, addHeader(*out), QStringLiteral("P001"), 3).done());
    EXPECT_EQ(balance(QStringLiteral("P001")), 12.0);
    ASSERT_TRUE(addLine(*order, addHeader(*order), QStringLiteral("P001"), 50).done());
    EXPECT_EQ(balance(QStringLiteral("P001")), 12.0) << "purchase orders never count";
    QString error;
    EXPECT_EQ(out->balance(QStringLiteral("P001"), &error), 12.0);
}

// The remaining-quantity rule on a product whose balance is 5 before each case.
TEST_F(StoreTest, RemainingQuantityRule)
{
    const struct
    {
        const char *name;
        const DocumentKind *kind;
        double stored;      // an existing line of the document to correct; 0: add a line
        double issuedSince; // issued by another document after that line
        double quantity;
        bool accepted;
    } cases[] = {
        {"goods out of the whole balance", &GoodsOutKind(), 0, 0, 5, true},
        {"goods out of one more", &GoodsOutKind(), 0, 0, 6, false},
        {"correcting an issue of 4 (balance 1) to 5", &GoodsOutKind(), 4, 0, 5, true},
        {"correcting an issue of 4 (balance 1) to 6", &GoodsOutKind(), 4, 0, 6, false},
        {"lowering a receipt of 10 (balance 3) to 2", &GoodsInKind(), 10, 12, 2, false},
        {"lowering a receipt of 10 (balance 3) to 7", &GoodsInKind(), 10, 12, 7, true},
        {"goods in of any quantity", &GoodsInKind(), 0, 0, 1000, true},
        {"a purchase order whatever the balance", &PurchaseOrderKind(), 0, 0, 1000, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QSqlQuery(db()).exec(QStringLiteral("delete from invoice1")));
        ASSERT_TRUE(QSqlQuery(db()).exec(QStringLiteral("delete from order1")));
        auto store = openStore(*c.kind);
        const QString number = addHeader(*store);
        if (c.stored == 0) {
            EXPECT_EQ(addLine(*store, number, QStringLiteral("P001"), c.quantity).done(), c.accepted);
            continue;
        }
        ASSERT_TRUE(addLine(*store, number, QStringLiteral("P001"), c.stored).done());
        if (c.issuedSince > 0) {
            auto out = openStore(GoodsOutKind());
            ASSERT_TRUE(addLine(*out, addHeader(*out), QStringLiteral("P001"), c.issuedSince).done());
        }
        const StockWriteResult corrected = correct(*store, number, lineKeys(*store, number).first(), c.quantity);
        EXPECT_EQ(corrected.done(), c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(corrected.status, Status::NotEnoughStock);
        }
    }
}

TEST_F(StoreTest, StockShortagesAreRefusedOnTheBalanceAsItIsNow)
{
    auto out = openStore(GoodsOutKind());
    auto in = openStore(GoodsInKind());
    const QString issue = addHeader(*out);
    QString error;
    // The window showed 5; meanwhile another copy issued 3.
    EXPECT_EQ(out->balance(QStringLiteral("P001"), &error), 5.0);
    auto other = openStore(GoodsOutKind());
    ASSERT_TRUE(addLine(*other, addHeader(*other), QStringLiteral("P001"), 3).done());
    const StockWriteResult refused = addLine(*out, issue, QStringLiteral("P001"), 5);
    EXPECT_EQ(refused.status, Status::NotEnoughStock);
    EXPECT_EQ(refused.product, QStringLiteral("P001"));
    EXPECT_EQ(refused.balance, 2.0);
    EXPECT_TRUE(lineKeys(*out, issue).isEmpty());

    // Not stock-counted: any quantity; a product that changes takes the rule with it.
    EXPECT_TRUE(addLine(*out, issue, QStringLiteral("SRV"), 1000).done());
    addProduct(QStringLiteral("P002"), 1);
    ASSERT_TRUE(addLine(*out, issue, QStringLiteral("P001"), 2).done());
    const qint64 p001Line = lineKeys(*out, issue).last();
    EXPECT_EQ(correct(*out, issue, p001Line, 2, QStringLiteral("P002")).status, Status::NotEnoughStock)
        << "the line's own 2 of P001 do not count for P002";
    EXPECT_EQ(correct(*out, issue, p001Line, 1, QStringLiteral("P002")).status, Status::Done);
    EXPECT_EQ(balance(QStringLiteral("P001")), 2.0);
    EXPECT_EQ(balance(QStringLiteral("P002")), 0.0);

    // A received quantity that was issued since cannot be taken back.
    const QString receipt = addHeader(*in);
    ASSERT_TRUE(addLine(*in, receipt, QStringLiteral("P002"), 4).done());
    ASSERT_TRUE(addLine(*out, issue, QStringLiteral("P002"), 3).done());
    const qint64 received = lineKeys(*in, receipt).first();
    EXPECT_EQ(in->deleteLine(receipt, received).status, Status::NotEnoughStock);
    EXPECT_EQ(correct(*in, receipt, received, 4, QStringLiteral("P001")).status, Status::NotEnoughStock)
        << "moving the receipt to another product takes it from P002";
    EXPECT_EQ(balance(QStringLiteral("P002")), 1.0);
}

TEST_F(StoreTest, DocumentsGoOnlyWithoutLinesAndLinesNeverOutliveTheirDocument)
{
    auto store = openStore(GoodsOutKind());
    const QString number = addHeader(*store);
    ASSERT_TRUE(addLine(*store, number, QStringLiteral("P001"), 1).done());
    EXPECT_EQ(store->deleteDocument(number).status, Status::HasLines);
    ASSERT_EQ(store->deleteLine(number, lineKeys(*store, number).first()).status, Status::Done);
    EXPECT_EQ(store->deleteDocument(number).status, Status::Done);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from invoice")).toInt(), 0);

    // A line saved into a document that another copy deleted meanwhile is not kept.
    EXPECT_EQ(addLine(*store, number, QStringLiteral("P001"), 1).status, Status::Missing);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from invoice1")).toInt(), 0);
    EXPECT_EQ(store->deleteLine(number, 12345).status, Status::Missing);
}

TEST_F(StoreTest, APostedDocumentIsOneUnit)
{
    addProduct(QStringLiteral("P002"), 2);
    auto store = openStore(GoodsOutKind());
    QVariantMap header = store->newHeader();
    const auto lineOf = [&](const char *code, double quantity) {
        QVariantMap product;
        QString error;
        EXPECT_TRUE(store->readProduct(false, QString::fromLatin1(code), &product, &error));
        LineEntry line = LineEntry::ofProduct(product);
        line.quantity = quantity;
        return line;
    };
    // The second line of P001 sees the first: 3 + 3 is more than 5.
    const StockWriteResult refused =
        store->postDocument(header, {lineOf("P002", 2), lineOf("P001", 3), lineOf("P001", 3)}, QStringLiteral("000001"));
    EXPECT_EQ(refused.status, Status::NotEnoughStock);
    EXPECT_EQ(refused.line, 2);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from invoice")).toInt(), 0);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from invoice1")).toInt(), 0);

    const StockWriteResult posted =
        store->postDocument(header, {lineOf("P002", 2), lineOf("P001", 3)}, QStringLiteral("000001"));
    ASSERT_EQ(posted.status, Status::Done) << posted.error.toStdString();
    EXPECT_EQ(posted.number, QStringLiteral("ISSU1000001"));
    EXPECT_EQ(lineKeys(*store, posted.number).size(), 2);
    EXPECT_EQ(balance(QStringLiteral("P001")), 2.0);
}

} // namespace
