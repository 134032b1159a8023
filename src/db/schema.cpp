#include "db/schema.h"

#include "engine/data_store.h"
#include "engine/statistics.h"
#include "engine/transaction.h"

#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <iterator>

namespace {

ColumnDef text(const char *name, int width)
{
    return {QString::fromLatin1(name), ColumnType::Text, width};
}
ColumnDef dbl(const char *name)
{
    return {QString::fromLatin1(name), ColumnType::Double, 0};
}
ColumnDef small(const char *name)
{
    return {QString::fromLatin1(name), ColumnType::SmallInt, 0};
}
ColumnDef graphic(const char *name)
{
    return {QString::fromLatin1(name), ColumnType::Graphic, 0};
}

void addNumbered(QList<ColumnDef> &columns, const char *stem, int first, int last, ColumnDef (*make)(const char *, int), int width)
{
    for (int i = first; i <= last; ++i)
        columns.append(make(QStringLiteral("%1%2").arg(QLatin1String(stem)).arg(i).toLatin1().constData(), width));
}

QList<ColumnDef> settingsColumns()
{
    QList<ColumnDef> c = {text("OF_NAME", 80), text("OF_ADD1", 80), text("OF_ADD2", 80), text("OF_ADD3", 80),
                          text("OF_ADD4", 80), text("OF_ZIP", 5),   text("OF_ADD5", 1),  text("OF_TAXID", 13),
                          text("OF_TEL", 25),  text("OF_FAX", 25),  text("OF_EMAIL", 50), graphic("OF_MENU"),
                          text("OF_PHEAD", 1), text("OF_STATE", 1)};
    addNumbered(c, "PREFIX", 1, 9, text, 4);
    addNumbered(c, "LINE", 1, 5, text, 1);
    addNumbered(c, "VIEW", 1, 4, text, 1);
    addNumbered(c, "HEAD", 1, 4, text, 80);
    addNumbered(c, "FOOT", 1, 4, text, 80);
    c += {graphic("OF_LOGO"),     dbl("PRN_TOP"),         dbl("PRN_LEFT"),      text("PRN_PREVIEW", 1),
          text("PRN_LOGO", 1),    text("COM_PORT", 1),    text("SKIN_BUSINESS", 1), text("SKIN_SERVICE", 1),
          text("SKIN_RENT", 1),   text("TYPE_VAT", 1),    text("OF_NO", 3),     text("APP_PATH", 100),
          text("LINE6", 1),       text("PACK", 20),       text("POS_CHK_STK", 1), text("POS_PRINT", 1),
          text("H_BILL_IN", 80),  text("H_BILL_OUT", 80), text("H_BILL_ORDER", 80), text("M_IN", 10),
          text("M_OUT", 10),      text("F_IN", 20),       text("F_OUT", 20),    text("F_APPROVE", 20),
          text("F_REM_IN", 80),   text("F_REM_OUT", 80)};
    return c;
}

QList<ColumnDef> productColumns()
{
    QList<ColumnDef> c = {text("PRO_NO", 15),   text("PRO_NAME", 50), text("ATTRIB", 200), text("PRO_GROUP", 5),
                          dbl("PRO_BPRICE"),    dbl("PRO_SPRICE"),    dbl("PRO_RPRICE"),   dbl("EARN"),
                          dbl("FINE"),          text("F_VAT", 1),     text("WARN_TERM", 10), dbl("PRO_TOTAL"),
                          text("PRO_UNIT", 10), text("PRO_PACK", 15), dbl("PRO_RORDER"),   text("LAST_BUY", 10),
                          text("LAST_SALE", 10), text("INVEN_NO", 2), text("INV_NO", 11),  text("FP", 1)};
    for (int i = 2; i <= 5; ++i)
        c.append(dbl(QStringLiteral("PRO_SP%1").arg(i).toLatin1().constData()));
    c += {text("CUT_STOCK", 1), dbl("TAX_RATE"),   text("EXPIRE", 10), text("HOW_TO", 200), text("EFFECT", 200),
          text("LOCATE", 50),   text("STATUS", 1), text("DAMAGE", 50)};
    return c;
}

QList<ColumnDef> partyColumns()
{
    return {text("CUST_NO", 5),    text("CUST_FLAG", 1), text("CUST_HEAD", 6),  text("CUST_NAME", 100),
            text("CUST_CARD", 13), text("CUST_BIRTH", 10), text("CUST_ATTN", 50), text("CUST_ADD1", 80),
            text("CUST_ADD2", 80), text("CUST_ADD3", 80), text("CUST_ADD4", 80), text("CUST_ADD5", 1),
            text("CUST_ZIP", 5),   text("CUST_TEL", 25),  text("CUST_FAX", 25),  text("CUST_CRE", 6),
            dbl("CUST_DISC"),      text("CUST_GROUP", 1)};
}

QList<ColumnDef> employeeColumns()
{
    return {text("SALE_NO", 5),    text("SALE_NAME", 80), dbl("SALE_COM"),      text("SALE_ADD1", 80),
            text("SALE_ADD2", 80), text("SALE_ADD3", 80), text("SALE_ADD4", 80), text("SALE_ZIP", 5),
            text("SALE_TEL", 25),  dbl("SALARY")};
}

QList<ColumnDef> accountColumns()
{
    // PASSWD holds the salted digest of a password of up to 16 characters.
    QList<ColumnDef> c = {text("USRNAME", 16), {QStringLiteral("PASSWD"), ColumnType::Text, 16, 200}, text("NAME", 40),
                          text("POSITION", 20)};
    for (int i = 1; i <= 30; ++i)
        c.append(small(QStringLiteral("AC%1").arg(i).toLatin1().constData()));
    c.append(text("PER_NO", 5));
    return c;
}

QList<ColumnDef> headerColumns()
{
    return {text("INV_NO", 11),    text("OF_NO", 2),       text("RET_NO", 11),    text("REF_BILL", 11),
            text("P_BILL", 11),    text("INV_TYPE", 1),    text("INV_DATE", 10),  text("INV_TIME", 11),
            text("WARN_DATE", 10), text("RET_DATE", 10),   text("CUST_NO", 5),    text("CUST_NAME", 100),
            text("CUST_CARD", 13), text("CUST_BIRTH", 10), text("SALE_NO", 13),   text("SALE_NAME", 50),
            text("REF_ORDER", 20), dbl("TAX_RATE"),        dbl("TOTAL"),          dbl("TAX"),
            dbl("SUM_TOTAL"),      text("DUE_DATE", 10),   text("GET_BILL", 10),  small("FG_BILL"),
            text("GET_MONEY", 10), small("FG_MONEY"),      text("MONEY_OK", 10),  small("FG_OK"),
            text("CUST_CRE", 6),   dbl("CUST_DISC"),       dbl("EARN"),           dbl("DISCOUNT"),
            text("ID_CODE2", 20),  text("ID_CODE3", 20),   text("ID_CODE4", 20),  text("ID_CODE1", 20),
            text("FP", 1),         text("FG_END", 1),      text("FG_BYE", 1)};
}

QList<ColumnDef> lineColumns()
{
    return {{QStringLiteral("AUTO"), ColumnType::AutoInc, 0},
            text("INV_NO", 11),    text("PRO_NO", 15),   text("PRO_NAME", 50), text("PRO_GROUP", 5),
            text("ATTRIB", 40),    text("ATTRIB2", 40),  dbl("PRO_QTY"),       text("PRO_UNIT", 10),
            dbl("UNIT_PRICE"),     text("FOR_PROJ", 10), dbl("EARN"),          text("WARN_DATE", 10),
            dbl("DISCOUNT"),       text("V_STATUS", 1),  dbl("PRICE"),         dbl("S_PRICE"),
            small("FG_BILL"),      text("P_BILL", 11),   dbl("TAX_RATE"),      dbl("TAX"),
            dbl("TOTAL"),          text("CUT_STOCK", 1), dbl("STK_POST")};
}

QList<TableDef> buildTables()
{
    const QString inv = QStringLiteral("INV_NO");
    // The second lookup covers the balance sums: a product's lines of one posting code and their
    // quantities are read from the index alone, never from the table.
    const QStringList lineLookups = {QStringLiteral("INV_NO"), QStringLiteral("PRO_NO, STK_POST, PRO_QTY")};
    // The reports read goods in and goods out by date and by product: a month's documents through
    // the index on the date key, a product's lines with their documents and quantities (the stock
    // card) from the line and header indexes alone.
    const QStringList reportLineLookups = lineLookups + QStringList{QStringLiteral("PRO_NO, INV_NO, PRO_QTY")};
    const QStringList reportHeaderLookups = {QStringLiteral("INV_NO, INV_DATE"),
                                             QLatin1Char('(') + QLatin1String(kHeaderDateKey) + QLatin1Char(')')};
    return {
        {QStringLiteral("orvexsys"), settingsColumns(), QStringLiteral("OF_NO"), {}},
        {QStringLiteral("product"), productColumns(), QStringLiteral("PRO_NO"), {}},
        {QStringLiteral("customer"), partyColumns(), QStringLiteral("CUST_NO"), {}},
        {QStringLiteral("supply"), partyColumns(), QStringLiteral("CUST_NO"), {}},
        {QStringLiteral("sale"), employeeColumns(), QStringLiteral("SALE_NO"), {}},
        {QStringLiteral("project"),
         {text("PROJ_NO", 10), text("PROJ_NAME", 40), text("PROJ_DESC", 200)},
         QStringLiteral("PROJ_NO"),
         {}},
        {QStringLiteral("market"), accountColumns(), QStringLiteral("USRNAME"), {}},
        {QStringLiteral("invoice"), headerColumns(), inv, reportHeaderLookups},
        {QStringLiteral("invoice1"), lineColumns(), QString(), reportLineLookups},
        {QStringLiteral("order0"), headerColumns(), inv, reportHeaderLookups},
        {QStringLiteral("order1"), lineColumns(), QString(), reportLineLookups},
        {QStringLiteral("Tmpord"), headerColumns(), inv, {}},
        {QStringLiteral("Tmpord1"), lineColumns(), QString(), lineLookups},
    };
}

// The file keeps TEXT of any length (the windows enforce the widths); the server refuses an
// over-long text, and sorts and compares texts by their code points as the file does.
QString sqlType(const ColumnDef &column, EngineKind engine)
{
    const bool server = engine == EngineKind::Server;
    switch (column.type) {
    case ColumnType::Text:
        return server ? QStringLiteral("varchar(%1) COLLATE \"C\"").arg(std::max(column.width, column.storedWidth))
                      : QStringLiteral("TEXT");
    case ColumnType::Double:
        return server ? QStringLiteral("double precision") : QStringLiteral("REAL");
    case ColumnType::SmallInt:
        return server ? QStringLiteral("smallint") : QStringLiteral("INTEGER");
    case ColumnType::Integer:
        return QStringLiteral("INTEGER");
    case ColumnType::AutoInc:
        // Never reused: the file's AUTOINCREMENT, the server's identity (by default, so that a copy
        // moved from a file keeps its keys).
        return server ? QStringLiteral("integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY")
                      : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case ColumnType::Graphic:
        return server ? QStringLiteral("bytea") : QStringLiteral("BLOB");
    }
    return {};
}

bool exec(QSqlDatabase db, const QString &sql, QString *error)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    if (error)
        *error = query.lastError().text() + QStringLiteral(" [") + sql + QLatin1Char(']');
    return false;
}

