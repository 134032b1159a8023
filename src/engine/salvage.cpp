#include "engine/salvage.h"

#include <QSqlError>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// The rows named in one walk over a table or an index.
struct RowidWalk
{
    std::vector<qint64> rowids;
    bool complete = true; // the walk reached its end without an error
    bool ordered = true;  // every rowid came in the walk's order
};

RowidWalk walkRowids(RawDatabase &db, const QString &sql, int direction, QHash<qint64, QString> *keys = nullptr)
{
    RowidWalk walk;
    QSqlQuery query(db.db());
    query.setForwardOnly(true);
    if (!query.exec(sql)) {
        walk.complete = false;
        return walk;
    }
    while (query.next()) {
        const qint64 rowid = query.value(0).toLongLong();
        if (direction != 0 && !walk.rowids.empty() && (rowid - walk.rowids.back()) * direction <= 0)
            walk.ordered = false;
        walk.rowids.push_back(rowid);
        if (keys)
            keys->insert(rowid, query.value(1).toString());
    }
    walk.complete = !query.lastError().isValid();
    return walk;
}

std::vector<qint64> sortedUnique(std::vector<qint64> values)
{
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

// Rebuilds one table of the copy from the original attached as "src".
class TableSalvage
{
public:
    TableSalvage(RawDatabase &db, const TableFacts &table)
        : m_db(db)
        , m_table(table)
        , m_name(QuotedName(table.name))
    {
    }

    bool run(SalvageResult *result, QString *error)
    {
        if (m_table.withoutRowid)
            return copyWhole(error); // it has no rowids to be read by
        findRows();
        if (m_readsWhole) {
            QString failure;
            if (copyWhole(&failure))
                return true;
            if (!m_damage)
                return fail(error, failure);
        }
        if (!copyRowByRow(error))
            return false;
        report(result);
        return true;
    }

private:
    void findRows()
    {
        const RowidWalk up = walkRowids(m_db, QStringLiteral("SELECT rowid FROM src.%1 NOT INDEXED ORDER BY rowid").arg(m_name), 1);
        const RowidWalk down = walkRowids(m_db, QStringLiteral("SELECT rowid FROM src.%1 NOT INDEXED ORDER BY rowid DESC").arg(m_name), -1);
        const std::vector<qint64> table = sortedUnique(up.rowids);
        m_readsWhole = up.complete && down.complete && up.ordered && down.ordered && table.size() == up.rowids.size()
                       && table == sortedUnique(down.rowids);
        m_candidates = sortedUnique([&] {
            std::vector<qint64> all = up.rowids;
            all.insert(all.end(), down.rowids.begin(), down.rowids.end());
            return all;
        }());
        m_expected = qint64(table.size());
        // The indexes name the rows of pages the table itself can no longer reach, and their keys.
        for (const QString &index : m_table.indexes) {
            const bool keyIndex = !m_table.keyColumns.isEmpty() && m_keys.isEmpty();
            QString sql = QStringLiteral("SELECT rowid FROM src.%1 INDEXED BY %2").arg(m_name, QuotedName(index));
            if (keyIndex) {
                QStringList parts;
                for (const QString &column : m_table.keyColumns)
                    parts.append(QuotedName(column));
                sql = QStringLiteral("SELECT rowid, %1 FROM src.%2 INDEXED BY %3")
                          .arg(parts.join(QStringLiteral("||' '||")), m_name, QuotedName(index));
            }
            const RowidWalk walk = walkRowids(m_db, sql, 0, keyIndex ? &m_keys : nullptr);
            m_indexRows.insert(m_indexRows.end(), walk.rowids.begin(), walk.rowids.end());
        }
        m_indexRows = sortedUnique(m_indexRows);
    }

    // In a transaction of its own: after a read meets damage, SQLite refuses every further write
    // of the transaction it happened in, so the rows are then copied one by one outside any.
    bool copyWhole(QString *error)
    {
        QString failure;
        if (!m_db.exec(QStringLiteral("BEGIN"), &failure))
            return fail(error, failure);
        QSqlQuery insert(m_db.db());
        if (insert.exec(QStringLiteral("INSERT INTO main.%1 SELECT * FROM src.%1 NOT INDEXED").arg(m_name))
            && (m_table.withoutRowid || insert.numRowsAffected() == m_expected)) {
            if (m_db.exec(QStringLiteral("COMMIT"), &failure))
                return true;
            m_db.exec(QStringLiteral("ROLLBACK"), nullptr);
            return fail(error, QStringLiteral("the rows of table '%1' cannot be written into the copy: %2").arg(m_table.name, failure));
        }
        m_damage = !insert.lastError().isValid() || IsDamageError(PrimaryErrorCode(insert));
        const QString reason = insert.lastError().isValid()
                                   ? insert.lastError().text()
                                   : QStringLiteral("%1 rows read instead of %2").arg(QString::number(insert.numRowsAffected()), QString::number(m_expected));
        insert.finish();
        m_db.exec(QStringLiteral("ROLLBACK"), nullptr);
        return fail(error, QStringLiteral("the rows of table '%1' cannot be copied: %2").arg(m_table.name, reason));
    }

    bool copyRowByRow(QString *error)
    {
        std::vector<qint64> rows = m_candidates;
        rows.insert(rows.end(), m_indexRows.begin(), m_indexRows.end());
        rows = sortedUnique(rows);
        QSqlQuery insert(m_db.db());
        if (!insert.prepare(QStringLiteral("INSERT INTO main.%1 SELECT * FROM src.%1 WHERE rowid = :rowid").arg(m_name)))
            return fail(error, insert.lastError().text());
        for (const qint64 rowid : rows) {
            insert.bindValue(QStringLiteral(":rowid"), rowid);
            if (insert.exec()) {
                if (insert.numRowsAffected() == 1)
                    ++m_saved;
                else
                    m_lost.push_back(rowid);
            } else if (IsDamageError(PrimaryErrorCode(insert))) {
                m_lost.push_back(rowid);
            } else {
                return fail(error, QStringLiteral("a row of table '%1' cannot be written into the copy: %2")
                                       .arg(m_table.name, insert.lastError().text()));
            }
        }
        return true;
    }

    QString describe(qint64 rowid) const
    {
        const QString key = m_keys.value(rowid);
        if (!key.isEmpty())
            return QStringLiteral("%1 %2").arg(m_table.keyColumns.join(QLatin1Char('+')), key);
        return QStringLiteral("%1 %2").arg(m_table.rowidAlias.isEmpty() ? QStringLiteral("rowid") : m_table.rowidAlias,
                                            QString::number(rowid));
    }

    void report(SalvageResult *result) const
    {
        result->damagedTables.insert(m_table.name, m_saved);
        result->lostRows += qint64(m_lost.size());
        if (m_lost.empty()) {
            result->findings.append(QStringLiteral("Table %1: could not be read in one pass; all %2 rows found in it and in its indexes were saved one by one")
                                        .arg(m_table.name, QString::number(m_saved)));
            return;
        }
        constexpr std::size_t kListed = 20;
        QStringList named;
        for (std::size_t i = 0; i < std::min(kListed, m_lost.size()); ++i)
            named.append(describe(m_lost[i]));
        QString list = named.join(QStringLiteral(", "));
        if (m_lost.size() > kListed)
            list += QStringLiteral(" and %1 more").arg(m_lost.size() - kListed);
        result->findings.append(QStringLiteral("Table %1: %2 rows saved; %3 rows could not be read and are not in the repaired file: %4")
                                    .arg(m_table.name, QString::number(m_saved), QString::number(m_lost.size()), list));
    }

    RawDatabase &m_db;
    const TableFacts &m_table;
    const QString m_name;
    bool m_readsWhole = false;
    bool m_damage = false; // copying the whole table failed because the original is damaged
    qint64 m_expected = 0;
    std::vector<qint64> m_candidates; // rows the table's own walks named
    std::vector<qint64> m_indexRows;  // rows the indexes named
    QHash<qint64, QString> m_keys;    // key of a row, from the first unique index
    qint64 m_saved = 0;
    std::vector<qint64> m_lost;
};

bool createObjects(RawDatabase &db, const DatabaseFacts &facts, const QString &type, QString *error)
{
    for (const SchemaObject &object : facts.objects) {
        if (object.type != type || object.sql.isEmpty())
            continue;
        QString failure;
        if (!db.exec(object.sql, &failure))
            return fail(error, QStringLiteral("the %1 '%2' cannot be made in the copy: %3").arg(type, object.name, failure));
    }
    return true;
}

bool inTransaction(RawDatabase &db, QString *error, const std::function<bool()> &work)
{
    QString failure;
    if (!db.exec(QStringLiteral("BEGIN"), &failure))
        return fail(error, failure);
    if (!work()) {
        db.exec(QStringLiteral("ROLLBACK"), nullptr);
        return false;
    }
    if (db.exec(QStringLiteral("COMMIT"), &failure))
        return true;
    db.exec(QStringLiteral("ROLLBACK"), nullptr);
    return fail(error, QStringLiteral("the copy cannot be written: %1").arg(failure));
}

} // namespace

