#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

// The rows a report's detail band repeats over. Column names are matched without regard to case,
// as SQL names are.
class DataSource
{
public:
    virtual ~DataSource() = default;
    virtual int rowCount() const = 0;
    // Null QVariant for a row or column that does not exist.
    virtual QVariant value(int row, const QString &column) const = 0;
};

// Rows held in memory, for example read from a QSqlQuery with ReadAllRows (query_rows.h).
class RowList final : public DataSource
{
public:
    RowList() = default;
    explicit RowList(QList<QVariantMap> rows) : m_rows(std::move(rows)) {}

    void append(const QVariantMap &row) { m_rows.append(row); }
    const QList<QVariantMap> &rows() const { return m_rows; }

    int rowCount() const override { return int(m_rows.size()); }
    QVariant value(int row, const QString &column) const override;

private:
    QList<QVariantMap> m_rows;
};

// Looks a column up in one row: the exact name first, then without regard to case.
QVariant ColumnValue(const QVariantMap &row, const QString &column);

// The row a band prints with, handed to its before-print hook: a detail row of the data source,
// a fixed row given to the band (for example a document's header row), or no row at all.
class ReportRow
{
public:
    ReportRow() = default;
    ReportRow(const DataSource *source, int index) : m_source(source), m_index(index) {}
    explicit ReportRow(const QVariantMap *fixed) : m_fixed(fixed) {}

    bool isValid() const;
    // Index of the detail row, -1 for a fixed row or no row.
    int index() const { return m_source ? m_index : -1; }
    QVariant value(const QString &column) const;
    // The value as text, as stored; a null value gives the empty text.
    QString text(const QString &column) const { return value(column).toString(); }

private:
    const DataSource *m_source = nullptr;
    int m_index = -1;
    const QVariantMap *m_fixed = nullptr;
};