// The data version: PRAGMA user_version of the file, the one row of larderon_schema on a server.
bool storedVersion(QSqlDatabase db, int *version, QString *error)
{
    const bool server = EngineOf(db) == EngineKind::Server;
    QSqlQuery query(db);
    if (server) {
        // A database without the table holds no data of this program (version 0).
        if (!query.exec(QStringLiteral("SELECT to_regclass('larderon_schema') IS NOT NULL")) || !query.next()) {
            if (error)
                *error = query.lastError().text();
            return false;
        }
        if (!query.value(0).toBool()) {
            *version = 0;
            return true;
        }
    }
    if (!query.exec(server ? QStringLiteral("SELECT version FROM larderon_schema") : QStringLiteral("PRAGMA user_version"))
        || !query.next()) {
        if (error)
            *error = query.lastError().text();
        return false;
    }
    *version = query.value(0).toInt();
    return true;
}

bool stampVersion(QSqlDatabase db, QString *error)
{
    if (EngineOf(db) == EngineKind::File)
        return exec(db, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion), error);
    QSqlQuery stamp(db);
    stamp.prepare(QStringLiteral("UPDATE larderon_schema SET version = :version"));
    stamp.bindValue(QStringLiteral(":version"), kSchemaVersion);
    if (stamp.exec() && stamp.numRowsAffected() == 1)
        return true;
    if (error)
        *error = stamp.lastError().text();
    return false;
}

