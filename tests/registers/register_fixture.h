#pragma once

#include "../common/qt_printers.h"
#include "db/data_connection.h"
#include "temp_data_folder.h"
#include "ui/fake_dialogs.h"

#include <QAction>
#include <QVariantMap>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

// A fresh data folder in use, the dialogs answered by a fake, and a connection of the test's own
// to put rows in and read what the windows wrote.
class RegisterFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QSqlDatabase db() const { return m_connection->database(); }
    void insert(const QString &table, const QVariantMap &values);
    // The first column of the first row of a bound statement; null without a row.
    QVariant scalar(const QString &sql, const QVariantMap &values = {});
    int count(const QString &table);

    TempDataFolder folder;
    FakeDialogs dialogs;

private:
    std::unique_ptr<Connection> m_connection;
};

QAction *Action(QWidget &window, const char *name);
void Trigger(QWidget &window, const char *name);
// The enabled state of the action or widget of that name.
bool Enabled(QWidget &window, const char *name);
// Windows deleted on close go now.
void FlushDeletes();
