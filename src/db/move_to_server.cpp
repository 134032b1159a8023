#include "db/move_to_server.h"

#include "common/atomic_file.h"
#include "db/data_folder.h"
#include "db/schema.h"
#include "engine/connection.h"
#include "engine/connection_slots.h"
#include "engine/database_file.h"
#include "engine/raw_database.h"
#include "engine/transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cmath>

namespace {

// Rows sent to the server in one statement: few round trips, statements of moderate size.
constexpr int kRowsPerInsert = 200;

bool IsNumber(ColumnType type)
{
    return type == ColumnType::Double || type == ColumnType::SmallInt || type == ColumnType::Integer
           || type == ColumnType::AutoInc;
}

// What the server would refuse, found on the file first so that the message can name the column:
// a text longer than the server's column, a number column holding text.
bool CheckFileValues(RawDatabase &file, const TableDef &table, QString *error)
{
    for (const ColumnDef &column : table.columns) {
        QString failure;
        if (column.type == ColumnType::Text) {
            const int width = std::max(column.width, column.storedWidth);
            const QVariant longest = file.scalar(
                QStringLiteral("SELECT coalesce(max(length(%1)), 0) FROM %2").arg(column.name, table.name), &failure);
            if (!longest.isValid()) {
                *error = failure;
                return false;
            }
            if (longest.toInt() > width) {
                *error = QStringLiteral("%1.%2 holds a text of %3 characters; the server's column takes %4")
                             .arg(table.name, column.name, longest.toString(), QString::number(width));
                return false;
            }
        } else if (IsNumber(column.type)) {
            const QVariant texts = file.scalar(
                QStringLiteral("SELECT count(*) FROM %1 WHERE typeof(%2) NOT IN ('integer', 'real', 'null')")
                    .arg(table.name, column.name),
                &failure);
            if (!texts.isValid()) {
                *error = failure;
                return false;
            }
            if (texts.toLongLong() > 0) {
                *error = QStringLiteral("%1.%2 holds %3 values that are not numbers")
                             .arg(table.name, column.name, texts.toString());
                return false;
            }
        }
    }
    return true;
}

// One multi-row INSERT for count rows of table, every column bound by name.
QString InsertText(const TableDef &table, int count)
{
    QStringList columns;
    for (const ColumnDef &column : table.columns)
        columns.append(column.name);
    QStringList rows;
    for (int r = 0; r < count; ++r) {
        QStringList values;
        for (int c = 0; c < table.columns.size(); ++c)
            values.append(QStringLiteral(":r%1c%2").arg(r).arg(c));
        rows.append(u'(' + values.join(QStringLiteral(", ")) + u')');
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
        .arg(table.name, columns.join(QStringLiteral(", ")), rows.join(QStringLiteral(", ")));
}

bool InsertRows(QSqlDatabase server, const TableDef &table, const QList<QVariantList> &rows, QString *error)
{
    QSqlQuery insert(server);
    if (!insert.prepare(InsertText(table, int(rows.size())))) {
        *error = insert.lastError().text();
        return false;
    }
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < table.columns.size(); ++c)
            insert.bindValue(QStringLiteral(":r%1c%2").arg(r).arg(c), rows.at(r).at(c));
    }
    if (!insert.exec()) {
        *error = QStringLiteral("%1: %2").arg(table.name, insert.lastError().text());
        return false;
    }
    return true;
}

bool CopyTable(RawDatabase &file, QSqlDatabase server, const TableDef &table, QString *error)
{
    QStringList columns;
    for (const ColumnDef &column : table.columns)
        columns.append(column.name);
    QSqlQuery read(file.db());
    read.setForwardOnly(true);
    if (!read.exec(QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QStringLiteral(", ")), table.name))) {
        *error = QStringLiteral("%1: %2").arg(table.name, read.lastError().text());
        return false;
    }
    QList<QVariantList> batch;
    while (read.next()) {
        QVariantList row;
        for (int c = 0; c < columns.size(); ++c)
            row.append(read.value(c));
        batch.append(row);
        if (batch.size() == kRowsPerInsert) {
            if (!InsertRows(server, table, batch, error))
                return false;
            batch.clear();
        }
    }
    return batch.isEmpty() || InsertRows(server, table, batch, error);
}

// The server's counter of an auto-increment key continues after the highest key the file ever
// issued (its sqlite_sequence), so no key is issued twice.
bool ContinueCounter(RawDatabase &file, QSqlDatabase server, const TableDef &table, QString *error)
{
    for (const ColumnDef &column : table.columns) {
        if (column.type != ColumnType::AutoInc)
            continue;
        QString failure;
        const QVariant issued = file.scalar(
            QStringLiteral("SELECT max(coalesce((SELECT max(seq) FROM sqlite_sequence WHERE name = :name), 0), "
                           "coalesce((SELECT max(%1) FROM %2), 0))")
                .arg(column.name, table.name),
            &failure, {{QStringLiteral(":name"), table.name}});
        if (!issued.isValid()) {
            *error = failure;
            return false;
        }
        if (issued.toLongLong() < 1)
            continue;
        QSqlQuery counter(server);
        counter.prepare(QStringLiteral("SELECT setval(pg_get_serial_sequence(:table, :column), :value)"));
        counter.bindValue(QStringLiteral(":table"), table.name.toLower());
        counter.bindValue(QStringLiteral(":column"), column.name.toLower());
        counter.bindValue(QStringLiteral(":value"), issued.toLongLong());
        if (!counter.exec()) {
            *error = QStringLiteral("%1: %2").arg(table.name, counter.lastError().text());
            return false;
        }
    }
    return true;
}

