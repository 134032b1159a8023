#include "printing/print_data.h"

#include "db/sql_statement.h"
#include "report/page_setup.h"
#include "report/query_rows.h"
#include "report/report_data.h"

#include <QImageReader>

namespace {

QString Trimmed(const QVariantMap &row, const char *column)
{
    return ColumnValue(row, QString::fromLatin1(column)).toString().trimmed();
}

// The statements of each kind: header, lines, party.
struct KindTables
{
    int kind;
    const char *header;
    const char *lines;
    const char *party;
};

constexpr KindTables kTables[] = {
    {kGoodsOut, "select * from Invoice where Inv_No = :mInv_No ",
     "select * from Invoice1 where Inv_No =:mInv_No ",
     "select * from customer where Cust_No =:mCust_No "},
    {kGoodsIn, "select * from order0 where Inv_No = :mInv_No ",
     "select * from Order1 where Inv_No =:mInv_No ",
     "select * from supply where Cust_No =:mCust_No "},
    {kPurchaseOrder, "select * from Tmpord where Inv_No = :mInv_No ",
     "select * from Tmpord1 where Inv_No =:mInv_No ",
     "select * from supply where Cust_No =:mCust_No "},
};

const KindTables *TablesOf(int kind)
{
    for (const KindTables &t : kTables) {
        if (t.kind == kind)
            return &t;
    }
    return nullptr;
}

bool ReadRows(QSqlDatabase db, const char *statement, const QString &name, const QVariant &value,
              QList<QVariantMap> *rows, QString *error)
{
    SqlStatement query(db, {QString::fromLatin1(statement)});
    if (!name.isEmpty())
        query.bind(name, value);
    if (!query.exec(error))
        return false;
    *rows = ReadAllRows(query.query());
    return true;
}

QVariantMap FirstRow(const QList<QVariantMap> &rows)
{
    return rows.isEmpty() ? QVariantMap() : rows.first();
}

} // namespace

QString DocumentPrintData::setting(const QString &column) const
{
    return ColumnValue(settings, column).toString();
}

QString DocumentPrintData::headerText(const QString &column) const
{
    return ColumnValue(header, column).toString();
}

QString DocumentPrintData::partyText(const QString &column) const
{
    return ColumnValue(party, column).toString().trimmed();
}

bool DocumentPrintData::stationeryPrinted() const
{
    return setting(QStringLiteral("LINE1")) != u"0";
}

bool DocumentPrintData::logoPrinted() const
{
    return setting(QStringLiteral("LINE4")) != u"0";
}

DocumentCaptions DocumentPrintData::captions() const
{
    return CaptionsForKind(settings, tableKind);
}

QString DocumentPrintData::composedNumber() const
{
    return ComposeDocumentNumber(docNo);
}

QString DocumentPrintData::companyName() const
{
    return setting(QStringLiteral("OF_NAME"));
}

QString DocumentPrintData::companyAddressLine() const
{
    QString line;
    for (const char *column : {"OF_ADD1", "OF_ADD2", "OF_ADD4", "OF_ZIP"})
        line += Trimmed(settings, column) + u' ';
    return line;
}

QString DocumentPrintData::companyContactLine() const
{
    return JoinPieces({{QStringLiteral(" Tel. "), setting(QStringLiteral("OF_TEL"))},
                       {QStringLiteral(" Fax. "), setting(QStringLiteral("OF_FAX"))},
                       {QStringLiteral(" Email : "), setting(QStringLiteral("OF_EMAIL"))}});
}

QString DocumentPrintData::shortNoteAddressLine() const
{
    return Trimmed(settings, "OF_ADD1") + u' ' + Trimmed(settings, "OF_ADD2") + u' ';
}

QString DocumentPrintData::shortNoteContactLine() const
{
    return Trimmed(settings, "OF_ADD4") + u' ' + Trimmed(settings, "OF_ZIP") + u' ' +
           JoinPieces({{QStringLiteral("Tel. "), setting(QStringLiteral("OF_TEL"))},
                       {QStringLiteral(" Fax. "), setting(QStringLiteral("OF_FAX"))},
                       {QStringLiteral(" Email : "), setting(QStringLiteral("OF_EMAIL"))}});
}

