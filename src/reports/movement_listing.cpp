#include "reports/movement_listing.h"

#include "common/atomic_file.h"
#include "common/dates.h"
#include "common/number_format.h"
#include "common/win874.h"
#include "db/schema.h"
#include "db/sql_statement.h"
#include "report/query_rows.h"
#include "reports/report_queries.h"

namespace {

struct ListingTables
{
    const char *header;
    const char *lines;
};

ListingTables TablesOf(int mode)
{
    return ListingModeOf(mode).mode == 1 ? ListingTables{"order0", "order1"} : ListingTables{"invoice", "invoice1"};
}

QString OrderClause(ListingSort sort, const ListingTables &t)
{
    // Ties are broken by date, document and entry, so a listing comes out the same every time.
    const QString ties = QStringLiteral("%1, %2.inv_no, %3.auto")
                             .arg(QLatin1String(kHeaderDateKey), QLatin1String(t.header), QLatin1String(t.lines));
    switch (sort) {
    case ListingSort::Date:
        return QStringLiteral(" order by %1 ").arg(ties);
    case ListingSort::Code:
        return QStringLiteral(" order by Pro_no, %1 ").arg(ties);
    case ListingSort::Name:
        return QStringLiteral(" order by Pro_name, %1 ").arg(ties);
    case ListingSort::Group:
        return QStringLiteral(" order by Pro_Group, %1 ").arg(ties);
    }
    return {};
}

QStringList ListingStatement(const ListingRequest &request)
{
    const ListingTables t = TablesOf(request.mode);
    const QLatin1String h(t.header), l(t.lines);
    return {QStringLiteral(" select pro_no, pro_name , pro_group, pro_unit , pro_qty , %1.inv_no, %1.inv_date, "
                           "%1.inv_time from %2, %1 ")
                .arg(h, l),
            QStringLiteral(" Where %2.inv_no = %1.inv_no and %3 ").arg(h, l, QLatin1String(kHeaderDateKey)),
            QStringLiteral(" between :mbegin and :mend "),
            request.group == AllGroupsText() ? QStringLiteral(" and pro_group <>:p_pro_group ")
                                             : QStringLiteral(" and pro_group =:p_pro_group "),
            OrderClause(request.sort, t)};
}

QByteArray CsvLine(const QString &text)
{
    return EncodeWindows874(text) + "\r\n";
}

QString Quoted(const QString &value)
{
    return u'"' + QString(value).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

const ListingMode &ListingModeOf(int mode)
{
    static const ListingMode goodsIn{1, QStringLiteral(" สินค้าที่นำเข้า"), QStringLiteral("สินค้าที่นำเข้า"),
                                     QStringLiteral("Report_In.csv"), QStringLiteral("Report_In ..")};
    static const ListingMode goodsOut{2, QStringLiteral(" สินค้าที่จำหน่าย"), QStringLiteral("สินค้าที่จำหน่าย"),
                                      QStringLiteral("Report_Out.csv"), QStringLiteral("Report_Out ..")};
    return mode == 1 ? goodsIn : goodsOut;
}

bool ReadListingGroups(QSqlDatabase db, int mode, QStringList *groups, QString *error)
{
    return ReadTextList(db,
                        {QStringLiteral(" select distinct pro_group from %1 order by pro_group")
                             .arg(QLatin1String(TablesOf(mode).lines))},
                        groups, error);
}

QString ListingStatementText(const ListingRequest &request)
{
    return ListingStatement(request).join(QLatin1Char('\n'));
}

bool RunListing(QSqlDatabase db, const ListingRequest &request, ListingResult *result, QString *error)
{
    *result = ListingResult();
    SqlStatement listing(db, ListingStatement(request));
    listing.query().setForwardOnly(true);
    listing.bind(QStringLiteral("mbegin"), DateKey(request.fromText));
    listing.bind(QStringLiteral("mend"), DateKey(request.toText));
    listing.bind(QStringLiteral("p_pro_group"), request.group);
    if (!listing.exec(error))
        return false;
    result->rows = ReadAllRows(listing.query());
    for (const QVariantMap &row : std::as_const(result->rows))
        result->total += row.value(QStringLiteral("PRO_QTY")).toDouble();
    return true;
}

QByteArray ListingCsv(int mode, const QList<QVariantMap> &rows)
{
    QByteArray csv = CsvLine(QStringLiteral("<Talvora Larderon 3.0>")) + CsvLine(ListingModeOf(mode).fileTitle)
                     + CsvLine(QString())
                     + CsvLine(QStringLiteral("ใบสำคัญ , วันที่ , เวลา , รหัสสินค้าค้า , ชื่อสินค้า , กลุ่ม , จำนวน , หน่วยนับ  "));
    for (const QVariantMap &row : rows) {
        const QVariant quantity = row.value(QStringLiteral("PRO_QTY"));
        const QStringList values = {RowText(row, "INV_NO"),   RowText(row, "INV_DATE"),  RowText(row, "INV_TIME"),
                                    RowText(row, "PRO_NO"),   RowText(row, "PRO_NAME"),  RowText(row, "PRO_GROUP"),
                                    quantity.isNull() ? QString() : FormatGeneral(quantity.toDouble()),
                                    RowText(row, "PRO_UNIT")};
        QStringList quoted;
        for (const QString &value : values)
            quoted.append(Quoted(value));
        csv += CsvLine(quoted.join(u',') + u' ');
    }
    return csv + CsvLine(QStringLiteral(" ")) + CsvLine(QStringLiteral(" "));
}

bool WriteListingCsv(const QString &fileName, int mode, const QList<QVariantMap> &rows, QString *error)
{
    QString reason;
    if (WriteFileWhole(fileName, ListingCsv(mode, rows), &reason))
        return true;
    if (error)
        *error = QStringLiteral("Export ข้อมูล TO : %1 ไม่สำเร็จ\n%2").arg(ListingModeOf(mode).fileName, reason);
    return false;
}

QString ListingExportedMessage(int mode)
{
    return QStringLiteral("Export ข้อมูล TO : %1 เรียบร้อยแล้ว...").arg(ListingModeOf(mode).fileName);
}
