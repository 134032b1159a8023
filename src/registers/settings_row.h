#pragma once

#include "ui/single_record_window.h"

#include <QStringList>

#include <memory>

class Connection;

// What one of the two windows of the settings row writes: its columns (those named in numbers
// converted from the locale's number form), columns it always empties, and the parameter of the
// row's old OF_NO.
struct SettingsColumns
{
    QStringList written;
    QStringList numbers;
    QStringList emptied;
    QString oldKeyParameter;
};

// The settings row of orvexsys on the window's own connection, which it owns. The update finds
// the row by OF_NO and sets only the columns of its window, so the company window and the
// settings window never overwrite each other's values.
class SettingsRowStore final : public RowSource
{
public:
    SettingsRowStore(std::unique_ptr<Connection> connection, SettingsColumns columns);
    ~SettingsRowStore() override;

    bool read(QVariantMap *row, QString *error) override;
    bool save(const QVariantMap &texts, const QString &oldKey, QString *error) override;

private:
    std::unique_ptr<Connection> m_connection; // declared first: outlives every statement
    SettingsColumns m_columns;
};

std::unique_ptr<SettingsRowStore> OpenSettingsRowStore(const SettingsColumns &columns, QString *error);