// Refuses versions this build cannot use: newer ones, and those no build of it ever wrote.
bool acceptVersion(qint64 version, const QString &fileName, QString *error)
{
    if (version > kSchemaVersion) {
        if (error)
            *error = QStringLiteral("The database file was made by a newer version of the program (data version %1, this program knows %2)")
                         .arg(QString::number(version), QString::number(kSchemaVersion));
        return false;
    }
    if (version < 1) {
        if (error)
            *error = QStringLiteral("The file '%1' is not a data file of this program").arg(fileName);
        return false;
    }
    return true;
}

QString lookupIndexSql(const TableDef &table, int index)
{
    return QStringLiteral("CREATE INDEX %1_lookup%2 ON %1 (%3)").arg(table.name).arg(index + 1).arg(table.lookups[index]);
}

// Version 1 looked lines up by (PRO_NO, STK_POST); version 2 adds PRO_QTY to that index so the
// balance sums never touch the line rows.
bool addBalanceCoveringIndexes(QSqlDatabase db, QString *error)
{
    for (const char *name : {"invoice1", "order1", "Tmpord1"}) {
        const TableDef *table = FindTable(QString::fromLatin1(name));
        if (!exec(db, QStringLiteral("DROP INDEX IF EXISTS %1_lookup2").arg(table->name), error)
            || !exec(db, lookupIndexSql(*table, 1), error))
            return false;
    }
    return true;
}

