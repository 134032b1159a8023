#include "reports/product_lists.h"

#include "common/dates.h"
#include "db/sql_statement.h"
#include "report/query_rows.h"

#include <QSqlRecord>
#include <QStringList>

#include <algorithm>

namespace {

const QString kExpiryKey = QStringLiteral("substr(Expire,7,4)||substr(Expire,4,2)||substr(Expire,1,2)");

QVariantMap WithOnHand(QVariantMap row, double in, double out)
{
    row.insert(QStringLiteral("ON_HAND"), row.value(QStringLiteral("PRO_TOTAL")).toDouble() + in - out);
    return row;
}

} // namespace

bool PostedSumsLookup::load(QSqlDatabase db, QString *error)
{
    const auto sums = PostedSumsByProduct(db, error);
    if (!sums)
        return false;
    m_exact = *sums;
    m_folded.clear();
    QStringList codes = m_exact.keys();
    std::sort(codes.begin(), codes.end());
    for (const QString &code : std::as_const(codes)) {
        const QString folded = code.toUpper();
        if (!m_folded.contains(folded))
            m_folded.insert(folded, m_exact.value(code));
    }
    return true;
}

PostedSums PostedSumsLookup::find(const QString &code) const
{
    const auto exact = m_exact.constFind(code);
    if (exact != m_exact.constEnd())
        return *exact;
    return m_folded.value(code.toUpper());
}

bool ReadReorderList(QSqlDatabase db, const PostedSumsLookup &sums, ReorderSort sort, ReorderList *list,
                     QString *error)
{
    *list = ReorderList();
    SqlStatement products(db, {QStringLiteral(" select pro_no, pro_name, pro_rorder, pro_total from Product "),
                               sort == ReorderSort::Name ? QStringLiteral(" order by pro_Name, pro_No ")
                                                         : QStringLiteral(" order by pro_No ")});
    products.query().setForwardOnly(true);
    if (!products.exec(error))
        return false;
    QSqlQuery &query = products.query();
    while (query.next()) {
        ++list->productCount;
        const PostedSums posted = sums.find(query.value(0).toString());
        const double onHand = query.value(3).toDouble() + posted.in - posted.out;
        const double reorderPoint = query.value(2).toDouble(); // an empty point reads as 0
        if (onHand < reorderPoint) {
            list->rows.append({{QStringLiteral("PRO_NO"), query.value(0)},
                               {QStringLiteral("PRO_NAME"), query.value(1)},
                               {QStringLiteral("PRO_RORDER"), reorderPoint},
                               {QStringLiteral("PRO_TOTAL"), query.value(3)},
                               {QStringLiteral("ON_HAND"), onHand}});
        }
    }
    return true;
}

bool ReadExpiryList(QSqlDatabase db, const QString &dateText, ExpirySort sort, QList<QVariantMap> *rows,
                    QString *error)
{
    // The sums of each listed product come from the covering index of its lines.
    SqlStatement expired(
        db, {QStringLiteral(" select pro_no, Pro_Name, Expire, Pro_Total, Last_Buy, Last_Sale, "),
             QStringLiteral(" %1 as Exp_Date, ").arg(kExpiryKey),
             QStringLiteral(" (select sum(Pro_Qty) from Order1 where Order1.pro_No = Product.pro_No and stk_post = 2.00) as s_in, "),
             QStringLiteral(" (select sum(Pro_Qty) from invoice1 where invoice1.pro_No = Product.pro_No and stk_post = 1.00) as s_out "),
             QStringLiteral(" from Product where %1 <=:mDate ").arg(kExpiryKey),
             sort == ExpirySort::Name ? QStringLiteral(" order by Pro_Name, pro_no ")
                                      : QStringLiteral(" order by Exp_Date DESC, pro_no ")});
    expired.query().setForwardOnly(true);
    expired.bind(QStringLiteral("mDate"), DateKey(dateText));
    if (!expired.exec(error))
        return false;
    rows->clear();
    for (QVariantMap row : ReadAllRows(expired.query())) {
        const double in = row.take(QStringLiteral("S_IN")).toDouble();
        const double out = row.take(QStringLiteral("S_OUT")).toDouble();
        rows->append(WithOnHand(row, in, out));
    }
    return true;
}
