#pragma once

#include "ui/register_source.h"

#include <QSqlDatabase>
#include <QStringList>

#include <memory>

class Connection;

// What a register writes: its table, key and name columns, the columns its insert and update
// name, and which of them hold numbers.
struct RegisterTable
{
    QString table;
    QString key;
    QString name;
    QStringList written;
    QStringList numbers;
    // Line tables whose rows name a record by its key (PRO_NO): when an edit changes the code,
    // they take the new one in the same transaction, so the record keeps its history.
    QStringList followers;
};

// A register's table on the window's own connection, which it owns: the list, the duplicate
// test, insert, update (with the followers) and delete, each a bound statement.
class SqlRegisterStore final : public RegisterSource
{
public:
    SqlRegisterStore(std::unique_ptr<Connection> connection, RegisterTable table);
    ~SqlRegisterStore() override;

    QSqlDatabase database() const;
    const RegisterTable &table() const { return m_table; }

    bool load(RecordList *rows, QString *error) override;
    bool loadCodesAndNames(const QString &orderColumn, RecordList *rows, QString *error) override;
    std::optional<bool> codeExists(const QString &code, QString *error) override;
    SaveResult save(bool adding, const QVariantMap &texts, const QString &oldCode, QString *error) override;
    bool remove(const QString &code, QString *error) override;

private:
    bool write(bool adding, const QVariantMap &texts, const QString &oldCode, QString *error);

    // Declared first: destroyed after every statement made on it.
    std::unique_ptr<Connection> m_connection;
    RegisterTable m_table;
};

// Opens the window's connection from the shared settings and the store on it; nullptr with the
// error text when the data file cannot be opened.
std::unique_ptr<SqlRegisterStore> OpenRegisterStore(const RegisterTable &table, QString *error);

// Reads every row of an executed statement into a RecordList.
RecordList ReadRecords(QSqlQuery &query);
