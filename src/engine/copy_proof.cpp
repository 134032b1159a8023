#include "engine/copy_proof.h"

#include <QSqlError>

#include <algorithm>

namespace {

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

bool isEngineTable(const QString &name)
{
    return name.compare(QLatin1String("sqlite_sequence"), Qt::CaseInsensitive) == 0
           || name.startsWith(QLatin1String("sqlite_stat"), Qt::CaseInsensitive);
}

QString normalisedSql(const QString &sql)
{
    return sql.simplified().toUpper();
}

// Fills the rowid alias, the key columns of the first unique index and the kind of the table.
bool readTableShape(RawDatabase &db, const QString &schema, TableFacts &table, QString *error)
{
    const QString sql = normalisedSql(table.sql);
    table.autoIncrement = sql.contains(QLatin1String("AUTOINCREMENT"));
    table.withoutRowid = sql.contains(QLatin1String("WITHOUT ROWID"));

    QSqlQuery info(db.db());
    if (!info.exec(QStringLiteral("PRAGMA %1.table_info(%2)").arg(schema, QuotedName(table.name))))
        return fail(error, info.lastError().text());
    QStringList primary;
    QString primaryType;
    while (info.next()) {
        if (info.value(5).toInt() > 0) {
            primary.append(info.value(1).toString());
            primaryType = info.value(2).toString();
        }
    }
    if (primary.size() == 1 && primaryType.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0 && !table.withoutRowid) {
        table.rowidAlias = primary.first();
        return true;
    }

    QSqlQuery list(db.db());
    if (!list.exec(QStringLiteral("PRAGMA %1.index_list(%2)").arg(schema, QuotedName(table.name))))
        return fail(error, list.lastError().text());
    QStringList unique;
    while (list.next()) {
        if (list.value(2).toInt() == 1 && list.value(4).toInt() == 0)
            unique.append(list.value(1).toString());
    }
    for (const QString &index : unique) {
        QSqlQuery columns(db.db());
        if (!columns.exec(QStringLiteral("PRAGMA %1.index_info(%2)").arg(schema, QuotedName(index))))
            return fail(error, columns.lastError().text());
        QStringList names;
        bool plainColumns = true;
        while (columns.next()) {
            plainColumns = plainColumns && columns.value(1).toInt() >= 0;
            names.append(columns.value(2).toString());
        }
        if (plainColumns && !names.isEmpty()) {
            table.keyColumns = names;
            break;
        }
    }
    return true;
}

// The key of each row as one text, and the order both files list it in.
struct KeyQuery
{
    QString expression;
    QString order;
};

KeyQuery keyQuery(const TableFacts &table)
{
    if (!table.rowidAlias.isEmpty())
        return {QStringLiteral("rowid"), QStringLiteral("rowid")};
    QStringList parts, order;
    for (const QString &column : table.keyColumns) {
        parts.append(QStringLiteral("quote(%1)").arg(QuotedName(column)));
        order.append(QuotedName(column));
    }
    return {parts.join(QStringLiteral("||char(31)||")), order.join(QStringLiteral(", "))};
}

// Walks the keys of the original and of the copy side by side (both in key order): they must be
// the same, one for one.
bool sameKeys(RawDatabase &copy, const TableFacts &table, QString *error)
{
    const QString name = QuotedName(table.name);
    if (table.rowidAlias.isEmpty() && table.keyColumns.isEmpty()) {
        QString failure;
        // The original's indexes are not trusted: count its table itself.
        const QVariant original = copy.scalar(QStringLiteral("SELECT count(*) FROM src.%1 NOT INDEXED").arg(name), &failure);
        const QVariant copied = copy.scalar(QStringLiteral("SELECT count(*) FROM main.%1").arg(name), &failure);
        if (!original.isValid() || !copied.isValid())
            return fail(error, QStringLiteral("the rows of table '%1' cannot be counted: %2").arg(table.name, failure));
        if (original.toLongLong() != copied.toLongLong())
            return fail(error, QStringLiteral("table '%1' holds %2 rows in the copy and %3 in the original")
                                   .arg(table.name, copied.toString(), original.toString()));
        return true;
    }
    const KeyQuery key = keyQuery(table);
    QSqlQuery original(copy.db()), copied(copy.db());
    original.setForwardOnly(true);
    copied.setForwardOnly(true);
    if (!original.exec(QStringLiteral("SELECT %1 FROM src.%2 NOT INDEXED ORDER BY %3").arg(key.expression, name, key.order)))
        return fail(error, QStringLiteral("table '%1' cannot be read in the original: %2").arg(table.name, original.lastError().text()));
    if (!copied.exec(QStringLiteral("SELECT %1 FROM main.%2 ORDER BY %3").arg(key.expression, name, key.order)))
        return fail(error, QStringLiteral("table '%1' cannot be read in the copy: %2").arg(table.name, copied.lastError().text()));
    qint64 rows = 0;
    for (;;) {
        const bool inOriginal = original.next();
        const bool inCopy = copied.next();
        if (!inOriginal && original.lastError().isValid())
            return fail(error, QStringLiteral("table '%1' cannot be read in the original: %2").arg(table.name, original.lastError().text()));
        if (!inCopy && copied.lastError().isValid())
            return fail(error, QStringLiteral("table '%1' cannot be read in the copy: %2").arg(table.name, copied.lastError().text()));
        if (!inOriginal && !inCopy)
            return true;
        const QString wanted = inOriginal ? original.value(0).toString() : QString();
        const QString found = inCopy ? copied.value(0).toString() : QString();
        if (!inCopy)
            return fail(error, QStringLiteral("table '%1': the row with the key %2 of the original is missing from the copy (after %3 matching rows)")
                                   .arg(table.name, wanted, QString::number(rows)));
        if (!inOriginal)
            return fail(error, QStringLiteral("table '%1': the copy holds a row with the key %2 that the original lacks")
                                   .arg(table.name, found));
        if (wanted != found)
            return fail(error, QStringLiteral("table '%1': after %2 matching rows the original has the key %3 where the copy has %4")
                                   .arg(table.name, QString::number(rows), wanted, found));
        ++rows;
    }
}

// The counter the copy must hold at least for an auto-increment table; 0 when none is needed.
bool neededSequence(RawDatabase &db, const DatabaseFacts &facts, const TableFacts &table, qint64 *needed, QString *error)
{
    QString failure;
    const QVariant highest = db.scalar(QStringLiteral("SELECT max(rowid) FROM main.%1").arg(QuotedName(table.name)), &failure);
    if (!highest.isValid())
        return fail(error, QStringLiteral("the highest key of table '%1' cannot be read: %2").arg(table.name, failure));
    *needed = std::max(highest.toLongLong(), facts.sequences.value(table.name, 0));
    return true;
}

bool checkSequences(RawDatabase &copy, const DatabaseFacts &facts, QString *error)
{
    for (const TableFacts &table : facts.tables) {
        if (!table.autoIncrement)
            continue;
        qint64 needed = 0;
        if (!neededSequence(copy, facts, table, &needed, error))
            return false;
        if (needed == 0)
            continue;
        QSqlQuery rows(copy.db());
        rows.prepare(QStringLiteral("SELECT count(*), max(seq) FROM main.sqlite_sequence WHERE name = :name"));
        rows.bindValue(QStringLiteral(":name"), table.name);
        if (!rows.exec() || !rows.next())
            return fail(error, QStringLiteral("the auto-increment counters of the copy cannot be read: %1").arg(rows.lastError().text()));
        if (rows.value(0).toLongLong() != 1 || rows.value(1).toLongLong() < needed)
            return fail(error, QStringLiteral("table '%1' has %2 auto-increment counters in the copy (highest %3) instead of one of at least %4")
                                   .arg(table.name, rows.value(0).toString(), rows.value(1).toString(), QString::number(needed)));
    }
    return true;
}

bool checkSchema(const DatabaseFacts &facts, const DatabaseFacts &copy, QString *error)
{
    for (const SchemaObject &object : facts.objects) {
        const auto found = std::find_if(copy.objects.cbegin(), copy.objects.cend(), [&](const SchemaObject &o) {
            return o.type == object.type && o.name.compare(object.name, Qt::CaseInsensitive) == 0;
        });
        if (found == copy.objects.cend())
            return fail(error, QStringLiteral("the copy lacks the %1 '%2'").arg(object.type, object.name));
        if (normalisedSql(found->sql) != normalisedSql(object.sql))
            return fail(error, QStringLiteral("the %1 '%2' of the copy differs from the original's").arg(object.type, object.name));
    }
    if (copy.userVersion != facts.userVersion || copy.applicationId != facts.applicationId)
        return fail(error, QStringLiteral("the copy carries data version %1 instead of %2")
                               .arg(QString::number(copy.userVersion), QString::number(facts.userVersion)));
    return true;
}

} // namespace

