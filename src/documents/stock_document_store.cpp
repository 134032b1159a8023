#include "documents/stock_document_store.h"

#include "db/data_connection.h"
#include "db/schema.h"
#include "documents/document_numbering.h"
#include "engine/transaction.h"
#include "registers/register_store.h"

#include <algorithm>

#include <QSqlRecord>

#include <cmath>

namespace {

using Status = StockWriteResult::Status;

// Quantities are doubles: a remainder this close to 0 is 0, so that 0.1 + 0.2 received can be
// issued as 0.3.
constexpr double kQuantityTolerance = 1e-9;

const TableDef &tableDef(const QString &name)
{
    return *FindTable(name);
}

// A value as its column holds it: text for text columns (never null, and no longer than the column:
// a register's 80-character employee name goes into the header's 50), numbers for numbers.
QVariant typed(const ColumnDef &column, const QVariant &value)
{
    switch (column.type) {
    case ColumnType::Double:
        return value.toDouble();
    case ColumnType::SmallInt:
    case ColumnType::Integer:
        return value.toInt();
    case ColumnType::AutoInc:
        return value.toLongLong();
    case ColumnType::Text:
    case ColumnType::Graphic:
        break;
    }
    // A null text would reach the store as NULL.
    QString text = value.toString();
    if (column.type == ColumnType::Text && column.width > 0)
        text.truncate(std::max(column.width, column.storedWidth));
    return text.isNull() ? QStringLiteral("") : text;
}

// Binds ":p" + column for every column of the table named in the statement's text.
void bindColumns(SqlStatement &statement, const TableDef &table, const QVariantMap &values)
{
    const QStringList used = SqlStatement::parameterNames(statement.text());
    for (const ColumnDef &column : table.columns) {
        const QString parameter = QStringLiteral("p") + column.name.toLower();
        if (used.contains(parameter, Qt::CaseInsensitive))
            statement.bind(parameter, typed(column, values.value(column.name)));
    }
}

// The current row of a query keyed by the table's column names, whatever case the engine gives.
QVariantMap rowOf(const QSqlQuery &query, const TableDef &table)
{
    const QSqlRecord record = query.record();
    QVariantMap row;
    for (const ColumnDef &column : table.columns) {
        const int at = record.indexOf(column.name);
        if (at >= 0)
            row.insert(column.name, query.value(at));
    }
    return row;
}

SqlStatement forwardOnly(QSqlDatabase db, const QStringList &lines)
{
    SqlStatement statement(db, lines);
    statement.query().setForwardOnly(true);
    return statement;
}

StockWriteResult result(Status status, const QString &error = {})
{
    StockWriteResult r;
    r.status = status;
    r.error = error;
    return r;
}

QStringList headerInsertLines(const QString &table)
{
    return {QStringLiteral(" insert into %1 ").arg(table),
            QStringLiteral(" (inv_no,of_no,ret_no,ref_bill,p_bill,inv_type,inv_date,inv_time,warn_date,ret_date, "),
            QStringLiteral(" cust_no,cust_name,cust_card,cust_birth,sale_no,sale_name,ref_order, "),
            QStringLiteral(" tax_rate,total,tax,sum_total,due_date,get_bill,fg_bill,get_money,fg_money,money_ok, "),
            QStringLiteral(" fg_ok,cust_cre,cust_disc,earn,discount,id_code2,id_code3,id_code4,id_code1, "),
            QStringLiteral(" fp,fg_end,fg_bye ) "),
            QStringLiteral(" values "),
            QStringLiteral(" (:pinv_no,:pof_no,:pret_no,:pref_bill,:pp_bill,:pinv_type, "),
            QStringLiteral(" :pinv_date,:pinv_time,:pwarn_date,:pret_date,:pcust_no,:pcust_name, "),
            QStringLiteral(" :pcust_card,:pcust_birth,:psale_no,:psale_name,:pref_order,:ptax_rate,:ptotal,:ptax,  "),
            QStringLiteral(" :psum_total,:pdue_date,:pget_bill,:pfg_bill,:pget_money,:pfg_money,:pmoney_ok,:pfg_ok,  "),
            QStringLiteral(" :pcust_cre,:pcust_disc,:pearn,:pdiscount,:pid_code2,:pid_code3,:pid_code4,:pid_code1,  "),
            QStringLiteral(" :pfp,:pfg_end,:pfg_bye )  ")};
}

QStringList headerUpdateLines(const QString &table)
{
    return {QStringLiteral(" update %1 ").arg(table),
            QStringLiteral(" set "),
            QStringLiteral(" inv_no=:pinv_no,of_no=:pof_no,ret_no=:pret_no, "),
            QStringLiteral(" ref_bill=:pref_bill,p_bill=:pp_bill,inv_type=:pinv_type, "),
            QStringLiteral(" inv_date=:pinv_date,inv_time=:pinv_time,warn_date=:pwarn_date,ret_date=:pret_date, "),
            QStringLiteral(" cust_no=:pcust_no,cust_name=:pcust_name,cust_card=:pcust_card, "),
            QStringLiteral(" cust_birth=:pcust_birth,sale_no=:psale_no,sale_name=:psale_name, "),
            QStringLiteral(" ref_order=:pref_order,tax_rate=:ptax_rate,total=:ptotal, "),
            QStringLiteral(" tax=:ptax,sum_total=:psum_total,due_date=:pdue_date, "),
            QStringLiteral(" get_bill=:pget_bill,fg_bill=:pfg_bill,get_money=:pget_money, "),
            QStringLiteral(" fg_money=:pfg_money, "),
            QStringLiteral(" money_ok=:pmoney_ok,fg_ok=:pfg_ok,cust_cre=:pcust_cre, "),
            QStringLiteral(" cust_disc=:pcust_disc,earn=:pearn,discount=:pdiscount, "),
            QStringLiteral(" id_code2=:pid_code2,id_code3=:pid_code3,id_code4=:pid_code4, "),
            QStringLiteral(" id_code1=:pid_code1,fp=:pfp,fg_end=:pfg_end, "),
            // inv_time is set once: the server refuses a column assigned twice.
            QStringLiteral(" fg_bye=:pfg_bye "),
            QStringLiteral(" where inv_no =:pinv_no ")};
}

QStringList lineInsertLines(const QString &table)
{
    return {QStringLiteral(" insert into %1 ").arg(table),
            QStringLiteral(" (inv_no,pro_no,pro_name,pro_group,attrib,attrib2,pro_qty,pro_unit,unit_price,for_proj,earn,warn_date,"
                           "discount,v_status,price,s_price,fg_bill,p_bill,tax_rate,tax,total,cut_stock,stk_post ) "),
            QStringLiteral(" values "),
            QStringLiteral(" (:pinv_no,:ppro_no,:ppro_name,:ppro_group,:pattrib,:pattrib2,:ppro_qty, "),
            QStringLiteral(" :ppro_unit,:punit_price,:pfor_proj,:pearn,:pwarn_date,:pdiscount, "),
            QStringLiteral(" :pv_status,:pprice,:ps_price,:pfg_bill,:pp_bill,:ptax_rate,:ptax,:ptotal,:pcut_stock,:pstk_post) ")};
}

QStringList lineUpdateLines(const QString &table)
{
    return {QStringLiteral(" update %1 ").arg(table),
            QStringLiteral(" set "),
            QStringLiteral(" pro_no=:ppro_no,pro_name=:ppro_name,pro_group=:ppro_group,attrib=:pattrib,attrib2=:pattrib2,pro_qty=:ppro_qty, "),
            QStringLiteral(" pro_unit=:ppro_unit,unit_price=:punit_price,for_proj=:pfor_proj,earn=:pearn,warn_date=:pwarn_date,discount=:pdiscount, "),
            QStringLiteral(" v_status=:pv_status,price=:pprice,s_price=:ps_price,fg_bill=:pfg_bill,p_bill=:pp_bill,tax_rate=:ptax_rate,tax=:ptax,"
                           "total=:ptotal,cut_stock=:pcut_stock,stk_post=:pstk_post "),
            QStringLiteral(" where auto =:pauto ")};
}

// TOTAL of a document: the sum over its lines of quantity x unit price less the line discount
// (in percent, when above 0); empty values count as 0, no lines give 0.
QStringList linesTotalLines(const QString &table)
{
    return {QStringLiteral(" select coalesce(sum(coalesce(pro_qty, 0) * coalesce(unit_price, 0) "),
            QStringLiteral("   - case when discount > 0 then coalesce(pro_qty, 0) * coalesce(unit_price, 0) * discount / 100 else 0 end), 0) "),
            QStringLiteral(" from %1 where inv_no =:m_inv_no ").arg(table)};
}

} // namespace

