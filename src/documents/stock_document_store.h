#pragma once

#include "db/sql_statement.h"
#include "db/stock_balance.h"
#include "documents/document_kind.h"
#include "ui/record_list.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>

#include <memory>
#include <optional>

class Connection;

// The settings a stock document window copies once, when it first becomes active.
struct StockSettings
{
    QString prefix1;
    QString prefix3;
    QString line5;
    QString view1;
    QString typeVat;
};

// What a write of the store came to. Nothing of a write that is not Done was stored.
struct StockWriteResult
{
    enum class Status {
        Done,
        NeedsFirstNumber, // the head has no document yet and no valid first number was given
        NumbersUsedUp,    // the head's running number has reached 999999
        NotEnoughStock,   // a stock-counted product would fall below 0
        HasLines,         // a document is deleted only once its lines are
        Missing,          // the document, the line or the product is no longer there
        Failed,           // the engine refused (another copy's lock, ...); see error
    };
    Status status = Status::Failed;
    QString number;       // the document's number; on an insert the new one
    QString product;      // NotEnoughStock: the product that is short
    double balance = 0;   // NotEnoughStock: its balance now
    double remaining = 0; // NotEnoughStock: what the write would have left
    int line = -1;        // postDocument: the index of the line refused
    QString error;        // Failed and Missing: what went wrong, in English

    bool done() const { return status == Status::Done; }
};

// One line as it is entered: the product chosen, the boxes of the line panel and, when a line
// is corrected, the line as it was stored.
struct LineEntry
{
    qint64 autoKey = 0;  // the line corrected; 0 adds a line
    QVariantMap product; // the product row as read; empty when a corrected line's product is gone
    QVariantMap stored;  // the stored line when correcting
    QString group;       // PRO_GROUP and PRO_UNIT as shown
    QString unit;
    QString stockFlag;   // the product's CUT_STOCK, or the stored line's when correcting
    QString detail1;     // ATTRIB
    QString detail2;     // ATTRIB2
    QString project;     // FOR_PROJ
    double quantity = 0;

    // A new line of a product row: its group, unit and stock flag.
    static LineEntry ofProduct(const QVariantMap &product);
};

// The data work of the stock document window for one document kind, on a connection of its
// own: the settings, the lists, a document with its party and lines, the balance of a product,
// numbering and the writes. Rows are QVariantMaps keyed by the column names of the schema (upper
// case), whatever case the engine returns. It never shows anything: every call answers a value
// or an error, and the window decides what the user sees.
//
// Writes that a read decides (numbering, the stock check, the totals, the "has lines" test) take
// the write lock before that read, so two running copies never issue one number or drive a
// balance below 0 between them. No write holds a lock longer than its own call.
class StockDocumentStore
{
public:
    StockDocumentStore(std::unique_ptr<Connection> connection, const DocumentKind &kind);
    ~StockDocumentStore();
    StockDocumentStore(const StockDocumentStore &) = delete;
    StockDocumentStore &operator=(const StockDocumentStore &) = delete;

    // Opens the connection from the shared settings; nullptr with the error text on failure.
    static std::unique_ptr<StockDocumentStore> open(const DocumentKind &kind, QString *error);

    QSqlDatabase database() const;
    const DocumentKind &kind() const { return m_kind; }

    // Reads the settings row; the head of new numbers follows it.
    bool readSettings(QString *error);
    const StockSettings &settings() const { return m_settings; }
    // Prefix and kind digit: PREFIX1 + "1", PREFIX3 + "3" or "TORD5".
    QString head() const;

    // Reading. An empty map means no such row.
    bool documentNumbers(RecordList *rows, QString *error);
    bool readHeader(const QString &number, QVariantMap *header, QString *error);
    // The lines of a document in the order of entry, with the columns the lines grid shows and
    // AUTO; readLine gives every column of one of them.
    bool readLines(const QString &number, RecordList *rows, QString *error);
    bool readLine(const QString &number, qint64 autoKey, QVariantMap *line, QString *error);
    bool readParty(bool byName, const QString &text, QVariantMap *party, QString *error);
    bool parties(bool byName, RecordList *rows, QString *error);
    bool employees(RecordList *rows, QString *error);
    bool products(bool byName, RecordList *rows, QString *error);
    bool readProduct(bool byName, const QString &text, QVariantMap *product, QString *error);
    bool projects(bool byName, RecordList *rows, QString *error);
    bool readProject(const QString &code, QVariantMap *project, QString *error);
    // PRO_TOTAL + goods in - goods out (purchase orders never count).
    std::optional<double> balance(const QString &productCode, QString *error);
    // Whether the head already has a document, so that no first number is needed.
    std::optional<bool> headHasDocuments(QString *error);

    // A new header before its party and employee are chosen: the kind digit, zero amounts and
    // empty texts everywhere else.
    QVariantMap newHeader() const;
    // Copies the party's register columns into a header; terms too: its credit term and discount.
    static void takeParty(QVariantMap &header, const QVariantMap &party, bool terms);

    // Numbers the header and inserts it. firstNumber is used only when the head has no document
    // yet (checked under the write lock); without a valid one the result is NeedsFirstNumber.
    StockWriteResult insertHeader(const QVariantMap &header, const QString &firstNumber);
    // Writes the header over the stored one with the same INV_NO.
    StockWriteResult updateHeader(const QVariantMap &header);
    // Deletes a document that has no lines.
    StockWriteResult deleteDocument(const QString &number);
    // Adds or corrects a line of a document together with its header's totals.
    StockWriteResult saveLine(const QString &number, const LineEntry &line);
    // Deletes a line together with its header's totals.
    StockWriteResult deleteLine(const QString &number, qint64 autoKey);
    // A whole document as one unit: numbering, header, every line with its stock check, totals.
    // A refused line stores nothing of the document (result.line names it).
    StockWriteResult postDocument(const QVariantMap &header, const QList<LineEntry> &lines, const QString &firstNumber);

    // The columns of a line as they are written (insert and update alike).
    QVariantMap lineValues(const QString &number, const LineEntry &line) const;

private:
    std::optional<QString> lastNumber(QString *error);
    StockWriteResult numberAndInsert(QVariantMap header, const QString &firstNumber);
    StockWriteResult writeLine(const QString &number, const LineEntry &line);
    StockWriteResult checkStock(const LineEntry &line, const QVariantMap &stored);
    // Recomputes the header's totals from its lines; false with Missing when it is gone.
    StockWriteResult writeTotals(const QString &number);
    bool readRow(const QStringList &lines, const QString &table, const QVariantMap &values, QVariantMap *row,
                 QString *error);
    bool readList(const QStringList &lines, RecordList *rows, QString *error);

    // Declared first: destroyed after every statement made on it.
    std::unique_ptr<Connection> m_connection;
    const DocumentKind &m_kind;
    StockSettings m_settings;
    StockBalanceQuery m_balances;
    // Kept for the life of the connection, so each is prepared once.
    SqlStatement m_lines;
    SqlStatement m_storedLine;
    SqlStatement m_insertLine;
    SqlStatement m_updateLine;
    SqlStatement m_linesTotal;
    SqlStatement m_updateTotals;
};

// The same result as a failure of the engine, for the callers' error paths.
StockWriteResult FailedWrite(const QString &error);