const TableFacts *DatabaseFacts::table(const QString &name) const
{
    for (const TableFacts &t : tables) {
        if (t.name == name)
            return &t;
    }
    return nullptr;
}

bool ReadDatabaseFacts(RawDatabase &db, const QString &schema, DatabaseFacts *facts, QString *error)
{
    *facts = DatabaseFacts();
    QSqlQuery objects(db.db());
    objects.setForwardOnly(true);
    if (!objects.exec(QStringLiteral("SELECT type, name, tbl_name, sql FROM %1.sqlite_master ORDER BY rowid").arg(schema)))
        return fail(error, objects.lastError().text());
    while (objects.next()) {
        const SchemaObject object{objects.value(0).toString(), objects.value(1).toString(),
                                  objects.value(2).toString(), objects.value(3).toString()};
        if (object.name.compare(QLatin1String("sqlite_stat1"), Qt::CaseInsensitive) == 0)
            facts->statistics = true;
        if (isEngineTable(object.name))
            continue;
        facts->objects.append(object);
        if (object.type == u"table") {
            TableFacts table;
            table.name = object.name;
            table.sql = object.sql;
            facts->tables.append(table);
        }
    }
    if (objects.lastError().isValid())
        return fail(error, objects.lastError().text());
    for (const SchemaObject &object : std::as_const(facts->objects)) {
        if (object.type != u"index")
            continue;
        for (TableFacts &table : facts->tables) {
            if (table.name.compare(object.table, Qt::CaseInsensitive) == 0)
                table.indexes.append(object.name);
        }
    }
    for (TableFacts &table : facts->tables) {
        if (!readTableShape(db, schema, table, error))
            return false;
    }
    QString failure;
    const QVariant version = db.scalar(QStringLiteral("PRAGMA %1.user_version").arg(schema), &failure);
    const QVariant application = db.scalar(QStringLiteral("PRAGMA %1.application_id").arg(schema), &failure);
    const QVariant pageSize = db.scalar(QStringLiteral("PRAGMA %1.page_size").arg(schema), &failure);
    if (!version.isValid() || !application.isValid() || !pageSize.isValid())
        return fail(error, failure);
    facts->userVersion = version.toLongLong();
    facts->applicationId = application.toLongLong();
    facts->pageSize = pageSize.toLongLong();

    const bool anyCounter = std::any_of(facts->tables.cbegin(), facts->tables.cend(),
                                        [](const TableFacts &t) { return t.autoIncrement; });
    if (anyCounter) {
        QSqlQuery counters(db.db());
        counters.setForwardOnly(true);
        if (counters.exec(QStringLiteral("SELECT name, max(seq) FROM %1.sqlite_sequence GROUP BY name").arg(schema))) {
            while (counters.next())
                facts->sequences.insert(counters.value(0).toString(), counters.value(1).toLongLong());
        }
        // A file whose tables never received a row has no counter table yet.
        facts->sequencesKnown = !counters.lastError().isValid()
                                || counters.lastError().text().contains(QLatin1String("no such table"));
    }
    return true;
}