// Version 3 adds the report indexes: the date key and (INV_NO, INV_DATE) on the goods-in and
// goods-out headers, (PRO_NO, INV_NO, PRO_QTY) on their lines.
bool addReportIndexes(QSqlDatabase db, QString *error)
{
    const struct
    {
        const char *table;
        int firstNew;
    } added[] = {{"invoice", 0}, {"order0", 0}, {"invoice1", 2}, {"order1", 2}};
    for (const auto &a : added) {
        const TableDef *table = FindTable(QString::fromLatin1(a.table));
        for (int i = a.firstNew; i < table->lookups.size(); ++i) {
            if (!exec(db, lookupIndexSql(*table, i), error))
                return false;
        }
    }
    return true;
}

// Upgrade steps: entry i turns a version-(i+1) file into version i+2.
using UpgradeStep = bool (*)(QSqlDatabase, QString *);
const UpgradeStep kUpgradeSteps[] = {addBalanceCoveringIndexes, addReportIndexes};
static_assert(std::size(kUpgradeSteps) == kSchemaVersion - 1, "every version needs its upgrade step");

} // namespace

const QList<TableDef> &SchemaTables()
{
    static const QList<TableDef> tables = buildTables();
    return tables;
}

const TableDef *FindTable(const QString &name)
{
    for (const TableDef &table : SchemaTables()) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    }
    return nullptr;
}

int ColumnWidth(const QString &table, const QString &column)
{
    if (const TableDef *def = FindTable(table)) {
        for (const ColumnDef &c : def->columns) {
            if (c.name.compare(column, Qt::CaseInsensitive) == 0)
                return c.type == ColumnType::Text ? c.width : 0;
        }
    }
    return 0;
}

bool CreateSchema(QSqlDatabase db, QString *error)
{
    const EngineKind engine = EngineOf(db);
    if (engine == EngineKind::Server
        && !(exec(db, QStringLiteral("CREATE TABLE larderon_schema (version integer NOT NULL)"), error)
             && exec(db, QStringLiteral("INSERT INTO larderon_schema (version) VALUES (0)"), error)))
        return false;
    for (const TableDef &table : SchemaTables()) {
        QStringList columns;
        for (const ColumnDef &column : table.columns)
            columns.append(column.name + QLatin1Char(' ') + sqlType(column, engine));
        if (!exec(db, QStringLiteral("CREATE TABLE %1 (%2)").arg(table.name, columns.join(QStringLiteral(", "))), error))
            return false;
        if (!table.key.isEmpty()
            && !exec(db, QStringLiteral("CREATE UNIQUE INDEX %1_key ON %1 (%2)").arg(table.name, table.key), error))
            return false;
        for (int i = 0; i < table.lookups.size(); ++i) {
            if (!exec(db, lookupIndexSql(table, i), error))
                return false;
        }
    }
    return stampVersion(db, error);
}

bool UpgradeSchema(QSqlDatabase db, QString *error)
{
    int version = 0;
    if (!storedVersion(db, &version, error))
        return false;
    if (version == kSchemaVersion)
        return true;
    if (!acceptVersion(version, db.databaseName(), error))
        return false;
    Transaction transaction(db);
    if (!transaction.begin(Transaction::Mode::Immediate, error))
        return false;
    // Another copy may have upgraded the file while this one waited for the lock.
    if (!storedVersion(db, &version, error) || !acceptVersion(version, db.databaseName(), error))
        return false;
    const bool upgrading = version < kSchemaVersion;
    for (; version < kSchemaVersion; ++version) {
        if (!kUpgradeSteps[version - 1](db, error))
            return false;
    }
    if (!stampVersion(db, error) || !transaction.commit(error))
        return false;
    // The new indexes are planned by figures only once they have been analysed. The upgrade stands
    // without them; they are made again when a report window closes.
    if (upgrading)
        UpdatePlannerStatistics(db, nullptr);
    return true;
}

bool CheckDataFileHeader(const DatabaseFileHeader &header, QString *error)
{
    return acceptVersion(header.userVersion, header.path, error);
}
