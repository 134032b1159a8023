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
