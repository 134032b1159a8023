#include <libpq-fe.h>
#include <sqlite3.h>

#include "measurements.h"

#include "common/shared_state.h"
#include "db/data_connection.h"
#include "db/row_insert.h"
#include "db/sql_statement.h"
#include "db/stock_balance.h"
#include "engine/connection.h"
#include "engine/transaction.h"
#include "documents/stock_document_store.h"
#include "printing/document_layout.h"
#include "report/report_output.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSqlDriver>
#include <QSqlQuery>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

// The median of repeat runs of work, in milliseconds; work answers false on failure.
double MedianMs(int repeat, const std::function<bool()> &work, bool *ok)
{
    std::vector<double> times;
    for (int i = 0; i < repeat; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!work()) {
            *ok = false;
            return 0;
        }
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The engine's own lower bound of a product's posted sums: the two sum() statements over the
// covering index, prepared once, run straight through the engine's client library.
class PostedSumBound
{
public:
    virtual ~PostedSumBound() = default;
    virtual bool run(const QString &productCode) = 0;
};

class SqliteSumBound : public PostedSumBound
{
public:
    explicit SqliteSumBound(sqlite3 *db)
    {
        for (const auto &[index, sql] : {std::pair{0, "SELECT coalesce(sum(PRO_QTY), 0) FROM order1 WHERE PRO_NO = ?1 AND STK_POST = 2"},
                                         std::pair{1, "SELECT coalesce(sum(PRO_QTY), 0) FROM invoice1 WHERE PRO_NO = ?1 AND STK_POST = 1"}})
            sqlite3_prepare_v2(db, sql, -1, &m_statements[index], nullptr);
    }
    ~SqliteSumBound() override
    {
        for (sqlite3_stmt *s : m_statements)
            sqlite3_finalize(s);
    }
    bool run(const QString &productCode) override
    {
        const QByteArray code = productCode.toUtf8();
        for (sqlite3_stmt *s : m_statements) {
            if (!s)
                return false;
            sqlite3_bind_text(s, 1, code.constData(), int(code.size()), SQLITE_TRANSIENT);
            const bool ok = sqlite3_step(s) == SQLITE_ROW;
            sqlite3_reset(s);
            if (!ok)
                return false;
        }
        return true;
    }

private:
    sqlite3_stmt *m_statements[2] = {};
};

class PgSumBound : public PostedSumBound
{
public:
    explicit PgSumBound(PGconn *connection) : m_connection(connection)
    {
        PQclear(PQprepare(m_connection, "bound_in", "SELECT coalesce(sum(PRO_QTY), 0) FROM order1 WHERE PRO_NO = $1 AND STK_POST = 2", 1, nullptr));
        PQclear(PQprepare(m_connection, "bound_out", "SELECT coalesce(sum(PRO_QTY), 0) FROM invoice1 WHERE PRO_NO = $1 AND STK_POST = 1", 1, nullptr));
    }
    bool run(const QString &productCode) override
    {
        const QByteArray code = productCode.toUtf8();
        const char *values[] = {code.constData()};
        for (const char *name : {"bound_in", "bound_out"}) {
            PGresult *result = PQexecPrepared(m_connection, name, 1, values, nullptr, nullptr, 0);
            const bool ok = PQresultStatus(result) == PGRES_TUPLES_OK;
            PQclear(result);
            if (!ok)
                return false;
        }
        return true;
    }

private:
    PGconn *m_connection;
};

std::unique_ptr<PostedSumBound> MakeSumBound(const Connection &connection)
{
    const QVariant handle = connection.database().driver()->handle();
    if (connection.engine() == EngineKind::File)
        return std::make_unique<SqliteSumBound>(*static_cast<sqlite3 *const *>(handle.data()));
    return std::make_unique<PgSumBound>(*static_cast<PGconn *const *>(handle.data()));
}

// The typical product (the median count of lines) and the busiest one.
bool PickProducts(QSqlDatabase db, QString *typical, QString *busiest, QString *error)
{
    SqlStatement counts(db, {QStringLiteral(" select PRO_NO, count(*) from invoice1 group by PRO_NO order by count(*), PRO_NO ")});
    if (!counts.exec(error))
        return false;
    QStringList codes;
    while (counts.query().next())
        codes.append(counts.query().value(0).toString());
    if (codes.isEmpty()) {
        *error = QStringLiteral("the data folder holds no goods-out lines");
        return false;
    }
    *typical = codes.at(codes.size() / 2);
    *busiest = codes.last();
    return true;
}

// A goods-out document of lineCount lines for the document measurements, added once.
const QString kBenchDocument = QStringLiteral("BNCH1000001");

bool EnsureBenchDocument(QSqlDatabase db, int lineCount, QString *error)
{
    SqlStatement exists(db, {QStringLiteral(" select count(*) from invoice1 where INV_NO = :pinv_no ")});
    exists.bind(QStringLiteral("pinv_no"), kBenchDocument);
    bool ok = false;
    if (QueryScalar(exists, error, &ok).toInt() >= lineCount)
        return true;
    if (!ok)
        return false;
    Transaction transaction(db);
    if (!transaction.begin(Transaction::Mode::Immediate, error))
        return false;
    if (!InsertFullRow(db, QStringLiteral("invoice"),
                       {{"INV_NO", kBenchDocument}, {"INV_TYPE", QStringLiteral("1")}, {"INV_DATE", QStringLiteral("01/12/2569")},
                        {"CUST_NO", QStringLiteral("C0001")}, {"CUST_NAME", QStringLiteral("ร้านทดสอบความเร็ว")}},
                       error))
        return false;
    for (int i = 0; i < lineCount; ++i) {
        if (!InsertFullRow(db, QStringLiteral("invoice1"),
                           {{"INV_NO", kBenchDocument}, {"PRO_NO", QStringLiteral("P%1").arg(i + 1, 6, 10, QLatin1Char('0'))},
                            {"PRO_NAME", QStringLiteral("สินค้าทดสอบ น้ำดื่ม ขวด 600 มล. รุ่น %1").arg(i)}, {"PRO_QTY", 1.0},
                            {"PRO_UNIT", QStringLiteral("ขวด")}, {"STK_POST", 1.0}, {"CUT_STOCK", QStringLiteral("1")}},
                           error))
            return false;
    }
    return transaction.commit(error);
}

// The engine's own lower bound of a line save: the insert of one line alone in its own write
// transaction, with the connection's durability, through the engine's client library.
class LineInsertBound
{
public:
    virtual ~LineInsertBound() = default;
    virtual bool run(const QString &number) = 0;
};

class SqliteInsertBound : public LineInsertBound
{
public:
    explicit SqliteInsertBound(sqlite3 *db) : m_db(db)
    {
        sqlite3_prepare_v2(db, "INSERT INTO order1 (INV_NO, PRO_NO, PRO_QTY, STK_POST) VALUES (?1, 'P000001', 1, 2)", -1,
                           &m_insert, nullptr);
    }
    ~SqliteInsertBound() override { sqlite3_finalize(m_insert); }
    bool run(const QString &number) override
    {
        const QByteArray inv = number.toUtf8();
        if (!m_insert || sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
        sqlite3_bind_text(m_insert, 1, inv.constData(), int(inv.size()), SQLITE_TRANSIENT);
        const bool inserted = sqlite3_step(m_insert) == SQLITE_DONE;
        sqlite3_reset(m_insert);
        return sqlite3_exec(m_db, inserted ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr) == SQLITE_OK && inserted;
    }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_insert = nullptr;
};

class PgInsertBound : public LineInsertBound
{
public:
    explicit PgInsertBound(PGconn *connection) : m_connection(connection)
    {
        PQclear(PQprepare(m_connection, "bound_insert",
                          "INSERT INTO order1 (INV_NO, PRO_NO, PRO_QTY, STK_POST) VALUES ($1, 'P000001', 1, 2)", 1, nullptr));
    }
    bool run(const QString &number) override
    {
        const QByteArray inv = number.toUtf8();
        const char *values[] = {inv.constData()};
        PQclear(PQexec(m_connection, "BEGIN"));
        PGresult *result = PQexecPrepared(m_connection, "bound_insert", 1, values, nullptr, nullptr, 0);
        const bool inserted = PQresultStatus(result) == PGRES_COMMAND_OK;
        PQclear(result);
        result = PQexec(m_connection, inserted ? "COMMIT" : "ROLLBACK");
        const bool done = PQresultStatus(result) == PGRES_COMMAND_OK;
        PQclear(result);
        return inserted && done;
    }

private:
    PGconn *m_connection;
};

std::unique_ptr<LineInsertBound> MakeInsertBound(const Connection &connection)
{
    const QVariant handle = connection.database().driver()->handle();
    if (connection.engine() == EngineKind::File)
        return std::make_unique<SqliteInsertBound>(*static_cast<sqlite3 *const *>(handle.data()));
    return std::make_unique<PgInsertBound>(*static_cast<PGconn *const *>(handle.data()));
}

// A goods-in document of lineCount lines (lines in goods in never run short), made once.
bool EnsureGoodsInDocument(StockDocumentStore &store, const QString &number, int lineCount, QString *error)
{
    RecordList lines;
    if (!store.readLines(number, &lines, error))
        return false;
    if (lines.size() >= lineCount)
        return true;
    QVariantMap product;
    if (!store.readProduct(false, QStringLiteral("P000001"), &product, error))
        return false;
    QSqlDatabase db = store.database();
    Transaction transaction(db);
    if (!transaction.begin(Transaction::Mode::Immediate, error))
        return false;
    if (lines.size() == 0
        && !InsertFullRow(db, QStringLiteral("order0"),
                          {{"INV_NO", number}, {"INV_TYPE", QStringLiteral("3")}, {"INV_DATE", QStringLiteral("01/12/2569")},
                           {"CUST_NO", QStringLiteral("S0001")}},
                          error))
        return false;
    for (int i = lines.size(); i < lineCount; ++i) {
        if (!InsertFullRow(db, QStringLiteral("order1"),
                           {{"INV_NO", number}, {"PRO_NO", QStringLiteral("P000001")}, {"PRO_NAME", product.value("PRO_NAME")},
                            {"PRO_QTY", 1.0}, {"STK_POST", 2.0}, {"CUT_STOCK", QStringLiteral("1")}},
                           error))
            return false;
    }
    return transaction.commit(error);
}

ReportDocument WithoutTexts(const ReportDocument &document)
{
    ReportDocument bare = document;
    for (Page &page : bare.pages) {
        page.items.removeIf([](const PageItem &item) {
            return item.kind == ElementKind::Text || item.kind == ElementKind::Field || item.kind == ElementKind::PageNumber
                   || item.kind == ElementKind::Date;
        });
    }
    return bare;
}

struct Row
{
    QString operation;
    double median = 0;
    double bound = -1; // < 0: no bound
    QString target;
};

void PrintTable(QTextStream &out, const QList<Row> &rows)
{
    out << QStringLiteral("%1 %2 %3 %4  %5").arg(QStringLiteral("operation"), -58).arg(QStringLiteral("median"), 11)
               .arg(QStringLiteral("bound"), 11).arg(QStringLiteral("ratio"), 7).arg(QStringLiteral("target"))
        << Qt::endl;
    for (const Row &row : rows) {
        const auto ms = [](double v) { return v < 0 ? QStringLiteral("-") : QStringLiteral("%1 ms").arg(v, 0, 'f', v < 1 ? 3 : 1); };
        const QString ratio = row.bound > 0 ? QStringLiteral("%1x").arg(row.median / row.bound, 0, 'f', 2) : QStringLiteral("-");
        out << QStringLiteral("%1 %2 %3 %4  %5").arg(row.operation, -58).arg(ms(row.median), 11).arg(ms(row.bound), 11)
                   .arg(ratio, 7).arg(row.target)
            << Qt::endl;
    }
}

} // namespace

bool RunMeasurements(const QString &dir, int repeat, QTextStream &out, QString *error)
{
    const QString folder = QDir(dir).absolutePath() + QLatin1Char('/');
    SharedState &shared = Shared();
    shared.DataFolder = folder;
    shared.DatabasePath = folder + QStringLiteral("data.abs");
    shared.DbMaxConnections = 5;
    shared.DbMultiUser = true;

    const std::unique_ptr<Connection> connection = OpenDataConnection(error);
    if (!connection)
        return false;
    QSqlDatabase db = connection->database();
    QString typical, busiest;
    if (!PickProducts(db, &typical, &busiest, error))
        return false;
    QList<Row> rows;
    bool ok = true;

    {
        StockBalanceQuery balance(db);
        const std::unique_ptr<PostedSumBound> bound = MakeSumBound(*connection);
        for (const auto &[name, code] : {std::pair{QStringLiteral("typical"), typical}, std::pair{QStringLiteral("busiest"), busiest}}) {
            // Many calls per sample: one balance takes microseconds.
            const int calls = name == u"typical" ? 200 : 20;
            QString failure;
            const double ours = MedianMs(repeat, [&] {
                for (int i = 0; i < calls; ++i) {
                    if (!balance.balance(code, &failure))
                        return false;
                }
                return true;
            }, &ok) / calls;
            const double bare = MedianMs(repeat, [&] {
                for (int i = 0; i < calls; ++i) {
                    if (!bound->run(code))
                        return false;
                }
                return true;
            }, &ok) / calls;
            rows.append({QStringLiteral("one product's balance (%1, %2)").arg(name, code), ours, bare, QStringLiteral("<= 1.5x bound")});
        }
    }

    // A line saved with its header's totals, into a document of 1 and of 1,000 lines, beside the
    // insert alone; each sample's line is taken out again (not timed).
    {
        QString failure;
        const std::unique_ptr<StockDocumentStore> store = StockDocumentStore::open(GoodsInKind(), &failure);
        if (!store || !store->readSettings(&failure)) {
            *error = failure;
            return false;
        }
        const std::unique_ptr<Connection> boundConnection = OpenDataConnection(error);
        if (!boundConnection)
            return false;
        const std::unique_ptr<LineInsertBound> bound = MakeInsertBound(*boundConnection);
        QVariantMap product;
        if (!store->readProduct(false, QStringLiteral("P000001"), &product, &failure)) {
            *error = failure;
            return false;
        }
        for (const auto &[number, size] : {std::pair{QStringLiteral("BNCH3000001"), 1}, std::pair{QStringLiteral("BNCH3000002"), 1000}}) {
            if (!EnsureGoodsInDocument(*store, number, size, &failure)) {
                *error = failure;
                return false;
            }
            std::vector<double> ours, bare;
            for (int i = 0; i < repeat; ++i) {
                LineEntry line = LineEntry::ofProduct(product);
                line.quantity = 1;
                QElapsedTimer timer;
                timer.start();
                const StockWriteResult saved = store->saveLine(number, line);
                ours.push_back(timer.nsecsElapsed() / 1e6);
                timer.restart();
                const bool inserted = bound->run(number);
                bare.push_back(timer.nsecsElapsed() / 1e6);
                if (!saved.done() || !inserted) {
                    *error = saved.done() ? QStringLiteral("the bare insert failed") : saved.error;
                    return false;
                }
                // Back to the document's size: the lines above it go again.
                QSqlQuery trim(boundConnection->database());
                trim.prepare(QStringLiteral("delete from order1 where INV_NO = :n and AUTO > (select max(AUTO) from order1 where INV_NO = :m) - 2"));
                trim.bindValue(QStringLiteral(":n"), number);
                trim.bindValue(QStringLiteral(":m"), number);
                trim.exec();
            }
            std::sort(ours.begin(), ours.end());
            std::sort(bare.begin(), bare.end());
            rows.append({QStringLiteral("save a line with its header totals (%1-line document)").arg(size),
                         ours[ours.size() / 2], bare[bare.size() / 2], size == 1 ? QStringLiteral("<= 3 ms") : QStringLiteral("<= 5 ms")});
        }
    }

    // A document of about 100 Letter pages to PDF, beside the same pages without their texts.
    if (!EnsureBenchDocument(db, 1900, error))
        return false;
    shared.PrintDocNo = kBenchDocument;
    shared.PrintDocKind = 1;
    shared.PrintDocVariant = 1;
    std::shared_ptr<const ReportDocument> laidOut;
    QString failure;
    const double pdf = MedianMs(repeat, [&] {
        const std::unique_ptr<DocumentLayout> layout = CreateDocumentLayout(QStringLiteral("TPrnDO8"));
        QByteArray bytes;
        if (!layout->prepare(&failure) || !RenderReportPdf(*layout->document(), &bytes, &failure))
            return false;
        laidOut = layout->document();
        return true;
    }, &ok);
    if (!ok) {
        *error = failure;
        return false;
    }
    const ReportDocument bare = WithoutTexts(*laidOut);
    const double bareMs = MedianMs(repeat, [&] {
        QByteArray bytes;
        return RenderReportPdf(bare, &bytes, &failure);
    }, &ok);
    rows.append({QStringLiteral("%1-page document to PDF (TPrnDO8)").arg(laidOut->pages.size()), pdf, bareMs,
                 QStringLiteral("<= 500 ms")});

    if (!ok) {
        *error = failure;
        return false;
    }
    out << "Data folder " << folder << " (" << (connection->engine() == EngineKind::File ? "file" : "server") << "), median of "
        << repeat << " runs" << Qt::endl;
    PrintTable(out, rows);
    return true;
}
