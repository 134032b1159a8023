#include <libpq-fe.h>
#include <sqlite3.h>

#include "data_generator.h"

#include "common/dates.h"
#include "db/data_folder.h"
#include "db/data_connection.h"
#include "db/schema.h"
#include "engine/connection.h"
#include "engine/transaction.h"

#include <QDate>
#include <QDir>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

// Rows of one table on their way into the engine, one value per column of the table's definition.
class RowWriter
{
public:
    virtual ~RowWriter() = default;
    virtual bool begin(const TableDef &table, QString *error) = 0;
    virtual bool add(const QVariantList &row, QString *error) = 0;
    virtual bool finish(QString *error) = 0;
};

QStringList ColumnNames(const TableDef &table, bool withAutoIncrement)
{
    QStringList names;
    for (const ColumnDef &c : table.columns) {
        if (withAutoIncrement || c.type != ColumnType::AutoInc)
            names.append(c.name);
    }
    return names;
}

// The embedded engine: one prepared insert, bound and stepped per row, inside the caller's
// transaction.
class SqliteWriter : public RowWriter
{
public:
    explicit SqliteWriter(sqlite3 *db) : m_db(db) {}
    ~SqliteWriter() override { sqlite3_finalize(m_statement); }

    bool begin(const TableDef &table, QString *error) override
    {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        const QStringList names = ColumnNames(table, false);
        QStringList marks;
        for (int i = 0; i < names.size(); ++i)
            marks.append(QStringLiteral("?"));
        const QByteArray sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(table.name, names.join(u','), marks.join(u','))
                                   .toUtf8();
        if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &m_statement, nullptr) != SQLITE_OK)
            return fail(error);
        return true;
    }

    bool add(const QVariantList &row, QString *error) override
    {
        sqlite3_reset(m_statement);
        for (int i = 0; i < row.size(); ++i) {
            const QVariant &v = row.at(i);
            int rc = SQLITE_OK;
            if (v.isNull()) {
                rc = sqlite3_bind_null(m_statement, i + 1);
            } else if (v.typeId() == QMetaType::Double) {
                rc = sqlite3_bind_double(m_statement, i + 1, v.toDouble());
            } else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong) {
                rc = sqlite3_bind_int64(m_statement, i + 1, v.toLongLong());
            } else {
                const QByteArray text = v.toString().toUtf8();
                rc = sqlite3_bind_text(m_statement, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            }
            if (rc != SQLITE_OK)
                return fail(error);
        }
        return sqlite3_step(m_statement) == SQLITE_DONE || fail(error);
    }

    bool finish(QString *) override { return true; }

private:
    bool fail(QString *error)
    {
        *error = QString::fromUtf8(sqlite3_errmsg(m_db));
        return false;
    }
    sqlite3 *m_db;
    sqlite3_stmt *m_statement = nullptr;
};

// The server: COPY ... FROM STDIN in text format, inside the caller's transaction.
class PgCopyWriter : public RowWriter
{
public:
    explicit PgCopyWriter(PGconn *connection) : m_connection(connection) {}

    bool begin(const TableDef &table, QString *error) override
    {
        const QByteArray sql = QStringLiteral("COPY %1 (%2) FROM STDIN").arg(table.name, ColumnNames(table, false).join(u',')).toUtf8();
        PGresult *result = PQexec(m_connection, sql.constData());
        const bool ok = PQresultStatus(result) == PGRES_COPY_IN;
        PQclear(result);
        m_buffer.clear();
        return ok || fail(error);
    }

    bool add(const QVariantList &row, QString *error) override
    {
        for (int i = 0; i < row.size(); ++i) {
            if (i > 0)
                m_buffer.append('\t');
            const QVariant &v = row.at(i);
            if (v.isNull()) {
                m_buffer.append("\\N");
            } else if (v.typeId() == QMetaType::Double) {
                m_buffer.append(QByteArray::number(v.toDouble(), 'g', 17));
            } else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong) {
                m_buffer.append(QByteArray::number(v.toLongLong()));
            } else {
                QByteArray text = v.toString().toUtf8();
                text.replace('\\', "\\\\").replace('\t', "\\t").replace('\n', "\\n").replace('\r', "\\r");
                m_buffer.append(text);
            }
        }
        m_buffer.append('\n');
        if (m_buffer.size() > (1 << 20))
            return flush(error);
        return true;
    }

    bool finish(QString *error) override
    {
        if (!flush(error))
            return false;
        if (PQputCopyEnd(m_connection, nullptr) != 1)
            return fail(error);
        PGresult *result = PQgetResult(m_connection);
        const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
        PQclear(result);
        while ((result = PQgetResult(m_connection)))
            PQclear(result);
        return ok || fail(error);
    }