LineEntry LineEntry::ofProduct(const QVariantMap &product)
{
    LineEntry line;
    line.product = product;
    line.group = product.value(QStringLiteral("PRO_GROUP")).toString();
    line.unit = product.value(QStringLiteral("PRO_UNIT")).toString();
    line.stockFlag = product.value(QStringLiteral("CUT_STOCK")).toString();
    return line;
}

StockWriteResult FailedWrite(const QString &error)
{
    return result(Status::Failed, error);
}

StockDocumentStore::StockDocumentStore(std::unique_ptr<Connection> connection, const DocumentKind &kind)
    : m_connection(std::move(connection))
    , m_kind(kind)
    , m_balances(m_connection->database())
    // Only what the grid shows: a document of a thousand lines is read in a fraction of the time.
    , m_lines(forwardOnly(m_connection->database(),
                          {QStringLiteral(" select auto, pro_no, pro_name, attrib, pro_group, pro_qty, pro_unit, for_proj from %1 ")
                               .arg(kind.lineTable),
                           QStringLiteral(" where inv_no =:m_inv_no "), QStringLiteral(" order by auto ")}))
    , m_storedLine(forwardOnly(m_connection->database(),
                               {QStringLiteral(" select * from %1 ").arg(kind.lineTable),
                                QStringLiteral(" where auto =:pauto and inv_no =:m_inv_no ")}))
    , m_insertLine(m_connection->database(), lineInsertLines(kind.lineTable))
    , m_updateLine(m_connection->database(), lineUpdateLines(kind.lineTable))
    , m_linesTotal(forwardOnly(m_connection->database(), linesTotalLines(kind.lineTable)))
    , m_updateTotals(m_connection->database(),
                     {QStringLiteral(" update %1 ").arg(kind.headerTable), QStringLiteral(" set "),
                      QStringLiteral(" total=:ptotal,discount=:pdiscount,tax=:ptax,sum_total=:psum_total "),
                      QStringLiteral(" where inv_no =:pinv_no ")})
{
}