void DocumentPrintData::applyMargins(PageSetup &page, double rightMargin, double bottomBase) const
{
    const double top = ColumnValue(settings, QStringLiteral("PRN_TOP")).toDouble();
    const double left = ColumnValue(settings, QStringLiteral("PRN_LEFT")).toDouble();
    page.setMargins(left, top, rightMargin, bottomBase - top);
}

QString ComposeDocumentNumber(const QString &number)
{
    if (number.isEmpty())
        return {};
    return number.left(4) + u'-' + number.mid(4, 1) + u'-' + number.mid(5, 6);
}

DocumentCaptions CaptionsForKind(const QVariantMap &settings, int kind)
{
    const auto text = [&settings](const char *column) {
        return ColumnValue(settings, QString::fromLatin1(column)).toString();
    };
    switch (kind) {
    case kGoodsOut:
        return {text("H_BILL_OUT"), text("M_OUT"), text("F_OUT"), text("F_APPROVE")};
    case kGoodsIn:
        return {text("H_BILL_IN"), text("M_IN"), text("F_IN"), text("F_APPROVE")};
    case kPurchaseOrder:
        return {text("H_BILL_ORDER"), text("M_IN"), QStringLiteral("ผู้สั่งของ"),
                QStringLiteral("ผู้อนุมัติ")};
    default:
        return {};
    }
}

QString JoinPieces(const QList<TextPiece> &pieces)
{
    QString text;
    for (const TextPiece &piece : pieces) {
        const QString value = piece.value.trimmed();
        if (!value.isEmpty())
            text += piece.prefix + value;
    }
    return text;
}

bool LoadDocumentPrintData(QSqlDatabase db, const QString &docNo, int kind, int tableKind,
                           const QString &dataFolder, DocumentPrintData *data, QString *error)
{
    *data = DocumentPrintData();
    data->docNo = docNo;
    data->kind = kind;
    data->tableKind = tableKind;

    // The logo is loaded whether or not it prints: a missing file stops the printing.
    const QString logoFile = dataFolder + QStringLiteral("logo.bmp");
    QImageReader reader(logoFile);
    data->logo = reader.read();
    if (data->logo.isNull()) {
        if (error)
            *error = QStringLiteral("อ่านไฟล์รูปภาพ '%1' ไม่ได้: %2").arg(logoFile, reader.errorString());
        return false;
    }

    if (const KindTables *tables = TablesOf(tableKind)) {
        QList<QVariantMap> rows;
        if (!ReadRows(db, tables->header, QStringLiteral("mInv_No"), docNo, &rows, error))
            return false;
        data->header = FirstRow(rows);
        if (!ReadRows(db, tables->lines, QStringLiteral("mInv_No"), docNo, &data->lines, error))
            return false;
        const QString partyCode = data->headerText(QStringLiteral("CUST_NO"));
        if (!ReadRows(db, tables->party, QStringLiteral("mCust_No"), partyCode, &rows, error))
            return false;
        data->party = FirstRow(rows);
    }

    QList<QVariantMap> settingsRows;
    if (!ReadRows(db, "select * from orvexsys ", {}, {}, &settingsRows, error))
        return false;
    data->settings = FirstRow(settingsRows);
    return true;
}

bool ReadPrintChoiceSettings(QSqlDatabase db, PrintChoiceSettings *settings, QString *error)
{
    QList<QVariantMap> rows;
    if (!ReadRows(db, "select * from orvexsys ", {}, {}, &rows, error))
        return false;
    const QVariantMap row = FirstRow(rows);
    settings->line5 = ColumnValue(row, QStringLiteral("LINE5")).toString();
    settings->view1 = ColumnValue(row, QStringLiteral("VIEW1")).toString();
    return true;
}
