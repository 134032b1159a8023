#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

// One SQL statement written as text lines (each line begins and ends with a blank) with named
// parameters (":pinv_no"). Values are bound by name only. exec() refuses to run while a parameter
// of the text has no value or a bound name does not occur in the text, so a misspelt name is a
// reported error instead of a silent NULL. The text is prepared by the first exec() and reused by
// every later one, so a statement kept for the life of a connection is prepared once; values bound
// before a run stay bound for the next unless bound again.
class SqlStatement
{
public:
    SqlStatement(QSqlDatabase db, const QStringList &lines);

    // name with or without the leading colon.
    SqlStatement &bind(const QString &name, const QVariant &value);

    bool exec(QString *error);
    QSqlQuery &query() { return m_query; }
    const QString &text() const { return m_text; }

    // The parameter names of a statement text, without colons, in order of first use.
    static QStringList parameterNames(const QString &text);

private:
    QString m_text;
    QStringList m_names; // parameterNames(m_text)
    QSqlQuery m_query;
    bool m_prepared = false;
    QList<QPair<QString, QVariant>> m_values;
};

// Runs a statement that returns one row and one column; an empty result gives a null QVariant.
QVariant QueryScalar(SqlStatement &statement, QString *error, bool *ok = nullptr);
