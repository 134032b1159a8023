// larderon post-document, run as a till or a web shop runs it: one JSON document on standard
// input, the new number on standard output, one line on standard error when it is refused.
#include "documents_fixture.h"

#include "common/dates.h"
#include "documents/stock_messages.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>

namespace {

struct Posting
{
    int exitCode = -1;
    QString out;
    QString err;
};

QProcess *startPosting(const QString &folder, const QByteArray &json)
{
    auto *process = new QProcess;
    process->start(QStringLiteral(LARDERON_BINARY), {QStringLiteral("post-document"), folder});
    process->write(json);
    process->closeWriteChannel();
    return process;
}

Posting finished(QProcess &process)
{
    Posting posting;
    posting.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    posting.out = QString::fromUtf8(process.readAllStandardOutput());
    posting.err = QString::fromUtf8(process.readAllStandardError());
    return posting;
}

Posting post(const QString &folder, const QByteArray &json)
{
    std::unique_ptr<QProcess> process(startPosting(folder, json));
    EXPECT_TRUE(process->waitForFinished(30000));
    return finished(*process);
}

QByteArray json(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QJsonObject line(const char *product, double quantity)
{
    return {{"product", QString::fromLatin1(product)}, {"qty", quantity}};
}

class PostDocumentTest : public DocumentsFixture
{
protected:
    void SetUp() override
    {
        DocumentsFixture::SetUp();
        addProduct(QStringLiteral("P001"), 5);
        addProduct(QStringLiteral("P002"), 10);
        insert(QStringLiteral("project"), {{"PROJ_NO", "PJ01"}, {"PROJ_NAME", QStringLiteral("ติดตั้งระบบ")}});
    }

    QJsonObject goodsOut(const QJsonArray &lines) const
    {
        return {{"kind", "out"}, {"party", "C0001"}, {"employee", "E0001"}, {"first_number", "000001"}, {"lines", lines}};
    }

    int documents() { return scalar(QStringLiteral("select count(*) from invoice")).toInt(); }
    int lines() { return scalar(QStringLiteral("select count(*) from invoice1")).toInt(); }
};

TEST_F(PostDocumentTest, SavesTheDocumentAsTheWindowWouldAndPrintsItsNumber)
{
    QJsonObject document = goodsOut({QJsonObject{{"product", "P001"}, {"qty", 5}, {"project", "PJ01"}, {"detail1", "SN 123"}},
                                     line("P002", 2.5)});
    document.insert("date", "15/11/2569");
    document.insert("time", "10:30:00");
    document.insert("ref", QStringLiteral("ใบขอเบิก 12"));
    const Posting posted = post(folder.folder(), json(document));
    ASSERT_EQ(posted.exitCode, 0) << posted.err.toStdString();
    EXPECT_EQ(posted.out, QStringLiteral("ISSU1000001\n"));
    EXPECT_EQ(posted.err, QString());

    const QVariantMap number = {{"n", "ISSU1000001"}};
    EXPECT_EQ(scalar(QStringLiteral("select cust_name from invoice where inv_no = :n"), number).toString(), QStringLiteral("ฝ่ายบัญชี"));
    EXPECT_EQ(scalar(QStringLiteral("select sale_name from invoice where inv_no = :n"), number).toString(), QStringLiteral("สมชาย ใจดี"));
    EXPECT_EQ(scalar(QStringLiteral("select inv_date || ' ' || inv_time || ' ' || ref_order from invoice where inv_no = :n"), number).toString(),
              QStringLiteral("15/11/2569 10:30:00 ใบขอเบิก 12"));
    EXPECT_EQ(scalar(QStringLiteral("select for_proj || '/' || attrib from invoice1 where pro_no = 'P001'")).toString(), QStringLiteral("PJ01/SN 123"));
    EXPECT_EQ(balance(QStringLiteral("P001")), 0.0);
    EXPECT_EQ(balance(QStringLiteral("P002")), 7.5);

    // The next one runs on; its first number is not needed any more and dates default to today.
    document.remove("date");
    document.insert("lines", QJsonArray{line("P002", 1)});
    EXPECT_EQ(post(folder.folder(), json(document)).out, QStringLiteral("ISSU1000002\n"));
    EXPECT_EQ(scalar(QStringLiteral("select inv_date from invoice where inv_no = 'ISSU1000002'")).toString(),
              DateToText(QDate::currentDate()));
}

TEST_F(PostDocumentTest, ARefusedDocumentLeavesNothingBehind)
{
    const QString lineTwo = QStringLiteral("รายการที่ 2 สินค้า ");
    const struct
    {
        const char *name;
        QByteArray json;
        QString thai; // what standard error must hold
    } cases[] = {
        {"shortage on the second line", json(goodsOut({line("P002", 1), line("P001", 6)})), lineTwo + "P001: " + StockMessages::notEnoughStock()},
        {"unknown product", json(goodsOut({line("P002", 1), line("NOPE", 1)})), lineTwo + "NOPE: " + StockMessages::productNotFound()},
        {"quantity not a number", json(goodsOut({line("P002", 1), QJsonObject{{"product", "P001"}, {"qty", "5"}}})),
         lineTwo + QStringLiteral("P001: ตัวเลข...ไม่ถูกต้อง ")},
        {"unknown project", json(goodsOut({QJsonObject{{"product", "P001"}, {"qty", 1}, {"project", "PJ99"}}})),
         QStringLiteral("รายการที่ 1 สินค้า P001: ") + StockMessages::projectNotFound()},
        {"unknown party", json(QJsonObject{{"kind", "out"}, {"party", "C9999"}, {"employee", "E0001"}}), StockMessages::partyNotFound()},
        {"unknown employee", json(QJsonObject{{"kind", "out"}, {"party", "C0001"}, {"employee", "E9"}}), StockMessages::wrongEmployee()},
        {"wrong date", json(QJsonObject{{"kind", "out"}, {"party", "C0001"}, {"employee", "E0001"}, {"date", "31/04/2569"}}),
         StockMessages::wrongDate()},
        {"no first number for a head without documents", json(QJsonObject{{"kind", "out"}, {"party", "C0001"}, {"employee", "E0001"}}),
         QStringLiteral("ต้องกำหนดเลขที่ใบสำคัญครั้งแรก")},
        {"a first number of 5 digits", json(QJsonObject{{"kind", "out"}, {"party", "C0001"}, {"employee", "E0001"}, {"first_number", "00001"}}),
         QStringLiteral("ไม่ครบ 6 หลัก")},
        {"bad JSON", QByteArray("{\"kind\": \"out\", "), QStringLiteral("ข้อมูลเอกสารไม่ถูกต้อง (not JSON")},
        {"a list instead of a document", QByteArray("[1, 2]"), QStringLiteral("ข้อมูลเอกสารไม่ถูกต้อง")},
        {"a misspelt member", json(QJsonObject{{"kind", "out"}, {"party", "C0001"}, {"employe", "E0001"}}), QStringLiteral("unknown member \"employe\"")},
        {"unknown kind", json(QJsonObject{{"kind", "sale"}, {"party", "C0001"}}), QStringLiteral("ชนิดเอกสารไม่ถูกต้อง")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Posting posted = post(folder.folder(), c.json);
        EXPECT_EQ(posted.exitCode, 1);
        EXPECT_EQ(posted.out, QString());
        EXPECT_EQ(posted.err.count(QLatin1Char('\n')), 1) << posted.err.toStdString();
        EXPECT_TRUE(posted.err.startsWith(QStringLiteral("larderon post-document: "))) << posted.err.toStdString();
        EXPECT_TRUE(posted.err.contains(c.thai)) << posted.err.toStdString();
        EXPECT_TRUE(posted.err.contains(QStringLiteral(" ("))) << "an English gloss: " << posted.err.toStdString();
        EXPECT_EQ(documents(), 0);
        EXPECT_EQ(lines(), 0);
    }
    EXPECT_EQ(balance(QStringLiteral("P001")), 5.0);
}

TEST_F(PostDocumentTest, Usage)
{
    EXPECT_EQ(post(folder.folder(), {}).exitCode, 1) << "an empty input is no document";
    QProcess process;
    process.start(QStringLiteral(LARDERON_BINARY), {QStringLiteral("post-document"), QStringLiteral("--help")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardOutput()).contains(QStringLiteral("first_number")));
    process.start(QStringLiteral(LARDERON_BINARY), {QStringLiteral("post-document")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 2);
    process.start(QStringLiteral(LARDERON_BINARY), {QStringLiteral("post-document"), folder.folder() + QStringLiteral("nothing-here")});
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
}

// Four tills post 100 goods-out documents each at the same moment into one data folder, every
// line taking stock from the same three products, far more than they hold.
TEST_F(PostDocumentTest, FourProcessesAtOnce)
{
    constexpr int kProcesses = 4;
    constexpr int kDocumentsEach = 100;
    const QStringList products = {QStringLiteral("S1"), QStringLiteral("S2"), QStringLiteral("S3")};
    for (const QString &product : products)
        addProduct(product, 150);

    struct Sent
    {
        QByteArray json;
        QMap<QString, double> quantities; // product -> quantity over the document's lines
        int lines = 0;
        Posting posting;
    };
    QList<Sent> sent;
    QRandomGenerator random(11);
    for (int i = 0; i < kProcesses * kDocumentsEach; ++i) {
        Sent document;
        QJsonArray lines;
        document.lines = 1 + int(random.bounded(3));
        for (int l = 0; l < document.lines; ++l) {
            const QString product = products.at(int(random.bounded(products.size())));
            const double quantity = 1 + random.bounded(3);
            lines.append(QJsonObject{{"product", product}, {"qty", quantity}});
            document.quantities[product] += quantity;
        }
        // Every till sends a first number: only the first document of the head may use it.
        document.json = json(QJsonObject{{"kind", "out"}, {"party", "C0001"}, {"employee", "E0001"},
                                         {"first_number", "000001"}, {"lines", lines}});
        sent.append(document);
    }

    // Each process posts its documents one after the other; the four run side by side.
    QEventLoop loop;
    int running = kProcesses;
    std::function<void(int, int)> next = [&](int process, int done) {
        if (done == kDocumentsEach) {
            if (--running == 0)
                loop.quit();
            return;
        }
        const int index = process * kDocumentsEach + done;
        QProcess *child = startPosting(folder.folder(), sent[index].json);
        QObject::connect(child, &QProcess::finished, child, [&, child, process, done, index] {
            sent[index].posting = finished(*child);
            child->deleteLater();
            next(process, done + 1);
        });
    };
    for (int p = 0; p < kProcesses; ++p)
        next(p, 0);
    loop.exec();

    QSet<QString> numbers;
    QMap<QString, double> issued;
    int refused = 0;
    for (const Sent &document : sent) {
        const Posting &posting = document.posting;
        ASSERT_TRUE(posting.exitCode == 0 || posting.exitCode == 1) << posting.err.toStdString();
        if (posting.exitCode == 1) {
            // Reported on one line, in Thai with its gloss: a shortage or, if a lock outlasted the
            // wait, the lock message.
            EXPECT_EQ(posting.err.count(QLatin1Char('\n')), 1) << posting.err.toStdString();
            EXPECT_TRUE(posting.err.contains(StockMessages::notEnoughStock()) || posting.err.contains(StockMessages::locked()))
                << posting.err.toStdString();
            ++refused;
            continue;
        }
        const QString number = posting.out.trimmed();
        EXPECT_FALSE(numbers.contains(number)) << number.toStdString() << " was issued twice";
        numbers.insert(number);
        EXPECT_EQ(scalar(QStringLiteral("select count(*) from invoice1 where inv_no = :n"), {{"n", number}}).toInt(), document.lines)
            << number.toStdString();
        for (auto it = document.quantities.cbegin(); it != document.quantities.cend(); ++it)
            issued[it.key()] += it.value();
    }
    EXPECT_GT(refused, 0) << "the tills asked for more than there was";
    EXPECT_GT(numbers.size(), 0);
    EXPECT_EQ(numbers.size() + refused, kProcesses * kDocumentsEach);
    EXPECT_EQ(documents(), numbers.size()) << "every document saved was reported, none was saved unreported";
    EXPECT_TRUE(numbers.contains(QStringLiteral("ISSU1000001")));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from invoice where total <> (select coalesce(sum(pro_qty * unit_price), 0) "
                                    "from invoice1 where invoice1.inv_no = invoice.inv_no)")).toInt(), 0);
    for (const QString &product : products) {
        EXPECT_GE(balance(product), 0.0) << product.toStdString();
        EXPECT_EQ(balance(product), 150 - issued.value(product)) << product.toStdString();
    }
}

} // namespace