private:
    bool flush(QString *error)
    {
        if (!m_buffer.isEmpty() && PQputCopyData(m_connection, m_buffer.constData(), int(m_buffer.size())) != 1)
            return fail(error);
        m_buffer.clear();
        return true;
    }
    bool fail(QString *error)
    {
        *error = QString::fromUtf8(PQerrorMessage(m_connection));
        return false;
    }
    PGconn *m_connection;
    QByteArray m_buffer;
};

// A full row of a table: every column of its definition (but the auto-increment key) empty or 0,
// then the given values.
QVariantList FullRow(const TableDef &table, const QVariantMap &values)
{
    QVariantList row;
    for (const ColumnDef &c : table.columns) {
        if (c.type == ColumnType::AutoInc)
            continue;
        const QVariant given = values.value(c.name);
        if (given.isValid())
            row.append(given);
        else if (c.type == ColumnType::Text)
            row.append(QString());
        else if (c.type == ColumnType::Graphic)
            row.append(QByteArray(""));
        else
            row.append(0.0);
    }
    return row;
}

// Thai product names out of a few word lists.
const char16_t *kKinds[] = {u"น้ำดื่ม", u"กาแฟ", u"ปากกา", u"กระดาษ", u"สายไฟ", u"หลอดไฟ", u"ถุงมือ", u"น้ำยาล้างจาน",
                            u"สบู่", u"แชมพู", u"ข้าวสาร", u"น้ำมันพืช", u"เทปกาว", u"แฟ้ม", u"ตะปู", u"สกรู",
                            u"ท่อพีวีซี", u"ปูนซีเมนต์", u"สีทาบ้าน", u"แปรง", u"ก๋วยเตี๋ยว", u"น้ำปลา", u"ผ้าเช็ดมือ", u"ถังขยะ"};
const char16_t *kBrands[] = {u"ตราช้าง", u"ตรานกแก้ว", u"ตราปลาทอง", u"ตราดาว", u"ตราสิงห์", u"ตราเสือ", u"ตราม้า",
                             u"ตราพระอาทิตย์", u"ตราบัวทอง", u"ตราภูเขา"};
const char16_t *kSizes[] = {u"600 มล.", u"1 ลิตร", u"5 ลิตร", u"A4", u"ขนาด L", u"ขนาด M", u"10 ม.", u"1 กก.",
                            u"5 กก.", u"สีแดง", u"สีน้ำเงิน", u"แพ็ค 6", u"กล่อง 12"};
const char16_t *kUnits[] = {u"ชิ้น", u"ขวด", u"กล่อง", u"ห่อ", u"ม้วน", u"ถุง", u"แพ็ค", u"ลัง", u"ตัว", u"เมตร"};
const char *kGroups[] = {"DRINK", "FOOD", "STAT", "ELEC", "SAFE", "CLEAN", "BUILD", "HOME"};
const char16_t *kFirstNames[] = {u"สมชาย", u"สมศรี", u"วิชัย", u"มาลี", u"ประยุทธ", u"สุดา", u"ธนพล", u"กานดา", u"อนันต์", u"ปราณี"};
const char16_t *kLastNames[] = {u"ใจดี", u"รักไทย", u"ศรีสุข", u"ทองคำ", u"แสงจันทร์", u"ยิ้มแย้ม", u"บุญมา", u"มั่นคง"};
const char16_t *kShops[] = {u"ร้าน", u"ห้างหุ้นส่วนจำกัด", u"บริษัท", u"สหกรณ์"};
const char16_t *kProvinces[] = {u"กรุงเทพมหานคร", u"เชียงใหม่", u"ขอนแก่น", u"นครปฐม", u"ชลบุรี", u"สงขลา", u"ภูเก็ต"};

