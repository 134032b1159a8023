#include "reports/stock_card_data.h"

#include "common/dates.h"
#include "db/schema.h"
#include "db/sql_statement.h"
#include "db/work_table.h"
#include "engine/transaction.h"
#include "report/query_rows.h"
#include "reports/report_queries.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const QString kDateKey = QString::fromLatin1(kHeaderDateKey);

// The two members of the card's statements, goods in and goods out: a header table joined with its
// lines on the document number, for one product.
struct CardTables
{
    const char *header;
    const char *lines;
    const char *product;  // the product parameter of the member
    const char *begin;    // the start-key parameter
    const char *end;      // the end-key parameter
};

constexpr CardTables kMembers[] = {
    {"order0", "order1", "ppro_no1", "mBegin1", "mEnd1"},
    {"Invoice", "Invoice1", "ppro_no", "mBegin", "mEnd"},
};

QString joinOf(const CardTables &t)
{
    return QStringLiteral(" from %1 join %2 on %1.Inv_No = %2.Inv_No ").arg(QLatin1String(t.header), QLatin1String(t.lines));
}

// The lines of the product dated before the start, added up by kind digit: the sums come from the
// line index (PRO_NO, INV_NO, PRO_QTY) and the header index (INV_NO, INV_DATE) alone.
QStringList openingStatement()
{
    QStringList lines;
    for (const CardTables &t : kMembers) {
        if (!lines.isEmpty())
            lines.append(QStringLiteral(" union all "));
        const QString kind = QStringLiteral("substr(%1.Inv_No,5,1)").arg(QLatin1String(t.lines));
        lines += {QStringLiteral(" select %1 as kind, sum(%2.Pro_Qty) as qty ").arg(kind, QLatin1String(t.lines)),
                  joinOf(t),
                  QStringLiteral(" where %1.pro_no = :%2 ").arg(QLatin1String(t.lines), QLatin1String(t.product)),
                  QStringLiteral(" and (%1 < :%2 ) ").arg(kDateKey, QLatin1String(t.begin)),
                  QStringLiteral(" group by %1 ").arg(kind)};
    }
    return lines;
}

// The work table's columns; the texts as wide as the document tables' (the party name 100, the
// product code 15), so nothing copied into it is cut.
QStringList createStatement(QSqlDatabase db)
{
    const auto text = [&db](int width) { return WorkTableTextType(db, width); };
    return {QStringLiteral(" create temp table stock "),
            QStringLiteral(" (Auto integer, Inv_no %1, Inv_Date %2, Due_Date %2, Cust_no %3, Cust_Name %4, "
                           "Sum_Total double precision, Fg_Ok integer, ")
                .arg(text(20), text(10), text(10), text(100)),
            QStringLiteral(" Pro_No %1, Pro_Name %2, Pro_Qty double precision, Pro_Unit %3, Price double precision) ")
                .arg(text(15), text(50), text(10))};
}

// Every line of the product on a goods-in or goods-out document dated from the start to the end,
// both included, into the work table. The lines are chosen from the line index (PRO_NO, INV_NO)
// and the header index (INV_NO, INV_DATE) alone; only the chosen ones are then read whole.
QStringList fillStatement()
{
    QStringList lines = {QStringLiteral(" insert into stock (Auto,Inv_no,Inv_Date,Due_Date,Cust_No, "),
                         QStringLiteral(" cust_name,sum_total,fg_ok, "),
                         QStringLiteral(" pro_no,pro_name,pro_qty,pro_unit,price ) ")};
    bool first = true;
    for (const CardTables &t : kMembers) {
        if (!first)
            lines.append(QStringLiteral(" union "));
        first = false;
        const QLatin1String h(t.header), l(t.lines);
        lines += {QStringLiteral(" select l.Auto,h.Inv_no,h.Inv_Date,h.Due_Date,h.Cust_no,h.Cust_Name,h.Sum_Total,h.Fg_Ok, "),
                  QStringLiteral(" l.Pro_No, l.Pro_Name, l.Pro_Qty, l.Pro_Unit, l.Price "),
                  QStringLiteral(" from %1 h join %2 l on h.Inv_No = l.Inv_No ").arg(h, l),
                  QStringLiteral(" where l.Auto in (select %1.Auto ").arg(l),
                  joinOf(t),
                  QStringLiteral(" where %1.pro_no = :%2 ").arg(l, QLatin1String(t.product)),
                  QStringLiteral(" and (%1 between :%2 and :%3)) ").arg(kDateKey, QLatin1String(t.begin), QLatin1String(t.end))};
    }
    return lines;
}

const QStringList kDropStatement = {QStringLiteral(" drop table if exists stock ")};

const QStringList kListStatement = {
    QStringLiteral(" select Auto,Inv_no,Inv_Date,Due_Date,Cust_no,Cust_Name,Sum_Total,Fg_Ok, "),
    QStringLiteral(" Pro_No, Pro_Name, Pro_Qty, Pro_Unit, Price from stock "),
    QStringLiteral(" order by substr(Inv_Date,7,4)||substr(Inv_Date,4,2)||substr(Inv_Date,1,2), Inv_no, Auto "),
};

// Runs a statement that takes no values and that the server cannot prepare (it prepares no
// CREATE or DROP).
bool runDefinition(QSqlDatabase db, const QStringList &lines, QString *error)
{
    QSqlQuery statement(db);
    if (statement.exec(lines.join(QLatin1Char('\n'))))
        return true;
    if (error)
        *error = statement.lastError().text();
    return false;
}

} // namespace