// Row count and the sum of every number column, as one row of values.
QString TotalsText(const TableDef &table)
{
    QStringList parts = {QStringLiteral("count(*)")};
    for (const ColumnDef &column : table.columns) {
        if (IsNumber(column.type))
            parts.append(QStringLiteral("coalesce(sum(%1), 0)").arg(column.name));
    }
    return QStringLiteral("SELECT %1 FROM %2").arg(parts.join(QStringLiteral(", ")), table.name);
}

bool ReadTotals(QSqlDatabase db, const TableDef &table, QList<double> *totals, QString *error)
{
    QSqlQuery query(db);
    if (!query.exec(TotalsText(table)) || !query.next()) {
        *error = QStringLiteral("%1: %2").arg(table.name, query.lastError().text());
        return false;
    }
    totals->clear();
    for (int i = 0; i < query.record().count(); ++i)
        totals->append(query.value(i).toDouble());
    return true;
}

bool SameTotal(double a, double b)
{
    return std::abs(a - b) <= 1e-9 * std::max({1.0, std::abs(a), std::abs(b)});
}

// Compares the copy with the file table by table; the report gets one line per table.
bool CompareTotals(RawDatabase &file, QSqlDatabase server, QStringList *report, QString *error)
{
    for (const TableDef &table : SchemaTables()) {
        QList<double> onFile, onServer;
        if (!ReadTotals(file.db(), table, &onFile, error) || !ReadTotals(server, table, &onServer, error))
            return false;
        QStringList names = {QStringLiteral("rows")};
        for (const ColumnDef &column : table.columns) {
            if (IsNumber(column.type))
                names.append(column.name);
        }
        for (int i = 0; i < names.size(); ++i) {
            if (onFile.size() != onServer.size() || !SameTotal(onFile.at(i), onServer.at(i))) {
                *error = QStringLiteral("%1 differs on the server: %2 is %3 in data.abs and %4 on the server")
                             .arg(table.name, names.at(i), QString::number(onFile.value(i), 'g', 15),
                                  QString::number(onServer.value(i), 'g', 15));
                return false;
            }
        }
        report->append(QStringLiteral("%1: %2 rows, the same on the server").arg(table.name).arg(qint64(onFile.first())));
    }
    return true;
}

} // namespace

bool MoveDataFolderToServer(const QString &folder, const ServerConfig &server, QStringList *report, QString *error)
{
    report->clear();
    const auto fail = [error](const QString &text) {
        *error = text;
        return false;
    };
    const auto notMoved = [&fail](const QString &why) { return fail(QStringLiteral("Nothing was moved: ") + why); };
    const QDir dir(folder);
    const QString databasePath = dir.absoluteFilePath(QStringLiteral("data.abs"));
    const QString ini = dir.absoluteFilePath(QStringLiteral("server.ini"));
    if (QFileInfo::exists(ini))
        return fail(QStringLiteral("'%1' already names a server").arg(ini));
    if (!QFileInfo(databasePath).isFile())
        return fail(QStringLiteral("'%1' holds no data.abs to move").arg(folder));

    // Nobody may write the file while it is copied: every slot is taken, so no window of any copy
    // of the program is open on it.
    ConnectionSlot everySlot;
    QString failure;
    if (!everySlot.acquireAll(databasePath, &failure) || !CheckDatabaseFile(databasePath, CheckDataFileHeader, &failure))
        return fail(failure);
    RawDatabase file(databasePath, RawDatabase::Access::ReadWrite);
    if (!file.isOpen() || !UpgradeSchema(file.db(), &failure))
        return fail(file.isOpen() ? failure : file.openError());
    for (const TableDef &table : SchemaTables()) {
        if (!CheckFileValues(file, table, &failure))
            return notMoved(failure);
    }

    const std::unique_ptr<Connection> connection = Connection::openServer({databasePath, 1, true}, server, &failure);
    if (!connection)
        return fail(failure);
    QSqlDatabase db = connection->database();
    if (!ServerHoldsNoProgramData(db, &failure))
        return fail(failure);

    Transaction transaction(db);
    if (!transaction.begin(Transaction::Mode::Immediate, &failure) || !CreateSchema(db, &failure))
        return notMoved(failure);
    for (const TableDef &table : SchemaTables()) {
        if (!CopyTable(file, db, table, &failure) || !ContinueCounter(file, db, table, &failure))
            return notMoved(failure);
    }
    if (!CompareTotals(file, db, report, &failure))
        return notMoved(failure);
    // server.ini before the commit, removed again if the commit fails: the folder never names a
    // server without the data.
    if (!WriteServerIni(ini, server, &failure))
        return notMoved(failure);
    if (!transaction.commit(&failure)) {
        QFile::remove(ini);
        return notMoved(failure);
    }
    const QString moved = databasePath + QStringLiteral(".moved");
    if (!RenameWithoutReplacing(databasePath, moved, &failure))
        return fail(QStringLiteral("The data is on the server, but data.abs could not be renamed to data.abs.moved (%1); "
                                   "rename it by hand before the program is started")
                        .arg(failure));
    report->append(QStringLiteral("data.abs is kept as data.abs.moved; server.ini names %1").arg(server.describe()));
    return true;
}