StockDocumentStore::~StockDocumentStore() = default;

std::unique_ptr<StockDocumentStore> StockDocumentStore::open(const DocumentKind &kind, QString *error)
{
    std::unique_ptr<Connection> connection = OpenDataConnection(error);
    if (!connection)
        return nullptr;
    return std::make_unique<StockDocumentStore>(std::move(connection), kind);
}

QSqlDatabase StockDocumentStore::database() const
{
    return m_connection->database();
}

bool StockDocumentStore::readRow(const QStringList &lines, const QString &table, const QVariantMap &values,
                                 QVariantMap *row, QString *error)
{
    SqlStatement statement = forwardOnly(database(), lines);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        statement.bind(it.key(), it.value());
    if (!statement.exec(error))
        return false;
    QSqlQuery &query = statement.query();
    *row = query.next() ? rowOf(query, tableDef(table)) : QVariantMap();
    query.finish();
    return true;
}

bool StockDocumentStore::readList(const QStringList &lines, RecordList *rows, QString *error)
{
    SqlStatement statement = forwardOnly(database(), lines);
    if (!statement.exec(error))
        return false;
    *rows = ReadRecords(statement.query());
    statement.query().finish();
    return true;
}

bool StockDocumentStore::readSettings(QString *error)
{
    QVariantMap row;
    if (!readRow({QStringLiteral("select * from orvexsys")}, QStringLiteral("orvexsys"), {}, &row, error))
        return false;
    m_settings = {row.value(QStringLiteral("PREFIX1")).toString(), row.value(QStringLiteral("PREFIX3")).toString(),
                  row.value(QStringLiteral("LINE5")).toString(), row.value(QStringLiteral("VIEW1")).toString(),
                  row.value(QStringLiteral("TYPE_VAT")).toString()};
    return true;
}

