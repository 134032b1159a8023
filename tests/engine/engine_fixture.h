#pragma once

#include "engine/connection.h"
#include "engine/transaction.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A database file with one auto-increment table of `rows` rows and a unique index, data version 7.
class EngineFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("data.abs"));
        makeDatabase(500);
    }

    void makeDatabase(int rows, int nameLength = 0)
    {
        QFile::remove(path);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)); // an empty file is an empty database
        file.close();
        auto c = open();
        ASSERT_TRUE(c);
        exec(*c, QStringLiteral("CREATE TABLE item (AUTO INTEGER PRIMARY KEY AUTOINCREMENT, NAME TEXT, QTY REAL)"));
        exec(*c, QStringLiteral("CREATE UNIQUE INDEX item_name ON item (NAME)"));
        exec(*c, QStringLiteral("PRAGMA user_version = 7"));
        Transaction t(c->database());
        ASSERT_TRUE(t.begin(Transaction::Mode::Immediate, nullptr));
        QSqlQuery insert(c->database());
        insert.prepare(QStringLiteral("INSERT INTO item (NAME, QTY) VALUES (:name, :qty)"));
        for (int i = 0; i < rows; ++i) {
            const QString padding = nameLength > 0 ? QLatin1Char(' ') + QString(nameLength, QLatin1Char('x')) : QString();
            insert.bindValue(QStringLiteral(":name"), QStringLiteral("item %1").arg(i) + padding);
            insert.bindValue(QStringLiteral(":qty"), i);
            ASSERT_TRUE(insert.exec()) << insert.lastError().text().toStdString();
        }
        ASSERT_TRUE(t.commit(nullptr));
    }

    std::unique_ptr<Connection> open(QString *error = nullptr) const
    {
        return Connection::open({path, 5, true}, error);
    }

    static void exec(Connection &c, const QString &sql)
    {
        QSqlQuery q(c.database());
        ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString() << " " << sql.toStdString();
    }

    static qint64 scalar(Connection &c, const QString &sql)
    {
        QSqlQuery q(c.database());
        EXPECT_TRUE(q.exec(sql) && q.next()) << q.lastError().text().toStdString();
        return q.value(0).toLongLong();
    }

    static QString text(Connection &c, const QString &sql)
    {
        QSqlQuery q(c.database());
        EXPECT_TRUE(q.exec(sql) && q.next()) << q.lastError().text().toStdString();
        return q.value(0).toString();
    }

    QByteArray fileBytes(const QString &name = QString()) const
    {
        QFile file(name.isEmpty() ? path : name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Overwrites `length` bytes at `offset` of the file with `fill`.
    void damage(qint64 offset, qint64 length, char fill) const
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek(offset));
        file.write(QByteArray(length, fill));
    }

    // Page number (from 1) and page size of the first leaf page of the item table.
    std::pair<int, int> firstItemLeaf() const
    {
        auto c = open();
        return {int(scalar(*c, QStringLiteral("SELECT min(pageno) FROM dbstat WHERE name = 'item' AND pagetype = 'leaf'"))),
                int(scalar(*c, QStringLiteral("PRAGMA page_size")))};
    }

    QTemporaryDir dir;
    QString path;
};
