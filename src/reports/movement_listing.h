#pragma once

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// The goods-in (mode 1) and goods-out (mode 2) listings: every line of every document of the
// mode's tables dated within a range, optionally of one product group, with the total quantity.

struct ListingMode
{
    int mode;           // 1 goods in, 2 goods out (the ListingKind of the menu)
    QString caption;    // the window's caption
    QString title;      // the printed title
    QString fileName;   // the CSV file in the data folder
    QString fileTitle;  // the CSV file's second line
};
// The texts of mode 1 or 2; any other value is taken as 2 (goods out).
const ListingMode &ListingModeOf(int mode);

// The group choice that lists every line with a group.
inline QString AllGroupsText() { return QStringLiteral("ทั้งหมด"); }

enum class ListingSort { Date, Code, Name, Group }; // "วันที่", "รหัส", "ชื่อสินค้า", "กลุ่มสินค้า"

struct ListingRequest
{
    int mode = 2;
    QString fromText; // dd/mm/yyyy, Buddhist era; both days are included
    QString toText;
    QString group = AllGroupsText(); // as typed or chosen, not trimmed
    ListingSort sort = ListingSort::Date;
};

struct ListingResult
{
    // Columns (upper case): PRO_NO, PRO_NAME, PRO_GROUP, PRO_UNIT, PRO_QTY, INV_NO, INV_DATE,
    // INV_TIME; in the order the sort asks for, ties by date, document number and entry.
    QList<QVariantMap> rows;
    double total = 0; // the sum of PRO_QTY over the rows
};

// The groups of the mode's line table, ascending, each once (lines without a group left out).
bool ReadListingGroups(QSqlDatabase db, int mode, QStringList *groups, QString *error);

// Runs the listing. The group "ทั้งหมด" lists every line whose group is not "ทั้งหมด", so a line
// without a group (null) is not listed; any other text lists the lines of exactly that group.
bool RunListing(QSqlDatabase db, const ListingRequest &request, ListingResult *result, QString *error);

// The text of the listing's statement, for plan checks.
QString ListingStatementText(const ListingRequest &request);

// The CSV export of the rows, in Windows-874 with CR LF line ends: the program's name, the file's
// title, an empty line, the column captions, one line per row with each value in double quotes
// (a double quote inside a value doubled) and a blank after the last, then two lines of one
// blank. The quantity is written in its shortest decimal form (12, 12.5).
QByteArray ListingCsv(int mode, const QList<QVariantMap> &rows);

// Writes the export to fileName whole (a temporary name, renamed into place): a failure leaves an
// older file as it was and says why in *error, in Thai.
bool WriteListingCsv(const QString &fileName, int mode, const QList<QVariantMap> &rows, QString *error);

// The message shown once the export is written.
QString ListingExportedMessage(int mode);
