#include "db/sql_statement.h"

#include <QSqlError>

SqlStatement::SqlStatement(QSqlDatabase db, const QStringList &lines)
    : m_text(lines.join(QLatin1Char('\n')))
    , m_names(parameterNames(m_text))
    , m_query(db)
{
    m_query.setForwardOnly(false);
}

SqlStatement &SqlStatement::bind(const QString &name, const QVariant &value)
{
    const QString bare = name.startsWith(QLatin1Char(':')) ? name.mid(1) : name;
    for (auto &entry : m_values) {
        if (entry.first.compare(bare, Qt::CaseInsensitive) == 0) {
            entry.second = value;
            return *this;
        }
    }
    m_values.append({bare, value});
    return *this;
}

QStringList SqlStatement::parameterNames(const QString &text)
{
    QStringList names;
    QChar quote;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'\'' || c == u'"') {
            quote = c;
            continue;
        }
        const bool startsName = c == u':' && i + 1 < text.size()
                                && (text.at(i + 1).isLetter() || text.at(i + 1) == u'_')
                                && (i == 0 || !(text.at(i - 1).isLetterOrNumber() || text.at(i - 1) == u':'));
        if (!startsName)
            continue;
        qsizetype end = i + 1;
        while (end < text.size() && (text.at(end).isLetterOrNumber() || text.at(end) == u'_'))
            ++end;
        const QString name = text.mid(i + 1, end - i - 1);
        bool seen = false;
        for (const QString &n : std::as_const(names))
            seen = seen || n.compare(name, Qt::CaseInsensitive) == 0;
        if (!seen)
            names.append(name);
        i = end - 1;
    }
    return names;
}

bool SqlStatement::exec(QString *error)
{
    const auto fail = [&](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    const QStringList &names = m_names;
    for (const QString &name : names) {
        bool bound = false;
        for (const auto &entry : std::as_const(m_values))
            bound = bound || entry.first.compare(name, Qt::CaseInsensitive) == 0;
        if (!bound)
            return fail(QStringLiteral("The parameter :%1 has no value").arg(name));
    }
    for (const auto &entry : std::as_const(m_values)) {
        if (!names.contains(entry.first, Qt::CaseInsensitive))
            return fail(QStringLiteral("The statement has no parameter :%1").arg(entry.first));
    }
    if (!m_prepared && !m_query.prepare(m_text))
        return fail(m_query.lastError().text());
    m_prepared = true;
    // Bind with the spelling the text uses; a name used twice in the text gets its value each time.
    for (const QString &name : names) {
        for (const auto &entry : std::as_const(m_values)) {
            if (entry.first.compare(name, Qt::CaseInsensitive) == 0)
                m_query.bindValue(QLatin1Char(':') + name, entry.second);
        }
    }
    if (!m_query.exec())
        return fail(m_query.lastError().text());
    return true;
}

QVariant QueryScalar(SqlStatement &statement, QString *error, bool *ok)
{
    if (!statement.exec(error)) {
        if (ok)
            *ok = false;
        return {};
    }
    if (ok)
        *ok = true;
    return statement.query().next() ? statement.query().value(0) : QVariant();
}