QString StockDocumentStore::head() const
{
    QString prefix = m_kind.fixedPrefix;
    if (m_kind.goodsOut())
        prefix = m_settings.prefix1;
    else if (m_kind.goodsIn())
        prefix = m_settings.prefix3;
    return prefix + m_kind.digit;
}

bool StockDocumentStore::documentNumbers(RecordList *rows, QString *error)
{
    SqlStatement statement = forwardOnly(database(), {QStringLiteral(" select inv_no from %1 ").arg(m_kind.headerTable),
                                                      QStringLiteral(" where substr(inv_no, 1, 5) =:mPrefix "),
                                                      QStringLiteral(" order by inv_no ")});
    statement.bind(QStringLiteral("mPrefix"), head());
    if (!statement.exec(error))
        return false;
    *rows = ReadRecords(statement.query());
    statement.query().finish();
    return true;
}

bool StockDocumentStore::readHeader(const QString &number, QVariantMap *header, QString *error)
{
    return readRow({QStringLiteral(" select * from %1 ").arg(m_kind.headerTable), QStringLiteral(" where inv_no =:p_inv_no ")},
                   m_kind.headerTable, {{QStringLiteral("p_inv_no"), number}}, header, error);
}

bool StockDocumentStore::readLines(const QString &number, RecordList *rows, QString *error)
{
    m_lines.bind(QStringLiteral("m_inv_no"), number);
    if (!m_lines.exec(error))
        return false;
    *rows = ReadRecords(m_lines.query());
    m_lines.query().finish();
    return true;
}

bool StockDocumentStore::readParty(bool byName, const QString &text, QVariantMap *party, QString *error)
{
    return readRow({QStringLiteral(" Select * from %1 ").arg(m_kind.partyTable),
                    byName ? QStringLiteral(" where Cust_Name =:m_Cust_No ") : QStringLiteral(" where Cust_No =:m_Cust_No ")},
                   m_kind.partyTable, {{QStringLiteral("m_Cust_No"), text}}, party, error);
}

bool StockDocumentStore::parties(bool byName, RecordList *rows, QString *error)
{
    return readList({QStringLiteral(" select cust_no, cust_name from %1 ").arg(m_kind.partyTable),
                     byName ? QStringLiteral(" order by cust_name ") : QStringLiteral(" order by cust_no ")},
                    rows, error);
}

bool StockDocumentStore::employees(RecordList *rows, QString *error)
{
    return readList({QStringLiteral("select  sale_no , sale_name from sale"), QStringLiteral(" order by sale_no ")}, rows, error);
}

bool StockDocumentStore::products(bool byName, RecordList *rows, QString *error)
{
    return readList({QStringLiteral(" Select pro_no, pro_name from product "),
                     byName ? QStringLiteral(" order by pro_name ") : QStringLiteral(" order by pro_no ")},
                    rows, error);
}

bool StockDocumentStore::readProduct(bool byName, const QString &text, QVariantMap *product, QString *error)
{
    return readRow({QStringLiteral(" Select * from Product "),
                    byName ? QStringLiteral(" where Pro_Name =:m_Pro_No ") : QStringLiteral(" where Pro_No =:m_Pro_No ")},
                   QStringLiteral("product"), {{QStringLiteral("m_Pro_No"), text}}, product, error);
}

bool StockDocumentStore::projects(bool byName, RecordList *rows, QString *error)
{
    return readList({byName ? QStringLiteral(" select proj_no, proj_name from project order by proj_name ")
                            : QStringLiteral(" select proj_no, proj_name from project order by proj_no ")},
                    rows, error);
}

bool StockDocumentStore::readProject(const QString &code, QVariantMap *project, QString *error)
{
    return readRow({QStringLiteral(" select Proj_no , proj_name from project "),
                    QStringLiteral(" where Proj_no =:m_proj_no order by proj_no ")},
                   QStringLiteral("project"), {{QStringLiteral("m_proj_no"), code}}, project, error);
}

std::optional<double> StockDocumentStore::balance(const QString &productCode, QString *error)
{
    return m_balances.balance(productCode, error);
}