bool SetSequences(RawDatabase &db, const DatabaseFacts &facts, QString *error)
{
    for (const TableFacts &table : facts.tables) {
        if (!table.autoIncrement)
            continue;
        qint64 needed = 0;
        QString failure;
        if (!neededSequence(db, facts, table, &needed, error))
            return false;
        const QVariantMap values = {{QStringLiteral("name"), table.name}, {QStringLiteral("seq"), needed}};
        if (!db.exec(QStringLiteral("DELETE FROM main.sqlite_sequence WHERE name = :name"), &failure, values)
            || (needed > 0 && !db.exec(QStringLiteral("INSERT INTO main.sqlite_sequence (name, seq) VALUES (:name, :seq)"), &failure, values)))
            return fail(error, QStringLiteral("the auto-increment counter of table '%1' cannot be set: %2").arg(table.name, failure));
    }
    return true;
}

bool ProveCopy(const QString &workFile, const QString &sourcePath, const DatabaseFacts &facts,
               ProofLevel level, const QHash<QString, qint64> &damagedTables, QString *error)
{
    RawDatabase copy(workFile, RawDatabase::Access::ReadOnly);
    if (!copy.isOpen())
        return fail(error, copy.openError());
    QString failure;
    QStringList check;
    if (!copy.column(QStringLiteral("PRAGMA main.integrity_check"), &check, &failure))
        return fail(error, QStringLiteral("the copy cannot be checked: %1").arg(failure));
    if (check != QStringList{QStringLiteral("ok")})
        return fail(error, QStringLiteral("the copy is damaged: %1").arg(check.mid(0, 5).join(u"; ")));
    DatabaseFacts copied;
    if (!ReadDatabaseFacts(copy, QStringLiteral("main"), &copied, &failure))
        return fail(error, QStringLiteral("the schema of the copy cannot be read: %1").arg(failure));
    if (!checkSchema(facts, copied, error) || !checkSequences(copy, facts, error))
        return false;
    if (level == ProofLevel::Structure)
        return true;

    if (!copy.exec(QStringLiteral("PRAGMA temp_store = MEMORY"), &failure)
        || !copy.exec(QStringLiteral("ATTACH DATABASE :file AS src"), &failure, {{QStringLiteral("file"), sourcePath}}))
        return fail(error, QStringLiteral("the original cannot be read beside the copy: %1").arg(failure));
    for (const TableFacts &table : facts.tables) {
        if (damagedTables.contains(table.name)) {
            const QVariant rows = copy.scalar(QStringLiteral("SELECT count(*) FROM main.%1").arg(QuotedName(table.name)), &failure);
            if (!rows.isValid() || rows.toLongLong() != damagedTables.value(table.name))
                return fail(error, QStringLiteral("table '%1' holds %2 rows in the copy instead of the %3 saved")
                                       .arg(table.name, rows.toString(), QString::number(damagedTables.value(table.name))));
        } else if (!sameKeys(copy, table, error)) {
            return false;
        }
    }
    return true;
}
