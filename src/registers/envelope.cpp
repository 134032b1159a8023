#include "registers/envelope.h"

#include "db/sql_statement.h"
#include "report/query_rows.h"

#include <QSqlRecord>

namespace {

// The face of the envelope texts: the TLWG sans face the program's screens are drawn in.
FontRequest EnvelopeFont(double pointSize, const QString &style = {})
{
    return Font(QStringLiteral("Loma"), pointSize, style);
}

QString text(const QVariantMap &row, const QString &column)
{
    return ColumnValue(row, column).toString();
}

// One row of a statement; false when the store fails, *found false when there is no row.
bool readRow(SqlStatement &statement, QVariantMap *row, bool *found, QString *error)
{
    if (!statement.exec(error))
        return false;
    *found = statement.query().next();
    if (*found)
        *row = RowFromRecord(statement.query().record());
    return true;
}

} // namespace

QString SenderAddress(const QVariantMap &settings)
{
    QString address;
    bool first = true;
    for (const char *column : {"OF_ADD1", "OF_ADD2", "OF_ADD4", "OF_ZIP"}) {
        const QString piece = text(settings, QString::fromLatin1(column)).trimmed();
        if (!piece.isEmpty())
            address += (first ? QString() : QStringLiteral(" ")) + piece;
        first = false;
    }
    return address;
}

Report EnvelopeReport(const QVariantMap &settings, const QVariantMap &party, const EnvelopeColumns &columns)
{
    Report report;
    report.title = QStringLiteral("ซอง จม.");
    report.page = PageSetup::a4();
    report.page.setMargins(10, 10, 10, 10);

    // The addressee lines wrap within their width, one line below the other; the sender lines
    // stay on one line each.
    constexpr double kAddresseeHeight = 9.8;
    Band band(84.1);
    band.add(Label("sender_name", text(settings, QStringLiteral("OF_NAME")).trimmed(), {6.9, 4.2, 178.6},
                   EnvelopeFont(10)));
    band.add(Label("sender_address", SenderAddress(settings), {6.9, 9.5, 184.9}, EnvelopeFont(8)));
    band.add(Label("deliver_to", QStringLiteral("กรุณาส่ง"), {33.9, 18.8, 40.0}, EnvelopeFont(14, "BI")));
    band.add(Label("addressee_name", text(party, columns.name), {48.7, 32.3, 142.1, kAddresseeHeight},
                   EnvelopeFont(12))
                 .withWordWrap());
    band.add(Label("address_line1", text(party, columns.address1), {48.7, 42.1, 142.3, kAddresseeHeight},
                   EnvelopeFont(12))
                 .withWordWrap());
    band.add(Label("address_line2", text(party, columns.address2), {48.7, 52.1, 142.3, kAddresseeHeight},
                   EnvelopeFont(12))
                 .withWordWrap());
    band.add(Label("address_line3",
                   text(party, columns.province) + QStringLiteral(" ") + text(party, columns.postcode),
                   {48.4, 62.2, 142.6, kAddresseeHeight}, EnvelopeFont(12))
                 .withWordWrap());
    report.pageHeader = band;
    return report;
}

bool ReadEnvelopeRows(QSqlDatabase db, const QStringList &partyQuery, const QString &code,
                      QVariantMap *party, QVariantMap *settings, QString *error)
{
    SqlStatement partyStatement(db, partyQuery);
    partyStatement.bind(QStringLiteral("mCust_No"), code);
    SqlStatement settingsStatement(db, {QStringLiteral("Select * from Orvexsys")});
    bool partyFound = false, settingsFound = false;
    if (!readRow(partyStatement, party, &partyFound, error) || !readRow(settingsStatement, settings, &settingsFound, error))
        return false;
    if (!partyFound || !settingsFound) {
        if (error)
            *error = partyFound ? QStringLiteral("The settings row is missing")
                                : QStringLiteral("No record has the code '%1'").arg(code);
        return false;
    }
    return true;
}