std::optional<QString> StockDocumentStore::lastNumber(QString *error)
{
    // The highest well-formed number of the head, found from the top of the key index; a number of
    // the head whose running part is no 6-digit number lies outside the range and is passed over.
    SqlStatement statement = forwardOnly(database(), {QStringLiteral(" select inv_no from %1 ").arg(m_kind.headerTable),
                                                      QStringLiteral(" where inv_no >= :plowest and inv_no <= :phighest "),
                                                      QStringLiteral(" and substr(inv_no, 1, 5) = :head_bill "),
                                                      QStringLiteral(" order by inv_no desc limit 1 ")});
    const QString head = this->head();
    statement.bind(QStringLiteral("plowest"), head + QStringLiteral("000000"))
        .bind(QStringLiteral("phighest"), head + QStringLiteral("999999"))
        .bind(QStringLiteral("head_bill"), head);
    if (!statement.exec(error))
        return std::nullopt;
    QSqlQuery &query = statement.query();
    const QString last = query.next() ? query.value(0).toString() : QStringLiteral("");
    query.finish();
    return last;
}

std::optional<bool> StockDocumentStore::headHasDocuments(QString *error)
{
    const std::optional<QString> last = lastNumber(error);
    if (!last)
        return std::nullopt;
    return !last->isEmpty();
}

QVariantMap StockDocumentStore::newHeader() const
{
    QVariantMap header;
    for (const ColumnDef &column : tableDef(m_kind.headerTable).columns)
        header.insert(column.name, typed(column, QVariant()));
    header.insert(QStringLiteral("INV_TYPE"), QString(m_kind.digit));
    return header;
}

void StockDocumentStore::takeParty(QVariantMap &header, const QVariantMap &party, bool terms)
{
    QStringList columns = {QStringLiteral("CUST_NO"), QStringLiteral("CUST_NAME"), QStringLiteral("CUST_CARD"),
                           QStringLiteral("CUST_BIRTH")};
    if (terms)
        columns += {QStringLiteral("CUST_CRE"), QStringLiteral("CUST_DISC")};
    for (const QString &column : columns)
        header.insert(column, party.value(column));
}

StockWriteResult StockDocumentStore::writeTotals(const QString &number)
{
    QString error;
    m_linesTotal.bind(QStringLiteral("m_inv_no"), number);
    bool ok = false;
    const double total = QueryScalar(m_linesTotal, &error, &ok).toDouble();
    m_linesTotal.query().finish();
    if (!ok)
        return FailedWrite(error);
    // No discount and no VAT are computed for these kinds: the grand total is the total.
    m_updateTotals.bind(QStringLiteral("ptotal"), total)
        .bind(QStringLiteral("pdiscount"), 0.0)
        .bind(QStringLiteral("ptax"), 0.0)
        .bind(QStringLiteral("psum_total"), total)
        .bind(QStringLiteral("pinv_no"), number);
    if (!m_updateTotals.exec(&error))
        return FailedWrite(error);
    if (m_updateTotals.query().numRowsAffected() != 1)
        return result(Status::Missing, QStringLiteral("the document %1 is no longer there").arg(number));
    StockWriteResult done = result(Status::Done);
    done.number = number;
    return done;
}

StockWriteResult StockDocumentStore::numberAndInsert(QVariantMap header, const QString &firstNumber)
{
    QString error;
    const std::optional<QString> last = lastNumber(&error);
    if (!last)
        return FailedWrite(error);
    QString number;
    if (last->isEmpty()) {
        if (!CheckFirstNumber(firstNumber).valid)
            return result(Status::NeedsFirstNumber, QStringLiteral("the head %1 has no document yet").arg(head()));
        number = head() + firstNumber;
    } else {
        const std::optional<QString> next = NextDocumentNumber(*last);
        if (!next)
            return result(Status::NumbersUsedUp, QStringLiteral("the numbers of %1 are used up").arg(head()));
        number = *next;
    }
    m_linesTotal.bind(QStringLiteral("m_inv_no"), number);
    bool ok = false;
    const double total = QueryScalar(m_linesTotal, &error, &ok).toDouble();
    m_linesTotal.query().finish();
    if (!ok)
        return FailedWrite(error);
    header.insert(QStringLiteral("INV_NO"), number);
    header.insert(QStringLiteral("P_BILL"), QStringLiteral(""));
    header.insert(QStringLiteral("FG_BILL"), 0);
    header.insert(QStringLiteral("TOTAL"), total);
    header.insert(QStringLiteral("SUM_TOTAL"), total);
    header.insert(QStringLiteral("DISCOUNT"), 0.0);
    header.insert(QStringLiteral("TAX"), 0.0);
    SqlStatement insert(database(), headerInsertLines(m_kind.headerTable));
    bindColumns(insert, tableDef(m_kind.headerTable), header);
    if (!insert.exec(&error))
        return FailedWrite(error);
    StockWriteResult done = result(Status::Done);
    done.number = number;
    return done;
}

