#include "db/stock_balance.h"

#include "db/sql_statement.h"

namespace {

std::optional<double> sumOf(QSqlDatabase db, const QStringList &lines, const QString &productCode, QString *error)
{
    SqlStatement statement(db, lines);
    statement.bind(QStringLiteral("mPro_No"), productCode);
    if (!statement.exec(error))
        return std::nullopt;
    double sum = 0;
    while (statement.query().next())
        sum += statement.query().value(QStringLiteral("Pro_Qty")).toDouble();
    return sum;
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

std::optional<double> StockBalance(QSqlDatabase db, const QString &productCode, QString *error)
{
    SqlStatement opening(db, {QStringLiteral(" select Pro_Total from product where pro_No = :mPro_No ")});
    opening.bind(QStringLiteral("mPro_No"), productCode);
    bool ok = false;
    const double base = QueryScalar(opening, error, &ok).toDouble(); // empty reads as 0
    if (!ok)
        return std::nullopt;

    const auto in = sumOf(db,
                          {QStringLiteral(" select Pro_No , Pro_Qty, Stk_Post from Order1 "),
                           QStringLiteral(" where pro_No = :mPro_No and stk_post = 2.00 ")},
                          productCode, error);
    if (!in)
        return std::nullopt;
    const auto out = sumOf(db,
                           {QStringLiteral(" select Pro_No , Pro_Qty, Stk_Post from invoice1 "),
                            QStringLiteral(" where pro_No = :mPro_No and stk_post = 1.00 ")},
                           productCode, error);
    if (!out)
        return std::nullopt;
    return base + *in - *out;
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
