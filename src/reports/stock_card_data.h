#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// The stock card of one product over one period: the balance brought forward from the lines dated
// before the period, and every goods-in and goods-out line of the period in date order with the
// running balance.

// What a movement row is, by the kind digit of its document number (its fifth character):
// "3"/"4" goods in, "1"/"2" goods out, anything else neither (never added to a total).
enum class Movement { Receipt, Issue, Neither };
Movement MovementOf(const QString &invNo);

struct StockCardRequest
{
    QString productCode; // trimmed before use
    QString startText;   // dd/mm/yyyy, Buddhist era; both days are included
    QString endText;
};

struct StockCardResult
{
    double openingReceipts = 0;
    double openingIssues = 0;
    double periodReceipts = 0;
    double periodIssues = 0;
    // The period's lines from the work table in date order (the yyyymmdd key of INV_DATE), then by
    // document number and by the line's entry. Columns (upper case): AUTO (the line's number),
    // INV_NO, INV_DATE, DUE_DATE, CUST_NO, CUST_NAME, SUM_TOTAL, FG_OK, PRO_NO, PRO_NAME, PRO_QTY,
    // PRO_UNIT, PRICE.
    QList<QVariantMap> rows;

    double openingBalance() const { return openingReceipts - openingIssues; }
    double closingBalance() const { return openingBalance() + periodReceipts - periodIssues; }
};

// The card's queries on one connection. The period's rows go through the work table "stock",
// a temporary table of this connection, made again by each process() and dropped by
// dropWorkTable() (or with the connection). Its text columns are as wide as the document tables'
// columns, so long product codes and party names are kept whole.
class StockCardQuery
{
public:
    explicit StockCardQuery(QSqlDatabase db) : m_db(std::move(db)) {}

    bool process(const StockCardRequest &request, StockCardResult *result, QString *error);
    bool dropWorkTable(QString *error);

    // The texts of the statement of the balance brought forward and of the one that fills the
    // work table, for plan checks.
    static QStringList statementTexts();

    // Every product code on a goods-out or goods-in line, ascending, each once.
    static bool productCodes(QSqlDatabase db, QStringList *codes, QString *error);

private:
    bool readOpening(const QString &code, const QString &startKey, StockCardResult *result, QString *error);
    bool fillWorkTable(const QString &code, const QString &startKey, const QString &endKey, QString *error);
    bool readWorkTable(StockCardResult *result, QString *error);

    QSqlDatabase m_db;
    bool m_workTable = false; // the work table exists on the connection
};

// The card's computed columns MIN, MOUT and MBALANCE added to each row, as the listing reaches the
// rows in order from running sums that start at 0. The settings column PACK decides:
// "1": MIN the quantity of a receipt (else 0), MOUT that of an issue (else 0), MBALANCE the
//      opening balance plus the running receipts minus the running issues; a row that is neither
//      gets empty (null) cells and leaves the sums alone;
// "0": MIN and MOUT both the row's quantity, MBALANCE the running MIN sum minus the running MOUT
//      sum (0; the opening balance is not added);
// any other value: all three empty.
QList<QVariantMap> WithCardColumns(const QList<QVariantMap> &rows, double openingBalance, const QString &pack);