StockWriteResult StockDocumentStore::insertHeader(const QVariantMap &header, const QString &firstNumber)
{
    QString error;
    Transaction transaction(database());
    if (!transaction.begin(Transaction::Mode::Immediate, &error))
        return FailedWrite(error);
    StockWriteResult inserted = numberAndInsert(header, firstNumber);
    if (inserted.done() && !transaction.commit(&error))
        return FailedWrite(error);
    return inserted;
}

StockWriteResult StockDocumentStore::updateHeader(const QVariantMap &header)
{
    const QString number = header.value(QStringLiteral("INV_NO")).toString();
    QString error;
    Transaction transaction(database());
    if (!transaction.begin(Transaction::Mode::Immediate, &error))
        return FailedWrite(error);
    QVariantMap values = header;
    values.insert(QStringLiteral("P_BILL"), QStringLiteral(""));
    values.insert(QStringLiteral("FG_BILL"), 0);
    SqlStatement update(database(), headerUpdateLines(m_kind.headerTable));
    bindColumns(update, tableDef(m_kind.headerTable), values);
    if (!update.exec(&error))
        return FailedWrite(error);
    if (update.query().numRowsAffected() != 1)
        return result(Status::Missing, QStringLiteral("the document %1 is no longer there").arg(number));
    // The totals follow the lines as they are now.
    const StockWriteResult totals = writeTotals(number);
    if (!totals.done())
        return totals;
    if (!transaction.commit(&error))
        return FailedWrite(error);
    return totals;
}

StockWriteResult StockDocumentStore::deleteDocument(const QString &number)
{
    QString error;
    Transaction transaction(database());
    if (!transaction.begin(Transaction::Mode::Immediate, &error))
        return FailedWrite(error);
    // Tested under the write lock: no other copy adds a line between the test and the delete.
    SqlStatement count = forwardOnly(database(), {QStringLiteral(" select count(*) from %1 ").arg(m_kind.lineTable),
                                                  QStringLiteral(" where inv_no =:m_inv_no ")});
    count.bind(QStringLiteral("m_inv_no"), number);
    bool ok = false;
    const int lines = QueryScalar(count, &error, &ok).toInt();
    count.query().finish();
    if (!ok)
        return FailedWrite(error);
    if (lines > 0)
        return result(Status::HasLines, QStringLiteral("the document %1 still has %2 lines").arg(number).arg(lines));
    SqlStatement remove(database(), {QStringLiteral(" delete from %1 ").arg(m_kind.headerTable),
                                     QStringLiteral(" where inv_no =:d_inv_no ")});
    remove.bind(QStringLiteral("d_inv_no"), number);
    if (!remove.exec(&error))
        return FailedWrite(error);
    const bool removed = remove.query().numRowsAffected() == 1;
    if (!transaction.commit(&error))
        return FailedWrite(error);
    if (!removed)
        return result(Status::Missing, QStringLiteral("the document %1 is no longer there").arg(number));
    StockWriteResult done = result(Status::Done);
    done.number = number;
    return done;
}