Movement MovementOf(const QString &invNo)
{
    const QChar kind = invNo.size() >= 5 ? invNo.at(4) : QChar();
    if (kind == u'3' || kind == u'4')
        return Movement::Receipt;
    if (kind == u'1' || kind == u'2')
        return Movement::Issue;
    return Movement::Neither;
}

bool StockCardQuery::process(const StockCardRequest &request, StockCardResult *result, QString *error)
{
    *result = StockCardResult();
    const QString code = request.productCode.trimmed();
    const QString startKey = DateKey(request.startText);
    const QString endKey = DateKey(request.endText);
    if (!readOpening(code, startKey, result, error) || !fillWorkTable(code, startKey, endKey, error)
        || !readWorkTable(result, error)) {
        *result = StockCardResult();
        return false;
    }
    return true;
}

bool StockCardQuery::readOpening(const QString &code, const QString &startKey, StockCardResult *result, QString *error)
{
    SqlStatement opening(m_db, openingStatement());
    opening.query().setForwardOnly(true);
    opening.bind(QStringLiteral("ppro_no1"), code).bind(QStringLiteral("ppro_no"), code);
    opening.bind(QStringLiteral("mBegin1"), startKey).bind(QStringLiteral("mBegin"), startKey);
    if (!opening.exec(error))
        return false;
    QSqlQuery &query = opening.query();
    while (query.next()) {
        // The kind digit alone decides; the document number's first four characters are the prefix.
        const Movement movement = MovementOf(QStringLiteral("0000") + query.value(0).toString());
        if (movement == Movement::Receipt)
            result->openingReceipts += query.value(1).toDouble();
        else if (movement == Movement::Issue)
            result->openingIssues += query.value(1).toDouble();
    }
    return true;
}

bool StockCardQuery::fillWorkTable(const QString &code, const QString &startKey, const QString &endKey, QString *error)
{
    // A failure rolls the drop back too, so the table is there exactly when m_workTable says so.
    Transaction transaction(m_db);
    if (!transaction.begin(Transaction::Mode::Deferred, error)
        || (m_workTable && !runDefinition(m_db, kDropStatement, error))
        || !runDefinition(m_db, createStatement(m_db), error))
        return false;
    SqlStatement fill(m_db, fillStatement());
    fill.bind(QStringLiteral("ppro_no1"), code).bind(QStringLiteral("ppro_no"), code);
    fill.bind(QStringLiteral("mBegin1"), startKey).bind(QStringLiteral("mBegin"), startKey);
    fill.bind(QStringLiteral("mEnd1"), endKey).bind(QStringLiteral("mEnd"), endKey);
    if (!fill.exec(error) || !transaction.commit(error))
        return false;
    m_workTable = true;
    return true;
}

bool StockCardQuery::readWorkTable(StockCardResult *result, QString *error)
{
    SqlStatement list(m_db, kListStatement);
    list.query().setForwardOnly(true);
    if (!list.exec(error))
        return false;
    result->rows = ReadAllRows(list.query());
    for (const QVariantMap &row : std::as_const(result->rows)) {
        const double quantity = row.value(QStringLiteral("PRO_QTY")).toDouble();
        switch (MovementOf(row.value(QStringLiteral("INV_NO")).toString())) {
        case Movement::Receipt:
            result->periodReceipts += quantity;
            break;
        case Movement::Issue:
            result->periodIssues += quantity;
            break;
        case Movement::Neither:
            break;
        }
    }
    return true;
}

bool StockCardQuery::dropWorkTable(QString *error)
{
    // Only a table this object made: the server would note each drop of a missing one.
    if (!m_workTable)
        return true;
    if (!runDefinition(m_db, kDropStatement, error))
        return false;
    m_workTable = false;
    return true;
}

QStringList StockCardQuery::statementTexts()
{
    return {openingStatement().join(QLatin1Char('\n')), fillStatement().join(QLatin1Char('\n'))};
}

bool StockCardQuery::productCodes(QSqlDatabase db, QStringList *codes, QString *error)
{
    return ReadTextList(db,
                        {QStringLiteral(" select distinct pro_no from invoice1 "), QStringLiteral(" union "),
                         QStringLiteral(" select distinct pro_no from order1 "), QStringLiteral(" order by pro_no ")},
                        codes, error);
}

QList<QVariantMap> WithCardColumns(const QList<QVariantMap> &rows, double openingBalance, const QString &pack)
{
    const QString mode = pack.trimmed();
    double runningIn = 0, runningOut = 0;
    QList<QVariantMap> listed;
    listed.reserve(rows.size());
    for (QVariantMap row : rows) {
        const double quantity = row.value(QStringLiteral("PRO_QTY")).toDouble();
        QVariant in, out, balance; // null: an empty cell
        if (mode == u"1") {
            const Movement movement = MovementOf(row.value(QStringLiteral("INV_NO")).toString());
            if (movement != Movement::Neither) {
                in = movement == Movement::Receipt ? quantity : 0.0;
                out = movement == Movement::Issue ? quantity : 0.0;
                runningIn += in.toDouble();
                runningOut += out.toDouble();
                balance = openingBalance + runningIn - runningOut;
            }
        } else if (mode == u"0") {
            in = quantity;
            out = quantity;
            runningIn += quantity;
            runningOut += quantity;
            balance = runningIn - runningOut;
        }
        row.insert(QStringLiteral("MIN"), in);
        row.insert(QStringLiteral("MOUT"), out);
        row.insert(QStringLiteral("MBALANCE"), balance);
        listed.append(row);
    }
    return listed;
}
