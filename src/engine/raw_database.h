#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

// A private SQLite connection of maintenance, opened without the connection slots (maintenance
// holds all of them) and without the pragmas of a window's connection.
class RawDatabase
{
public:
    enum class Access { ReadOnly, ReadWrite };
    RawDatabase(const QString &path, Access access);
    ~RawDatabase();
    RawDatabase(const RawDatabase &) = delete;
    RawDatabase &operator=(const RawDatabase &) = delete;

    bool isOpen() const { return m_open; }
    const QString &openError() const { return m_error; }
    QSqlDatabase db() const;

    // Runs a statement with the given bound values; false with the engine's text.
    bool exec(const QString &sql, QString *error, const QVariantMap &values = {});
    // The first column of every row; false (with what was read so far) when a step fails.
    bool column(const QString &sql, QStringList *values, QString *error);
    // The first column of the first row, or an invalid value (with the error) on failure.
    QVariant scalar(const QString &sql, QString *error, const QVariantMap &values = {});

private:
    QString m_name;
    bool m_open = false;
    QString m_error;
};

// An identifier in double quotes, for table and index names read from the schema.
QString QuotedName(const QString &identifier);

// SQLite's primary result code of a failed statement (SQLITE_CORRUPT is 11, SQLITE_NOTADB 26).
int PrimaryErrorCode(const QSqlQuery &query);
bool IsDamageError(int code);