QVariantMap StockDocumentStore::lineValues(const QString &number, const LineEntry &line) const
{
    const bool correcting = line.autoKey != 0;
    const auto kept = [&](const char *column, const QVariant &fresh) {
        return correcting ? line.stored.value(QString::fromLatin1(column)) : fresh;
    };
    // A corrected line whose product left the register keeps what it has.
    const QVariantMap &product = line.product.isEmpty() ? line.stored : line.product;
    QVariantMap values;
    values.insert(QStringLiteral("INV_NO"), number);
    values.insert(QStringLiteral("PRO_NO"), product.value(QStringLiteral("PRO_NO")));
    values.insert(QStringLiteral("PRO_NAME"), product.value(QStringLiteral("PRO_NAME")));
    values.insert(QStringLiteral("PRO_GROUP"), line.group);
    values.insert(QStringLiteral("PRO_UNIT"), line.unit);
    values.insert(QStringLiteral("ATTRIB"), line.detail1);
    values.insert(QStringLiteral("ATTRIB2"), line.detail2);
    values.insert(QStringLiteral("PRO_QTY"), line.quantity);
    values.insert(QStringLiteral("FOR_PROJ"), line.project);
    for (const char *column : {"UNIT_PRICE", "DISCOUNT", "PRICE", "S_PRICE", "FG_BILL"})
        values.insert(QString::fromLatin1(column), kept(column, 0));
    for (const char *column : {"WARN_DATE", "P_BILL"})
        values.insert(QString::fromLatin1(column), kept(column, QStringLiteral("")));
    values.insert(QStringLiteral("EARN"), kept("EARN", 1));
    values.insert(QStringLiteral("V_STATUS"), m_kind.goodsOut() ? QVariant(m_settings.typeVat) : kept("V_STATUS", QStringLiteral("")));
    values.insert(QStringLiteral("TAX_RATE"), IsStockCounted(line.stockFlag) ? product.value(QStringLiteral("TAX_RATE")).toDouble() : 7.0);
    values.insert(QStringLiteral("TAX"), 0);
    values.insert(QStringLiteral("TOTAL"), values.value(QStringLiteral("PRICE")));
    values.insert(QStringLiteral("CUT_STOCK"), line.stockFlag);
    values.insert(QStringLiteral("STK_POST"), m_kind.stockPost);
    return values;
}

bool StockDocumentStore::readLine(const QString &number, qint64 autoKey, QVariantMap *stored, QString *error)
{
    m_storedLine.bind(QStringLiteral("pauto"), autoKey).bind(QStringLiteral("m_inv_no"), number);
    if (!m_storedLine.exec(error))
        return false;
    QSqlQuery &query = m_storedLine.query();
    *stored = query.next() ? rowOf(query, tableDef(m_kind.lineTable)) : QVariantMap();
    query.finish();
    return true;
}

StockWriteResult StockDocumentStore::checkStock(const LineEntry &line, const QVariantMap &stored)
{
    if (m_kind.purchaseOrder())
        return result(Status::Done);
    const auto refuse = [](const QString &product, double balance, double remaining) {
        StockWriteResult r = result(Status::NotEnoughStock);
        r.product = product;
        r.balance = balance;
        r.remaining = remaining;
        return r;
    };
    QString error;
    const QString code = (line.product.isEmpty() ? stored : line.product).value(QStringLiteral("PRO_NO")).toString();
    const QString storedCode = stored.value(QStringLiteral("PRO_NO")).toString();
    const double storedQuantity = stored.value(QStringLiteral("PRO_QTY")).toDouble();
    // The stored line counts back only for its own product.
    const bool sameProduct = !stored.isEmpty() && storedCode == code;
    if (IsStockCounted(line.stockFlag)) {
        const std::optional<double> balance = m_balances.balance(code, &error);
        if (!balance)
            return FailedWrite(error);
        const double remaining =
            RemainingQuantity(m_kind, *balance, sameProduct ? storedQuantity : 0, line.quantity);
        if (remaining < -kQuantityTolerance)
            return refuse(code, *balance, remaining);
    }
    // A goods-in line moved to another product takes its quantity away from the product it had.
    if (!stored.isEmpty() && !sameProduct && m_kind.goodsIn()
        && IsStockCounted(stored.value(QStringLiteral("CUT_STOCK")).toString())) {
        const std::optional<double> balance = m_balances.balance(storedCode, &error);
        if (!balance)
            return FailedWrite(error);
        const double remaining = RemainingQuantity(m_kind, *balance, storedQuantity, 0);
        if (remaining < -kQuantityTolerance)
            return refuse(storedCode, *balance, remaining);
    }
    return result(Status::Done);
}