template <typename T, std::size_t N>
const T &Pick(const T (&list)[N], std::mt19937_64 &random)
{
    return list[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

QString Thai(const char16_t *text)
{
    return QString::fromUtf16(text);
}

struct Line
{
    int document;
    int product;
    double quantity;
    double unitPrice;
    double discount;
    bool project;
};

struct Document
{
    int kind; // 1 goods out, 3 goods in, 5 purchase order
    int number;
    QDate date;
    int party;
};

} // namespace

bool GenerateShopData(const QString &dir, const GeneratorOptions &options,
                      const std::function<void(const QString &)> &progress, QString *error)
{
    if (options.products < 1 || options.documents < 1 || options.lines < options.documents || options.years < 1) {
        *error = QStringLiteral("there must be products, documents, at least one line per document and a year");
        return false;
    }
    std::mt19937_64 random(options.seed);

    progress(QStringLiteral("creating the data folder"));
    bool created = false;
    if (options.serverText.isEmpty()) {
        created = CreateDataFolder(dir, false, error);
    } else {
        ServerConfig server;
        created = ParseServerConnectionText(options.serverText, &server, error)
                  && CreateServerDataFolder(dir, server, false, error);
    }
    if (!created)
        return false;
    const QString databasePath = QDir(dir).absoluteFilePath(QStringLiteral("data.abs"));
    const std::unique_ptr<Connection> connection = OpenDataConnection({databasePath, 5, true, {}}, error);
    if (!connection)
        return false;
    QSqlDatabase db = connection->database();
    const QVariant handle = db.driver()->handle();
    std::unique_ptr<RowWriter> writer;
    if (connection->engine() == EngineKind::File)
        writer = std::make_unique<SqliteWriter>(*static_cast<sqlite3 *const *>(handle.data()));
    else
        writer = std::make_unique<PgCopyWriter>(*static_cast<PGconn *const *>(handle.data()));

    const int suppliers = std::max(10, options.products / 40);
    const int requisitioners = std::max(10, options.products / 10);
    const int employees = 40;
    const int projects = 200;

    // Documents by kind, dates over the years up to today, and lines: a document's lines favour a
    // few products heavily.
    progress(QStringLiteral("planning %1 documents and %2 lines").arg(options.documents).arg(options.lines));
    std::vector<Document> documents(options.documents);
    int numbers[6] = {};
    const QDate last = QDate::currentDate();
    const int days = options.years * 365;
    for (int i = 0; i < options.documents; ++i) {
        const int roll = std::uniform_int_distribution<int>(0, 99)(random);
        const int kind = roll < 60 ? 1 : roll < 90 ? 3 : 5;
        documents[i] = {kind, ++numbers[kind], QDate(), 0};
    }
    // Numbers run in date order: the dates of one kind ascend with its numbers.
    std::vector<int> offsets(options.documents);
    for (int &o : offsets)
        o = std::uniform_int_distribution<int>(0, days - 1)(random);
    std::sort(offsets.begin(), offsets.end(), std::greater<int>());
    for (int i = 0; i < options.documents; ++i) {
        documents[i].date = last.addDays(-offsets[i]);
        documents[i].party = std::uniform_int_distribution<int>(0, (documents[i].kind == 1 ? requisitioners : suppliers) - 1)(random);
    }
    std::vector<Line> lines(options.lines);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < options.lines; ++i) {
        // Every document has a line; the rest go to documents at random.
        const int document = i < options.documents ? i : std::uniform_int_distribution<int>(0, options.documents - 1)(random);
        // Skewed popularity: 40 % of the lines go to the top hundredth of the products (thousands
        // of lines each), 40 % to the next tenth, the rest anywhere (a handful each).
        const double share = unit(random);
        const int top = std::max(1, options.products / 100);
        const int middle = std::max(1, options.products / 10);
        const int rank = share < 0.4   ? std::uniform_int_distribution<int>(0, top - 1)(random)
                         : share < 0.8 ? std::uniform_int_distribution<int>(0, std::max(top, middle) - 1)(random)
                                       : std::uniform_int_distribution<int>(0, options.products - 1)(random);
        const bool goodsOut = documents[document].kind == 1;
        lines[i] = {document, std::max(0, rank), double(std::uniform_int_distribution<int>(1, goodsOut ? 5 : 20)(random)),
                    double(std::uniform_int_distribution<int>(5, 500)(random)),
                    std::uniform_int_distribution<int>(0, 9)(random) == 0 ? 10.0 : 0.0,
                    goodsOut && std::uniform_int_distribution<int>(0, 9)(random) == 0};
    }
    std::sort(lines.begin(), lines.end(), [](const Line &a, const Line &b) { return a.document < b.document; });

    // Opening quantities keep every counted product's balance above 0: opening + in - out >= 0.
    std::vector<double> net(options.products, 0.0);
    for (const Line &line : lines) {
        const int kind = documents[line.document].kind;
        if (kind == 1)
            net[line.product] -= line.quantity;
        else if (kind == 3)
            net[line.product] += line.quantity;
    }

    Transaction transaction(db);
    if (!transaction.begin(Transaction::Mode::Immediate, error))
        return false;
    const auto table = [&](const char *name) { return *FindTable(QString::fromLatin1(name)); };

    progress(QStringLiteral("products"));
    const TableDef product = table("product");
    if (!writer->begin(product, error))
        return false;
    std::vector<QString> productCodes(options.products), productNames(options.products), productUnits(options.products),
        productGroups(options.products);
    for (int i = 0; i < options.products; ++i) {
        productCodes[i] = QStringLiteral("P%1").arg(i + 1, 6, 10, QLatin1Char('0'));
        productNames[i] = QStringLiteral("%1 %2 %3").arg(Thai(Pick(kKinds, random)), Thai(Pick(kBrands, random)), Thai(Pick(kSizes, random)));
        productNames[i] = (productNames[i] + QStringLiteral(" รุ่น %1").arg(i % 997)).left(50);
        productUnits[i] = Thai(Pick(kUnits, random));
        productGroups[i] = QString::fromLatin1(Pick(kGroups, random));
        const bool counted = i % 50 != 49; // a few services are not counted
        const double opening = counted ? std::max(0.0, -net[i]) + std::uniform_int_distribution<int>(0, 50)(random) : 0.0;
        const QDate expiry = last.addDays(std::uniform_int_distribution<int>(-400, 800)(random));
        if (!writer->add(FullRow(product, {{"PRO_NO", productCodes[i]}, {"PRO_NAME", productNames[i]},
                                           {"PRO_GROUP", productGroups[i]}, {"PRO_UNIT", productUnits[i]},
                                           {"PRO_TOTAL", opening}, {"PRO_RORDER", double(std::uniform_int_distribution<int>(0, 30)(random))},
                                           {"CUT_STOCK", counted ? QStringLiteral("1") : QStringLiteral("0")},
                                           {"EXPIRE", i % 5 == 0 ? DateToText(expiry) : QString()},
                                           {"TAX_RATE", 7.0}, {"STATUS", QStringLiteral("1")}}),
                         error))
            return false;
    }
    if (!writer->finish(error))
        return false;

    progress(QStringLiteral("parties, employees and projects"));
    const auto person = [&] { return Thai(Pick(kFirstNames, random)) + u' ' + Thai(Pick(kLastNames, random)); };
    for (const auto &[name, count, prefix] : {std::tuple{"supply", suppliers, 'S'}, std::tuple{"customer", requisitioners, 'C'}}) {
        const TableDef def = table(name);
        if (!writer->begin(def, error))
            return false;
        for (int i = 0; i < count; ++i) {
            const QString shop = Thai(Pick(kShops, random)) + u' ' + person();
            if (!writer->add(FullRow(def, {{"CUST_NO", QStringLiteral("%1%2").arg(prefix).arg(i + 1, 4, 10, QLatin1Char('0'))},
                                           {"CUST_NAME", shop}, {"CUST_ADD1", QStringLiteral("%1 ถนนสุขุมวิท").arg(i + 1)},
                                           {"CUST_ADD4", Thai(Pick(kProvinces, random))}, {"CUST_ZIP", QStringLiteral("10110")},
                                           {"CUST_CRE", Thai(u"30 ว.")}}),
                             error))
                return false;
        }
        if (!writer->finish(error))
            return false;
    }
    const TableDef sale = table("sale");
    if (!writer->begin(sale, error))
        return false;
    for (int i = 0; i < employees; ++i) {
        if (!writer->add(FullRow(sale, {{"SALE_NO", QStringLiteral("E%1").arg(i + 1, 4, 10, QLatin1Char('0'))}, {"SALE_NAME", person()}}), error))
            return false;
    }
    if (!writer->finish(error))
        return false;
    const TableDef project = table("project");
    if (!writer->begin(project, error))
        return false;
    for (int i = 0; i < projects; ++i) {
        if (!writer->add(FullRow(project, {{"PROJ_NO", QStringLiteral("PJ%1").arg(i + 1, 4, 10, QLatin1Char('0'))},
                                           {"PROJ_NAME", QStringLiteral("โครงการที่ %1").arg(i + 1)}}),
                         error))
            return false;
    }
    if (!writer->finish(error))
        return false;

    // Headers and lines of each kind, the header totals computed from their lines.
    const struct
    {
        int kind;
        const char *header;
        const char *lines;
        const char *head;
        double posting;
    } kinds[] = {{1, "invoice", "invoice1", "ISSU1", 1}, {3, "order0", "order1", "RECV3", 2}, {5, "Tmpord", "Tmpord1", "TORD5", 6}};
    std::vector<double> totals(options.documents, 0.0);
    for (const Line &line : lines)
        totals[line.document] += line.quantity * line.unitPrice * (1 - line.discount / 100);
    const auto number = [&](const Document &d, const char *head) {
        return QString::fromLatin1(head) + QStringLiteral("%1").arg(d.number, 6, 10, QLatin1Char('0'));
    };
    for (const auto &k : kinds) {
        progress(QStringLiteral("%1 and %2").arg(QLatin1String(k.header), QLatin1String(k.lines)));
        const TableDef header = table(k.header);
        if (!writer->begin(header, error))
            return false;
        for (int i = 0; i < options.documents; ++i) {
            const Document &d = documents[i];
            if (d.kind != k.kind)
                continue;
            const QChar prefix = d.kind == 1 ? u'C' : u'S';
            if (!writer->add(FullRow(header, {{"INV_NO", number(d, k.head)}, {"INV_TYPE", QString::number(d.kind)},
                                              {"INV_DATE", DateToText(d.date)}, {"INV_TIME", QStringLiteral("10:30:00")},
                                              {"CUST_NO", QStringLiteral("%1%2").arg(prefix).arg(d.party + 1, 4, 10, QLatin1Char('0'))},
                                              {"CUST_NAME", QStringLiteral("คู่ค้าเลขที่ %1").arg(d.party + 1)},
                                              {"SALE_NO", QStringLiteral("E0001")}, {"TOTAL", totals[i]}, {"SUM_TOTAL", totals[i]}}),
                             error))
                return false;
        }
        if (!writer->finish(error))
            return false;
        const TableDef lineTable = table(k.lines);
        if (!writer->begin(lineTable, error))
            return false;
        for (const Line &line : lines) {
            const Document &d = documents[line.document];
            if (d.kind != k.kind)
                continue;
            const double net = line.quantity * line.unitPrice * (1 - line.discount / 100);
            if (!writer->add(FullRow(lineTable, {{"INV_NO", number(d, k.head)}, {"PRO_NO", productCodes[line.product]},
                                                 {"PRO_NAME", productNames[line.product]}, {"PRO_GROUP", productGroups[line.product]},
                                                 {"PRO_QTY", line.quantity}, {"PRO_UNIT", productUnits[line.product]},
                                                 {"UNIT_PRICE", line.unitPrice}, {"DISCOUNT", line.discount},
                                                 {"FOR_PROJ", line.project ? QStringLiteral("PJ%1").arg(line.product % projects + 1, 4, 10, QLatin1Char('0'))
                                                                           : QString()},
                                                 {"EARN", 1.0}, {"PRICE", net}, {"TOTAL", net}, {"TAX_RATE", 7.0},
                                                 {"CUT_STOCK", line.product % 50 != 49 ? QStringLiteral("1") : QStringLiteral("0")},
                                                 {"STK_POST", k.posting}}),
                             error))
                return false;
        }
        if (!writer->finish(error))
            return false;
    }
    progress(QStringLiteral("committing"));
    if (!transaction.commit(error))
        return false;
    progress(QStringLiteral("planner statistics"));
    QSqlQuery analyze(db);
    if (!analyze.exec(QStringLiteral("ANALYZE"))) {
        *error = analyze.lastError().text();
        return false;
    }
    return true;
}