bool SalvageInto(const QString &sourcePath, const QString &workFile, const DatabaseFacts &facts,
                 SalvageResult *result, QString *error)
{
    *result = SalvageResult();
    RawDatabase db(workFile, RawDatabase::Access::ReadWrite);
    if (!db.isOpen())
        return fail(error, db.openError());
    QString failure;
    // The copy is thrown away on any failure, so it needs no journal on disk and no syncing before
    // the end (maintenance flushes it before the rename); rows copied one by one, each in its own
    // transaction, cost no lock calls on a file held exclusively; big sorts for the indexes stay
    // in memory rather than in a temporary folder that may be short of space.
    const bool prepared = db.exec(QStringLiteral("PRAGMA main.page_size = %1").arg(facts.pageSize), &failure)
                          && db.exec(QStringLiteral("PRAGMA main.journal_mode = MEMORY"), &failure)
                          && db.exec(QStringLiteral("PRAGMA main.synchronous = OFF"), &failure)
                          && db.exec(QStringLiteral("PRAGMA main.locking_mode = EXCLUSIVE"), &failure)
                          && db.exec(QStringLiteral("PRAGMA temp_store = MEMORY"), &failure)
                          && db.exec(QStringLiteral("ATTACH DATABASE :file AS src"), &failure, {{QStringLiteral("file"), sourcePath}});
    if (!prepared)
        return fail(error, failure);
    if (!inTransaction(db, error, [&] { return createObjects(db, facts, QStringLiteral("table"), error); }))
        return false;
    for (const TableFacts &table : facts.tables) {
        if (!TableSalvage(db, table).run(result, error))
            return false;
    }
    // The indexes are built from the copy alone: the original's damaged pages stay out of reach.
    if (!db.exec(QStringLiteral("DETACH DATABASE src"), &failure))
        return fail(error, failure);
    if (!inTransaction(db, error, [&] {
            return createObjects(db, facts, QStringLiteral("index"), error) && createObjects(db, facts, QStringLiteral("view"), error)
                   && createObjects(db, facts, QStringLiteral("trigger"), error) && SetSequences(db, facts, error);
        }))
        return false;
    // Versions are numbers read from the original; pragmas take no bound values.
    if (!db.exec(QStringLiteral("PRAGMA main.user_version = %1").arg(facts.userVersion), &failure)
        || !db.exec(QStringLiteral("PRAGMA main.application_id = %1").arg(facts.applicationId), &failure)
        || (facts.statistics && !db.exec(QStringLiteral("ANALYZE main"), &failure)))
        return fail(error, QStringLiteral("the copy cannot be finished: %1").arg(failure));
    if (!facts.sequencesKnown)
        result->findings.append(QStringLiteral("The auto-increment counters of the original could not be read: each table continues after its highest saved key"));
    return true;
}