StockWriteResult StockDocumentStore::writeLine(const QString &number, const LineEntry &line)
{
    QString error;
    QVariantMap stored;
    if (line.autoKey != 0) {
        if (!readLine(number, line.autoKey, &stored, &error))
            return FailedWrite(error);
        if (stored.isEmpty())
            return result(Status::Missing, QStringLiteral("the line %1 of %2 is no longer there").arg(line.autoKey).arg(number));
    }
    // The stock is checked under the write lock, on the balance as it is now.
    StockWriteResult checked = checkStock(line, stored);
    if (!checked.done())
        return checked;
    LineEntry entry = line;
    if (line.autoKey != 0)
        entry.stored = stored; // the kept columns as stored now
    SqlStatement &statement = line.autoKey != 0 ? m_updateLine : m_insertLine;
    bindColumns(statement, tableDef(m_kind.lineTable), lineValues(number, entry));
    if (line.autoKey != 0)
        statement.bind(QStringLiteral("pauto"), line.autoKey);
    if (!statement.exec(&error))
        return FailedWrite(error);
    StockWriteResult done = result(Status::Done);
    done.number = number;
    return done;
}

StockWriteResult StockDocumentStore::saveLine(const QString &number, const LineEntry &line)
{
    QString error;
    Transaction transaction(database());
    if (!transaction.begin(Transaction::Mode::Immediate, &error))
        return FailedWrite(error);
    const StockWriteResult written = writeLine(number, line);
    if (!written.done())
        return written;
    const StockWriteResult totals = writeTotals(number);
    if (!totals.done())
        return totals;
    if (!transaction.commit(&error))
        return FailedWrite(error);
    return totals;
}

StockWriteResult StockDocumentStore::deleteLine(const QString &number, qint64 autoKey)
{
    QString error;
    Transaction transaction(database());
    if (!transaction.begin(Transaction::Mode::Immediate, &error))
        return FailedWrite(error);
    QVariantMap stored;
    if (!readLine(number, autoKey, &stored, &error))
        return FailedWrite(error);
    if (stored.isEmpty())
        return result(Status::Missing, QStringLiteral("the line %1 of %2 is no longer there").arg(autoKey).arg(number));
    // Removing a received quantity is correcting it to 0: the product must still have it.
    LineEntry removal;
    removal.autoKey = autoKey;
    removal.stockFlag = stored.value(QStringLiteral("CUT_STOCK")).toString();
    removal.quantity = 0;
    if (m_kind.goodsIn()) {
        const StockWriteResult checked = checkStock(removal, stored);
        if (!checked.done())
            return checked;
    }
    SqlStatement remove(database(), {QStringLiteral(" delete from %1 ").arg(m_kind.lineTable),
                                     QStringLiteral(" where auto =:q_inv_id ")});
    remove.bind(QStringLiteral("q_inv_id"), autoKey);
    if (!remove.exec(&error))
        return FailedWrite(error);
    const StockWriteResult totals = writeTotals(number);
    if (!totals.done())
        return totals;
    if (!transaction.commit(&error))
        return FailedWrite(error);
    return totals;
}

StockWriteResult StockDocumentStore::postDocument(const QVariantMap &header, const QList<LineEntry> &lines,
                                                  const QString &firstNumber)
{
    QString error;
    Transaction transaction(database());
    if (!transaction.begin(Transaction::Mode::Immediate, &error))
        return FailedWrite(error);
    const StockWriteResult inserted = numberAndInsert(header, firstNumber);
    if (!inserted.done())
        return inserted;
    for (int i = 0; i < lines.size(); ++i) {
        StockWriteResult written = writeLine(inserted.number, lines.at(i));
        if (!written.done()) {
            written.line = i;
            written.number = inserted.number;
            return written;
        }
    }
    const StockWriteResult totals = writeTotals(inserted.number);
    if (!totals.done())
        return totals;
    if (!transaction.commit(&error))
        return FailedWrite(error);
    return totals;
}
