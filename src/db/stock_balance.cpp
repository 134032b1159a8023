#include "db/stock_balance.h"

namespace {

const QStringList kGoodsInSum = {QStringLiteral(" select sum(Pro_Qty) from Order1 "),
                                 QStringLiteral(" where pro_No = :mPro_No and stk_post = 2.00 ")};
const QStringList kGoodsOutSum = {QStringLiteral(" select sum(Pro_Qty) from invoice1 "),
                                  QStringLiteral(" where pro_No = :mPro_No and stk_post = 1.00 ")};
const QStringList kOpening = {QStringLiteral(" select Pro_Total from product where pro_No = :mPro_No ")};

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
    : m_goodsIn(forwardOnly(db, kGoodsInSum))
    , m_goodsOut(forwardOnly(db, kGoodsOutSum))
    , m_opening(forwardOnly(db, kOpening))
{
}

QStringList StockBalanceQuery::sumStatementTexts()
{
    return {kGoodsInSum.join(QLatin1Char('\n')), kGoodsOutSum.join(QLatin1Char('\n'))};
}

std::optional<double> StockBalanceQuery::scalar(SqlStatement &statement, const QString &productCode, QString *error)
{
    statement.bind(QStringLiteral("mPro_No"), productCode);
    if (!statement.exec(error))
        return std::nullopt;
    QSqlQuery &query = statement.query();
    // The sum of no lines and an empty PRO_TOTAL are NULL, which reads as 0.
    const double value = query.next() ? query.value(0).toDouble() : 0;
    // Ends the read now instead of at the next run, so no lock outlives the call.
    query.finish();
    return value;
}

std::optional<PostedSums> StockBalanceQuery::posted(const QString &productCode, QString *error)
{
    const auto in = scalar(m_goodsIn, productCode, error);
    if (!in)
        return std::nullopt;
    const auto out = scalar(m_goodsOut, productCode, error);
    if (!out)
        return std::nullopt;
    return PostedSums{*in, *out};
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
    const auto opening = scalar(m_opening, productCode, error);
    if (!opening)
        return std::nullopt;
    return balance(productCode, *opening, error);
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
