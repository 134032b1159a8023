#pragma once

#include "../common/qt_printers.h"
#include "db/data_connection.h"
#include "documents/stock_document_store.h"
#include "temp_data_folder.h"

#include <QVariantMap>

#include <gtest/gtest.h>

#include <memory>

// A fresh data folder in use with a requisitioner C0001, a supplier S0001 and an employee E0001,
// and a connection of the test's own to put rows in and read what was written.
class DocumentsFixture : public ::testing::Test
{
protected:
    void SetUp() override;

    QSqlDatabase db() const { return m_connection->database(); }
    void insert(const QString &table, const QVariantMap &values);
    // The first column of the first row of a bound statement; null without a row.
    QVariant scalar(const QString &sql, const QVariantMap &values = {});
    // A product with an opening quantity; stock-counted unless cutStock is "0".
    void addProduct(const QString &code, double opening, const QString &cutStock = QStringLiteral("1"), double taxRate = 0);
    void setSetting(const QString &column, const QVariant &value);

    // A store of the kind on a connection of its own, its settings read.
    std::unique_ptr<StockDocumentStore> openStore(const DocumentKind &kind);
    // A new header of the kind's party and employee E0001, numbered (000001 if first); its number.
    QString addHeader(StockDocumentStore &store);
    // A new line of a product; the result of the save.
    StockWriteResult addLine(StockDocumentStore &store, const QString &number, const QString &product, double quantity);
    // The line keys of a document in the order of entry.
    QList<qint64> lineKeys(StockDocumentStore &store, const QString &number);
    double balance(const QString &product);

    TempDataFolder folder;

private:
    std::unique_ptr<Connection> m_connection;
};

inline void PrintTo(StockWriteResult::Status status, std::ostream *os)
{
    *os << "status " << int(status);
}
