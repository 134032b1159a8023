#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

// The rows of a register as a window holds them: one list of column names and the rows as value
// lists, so a register of many thousand rows costs one small list per row. Column names are
// matched without regard to case, as SQL names are.
class RecordList
{
public:
    RecordList() = default;
    RecordList(const QStringList &columns, QList<QVariantList> rows);

    int size() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    const QStringList &columns() const { return m_columns; }

    // Null for a row or column that does not exist.
    QVariant value(int row, const QString &column) const;
    QString text(int row, const QString &column) const { return value(row, column).toString(); }
    QVariantMap row(int index) const;

    // The first row whose column equals text ignoring letter case, or -1.
    int findEqual(const QString &column, const QString &text) const;
    // The first row whose column begins with text, letter case counting, or -1.
    int findPrefix(const QString &column, const QString &text) const;

private:
    int columnIndex(const QString &column) const;

    QStringList m_columns;
    QHash<QString, int> m_index; // lower-case name -> position
    QList<QVariantList> m_rows;
};
