#include "db/stock_balance.h"

namespace {

const QStringList kGoodsInSum = {QStringLiteral(" select sum(Pro_Qty) from Order1 "),
                                 QStringLiteral(" where pro_No = :mPro_No and stk_post = 2.00 ")};
const QStringList kGoodsOutSum = {QStringLiteral(" select sum(Pro_Qty) from invoice1 "),
                                  QStringLiteral(" where pro_No = :mPro_No and stk_post = 1.00 ")};
const QStringList kOpening = {QStringLiteral(" select Pro_Total from product where pro_No = :mPro_No ")};

// One statement, one round trip: each sum is a subquery answered from its covering index.
QString Subquery(const QStringList &lines)
{
    return QStringLiteral(" (") + lines.join(QString()) + QStringLiteral(") ");
}
const QStringList kPostedSums = {QStringLiteral(" select coalesce(") + Subquery(kGoodsInSum) + QStringLiteral(", 0), "),
                                 QStringLiteral(" coalesce(") + Subquery(kGoodsOutSum) + QStringLiteral(", 0) ")};
const QStringList kBalance = {QStringLiteral(" select coalesce(") + Subquery(kOpening) + QStringLiteral(", 0) "),
                              QStringLiteral(" + coalesce(") + Subquery(kGoodsInSum) + QStringLiteral(", 0) "),
                              QStringLiteral(" - coalesce(") + Subquery(kGoodsOutSum) + QStringLiteral(", 0) ")};

SqlStatement forwardOnly(QSqlDatabase db, const QStringList &lines)
{
    SqlStatement statement(db, lines);
    statement.query().setForwardOnly(true);
    return statement;
}

bool addSums(QSqlDatabase db, const QStringList &lines, bool goodsIn, QHash<QString, PostedSums> &sums, QString *error)
{
    SqlStatement statement(db, lines);
    if (!statement.exec(error))
        return false;
    QSqlQuery &query = statement.query();
    while (query.next()) {
        PostedSums &entry = sums[query.value(0).toString()];
        (goodsIn ? entry.in : entry.out) += query.value(1).toDouble();
    }
    return true;
}

} // namespace

StockBalanceQuery::StockBalanceQuery(QSqlDatabase db)
    : m_posted(forwardOnly(db, kPostedSums))
    , m_balance(forwardOnly(db, kBalance))
{
}

QStringList StockBalanceQuery::sumStatementTexts()
{
    return {kGoodsInSum.join(QLatin1Char('\n')), kGoodsOutSum.join(QLatin1Char('\n'))};
}

QString StockBalanceQuery::balanceStatementText()
{
    return kBalance.join(QLatin1Char('\n'));
}

bool StockBalanceQuery::run(SqlStatement &statement, const QString &productCode, double *first, double *second,
                            QString *error)
{
    statement.bind(QStringLiteral("mPro_No"), productCode);
    if (!statement.exec(error))
        return false;
    QSqlQuery &query = statement.query();
    const bool row = query.next();
    *first = row ? query.value(0).toDouble() : 0;
    if (second)
        *second = row ? query.value(1).toDouble() : 0;
    // Ends the read now instead of at the next run, so no lock outlives the call.
    query.finish();
    return true;
}

std::optional<PostedSums> StockBalanceQuery::posted(const QString &productCode, QString *error)
{
    PostedSums sums;
    if (!run(m_posted, productCode, &sums.in, &sums.out, error))
        return std::nullopt;
    return sums;
}

std::optional<double> StockBalanceQuery::balance(const QString &productCode, double opening, QString *error)
{
    const auto sums = posted(productCode, error);
    if (!sums)
        return std::nullopt;
    return opening + sums->in - sums->out;
}

std::optional<double> StockBalanceQuery::balance(const QString &productCode, QString *error)
{
    double value = 0;
    if (!run(m_balance, productCode, &value, nullptr, error))
        return std::nullopt;
    return value;
}

std::optional<QHash<QString, PostedSums>> PostedSumsByProduct(QSqlDatabase db, QString *error)
{
    QHash<QString, PostedSums> sums;
    if (!addSums(db,
                 {QStringLiteral(" select pro_no, sum(pro_qty) from order1 "),
                  QStringLiteral(" where stk_post = 2.00 group by pro_no ")},
                 true, sums, error)
        || !addSums(db,
                    {QStringLiteral(" select pro_no, sum(pro_qty) from invoice1 "),
                     QStringLiteral(" where stk_post = 1.00 group by pro_no ")},
                    false, sums, error))
        return std::nullopt;
    return sums;
}
