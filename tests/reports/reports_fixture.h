#pragma once

#include "../common/qt_printers.h"
#include "engine/connection.h"
#include "temp_data_folder.h"
#include "report/page_model.h"

#include <gtest/gtest.h>

#include <QJsonObject>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>

#include <memory>

class Connection;
class ReportPreview;

// A null text value for a column (InsertFullRow gives a missing column the empty text).
QVariant NullText();

// A fresh data folder in use (no demo data) with helpers that add products and documents, and
// a connection for the data classes.
class ReportsTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QSqlDatabase db() const;
    void setSetting(const QString &column, const QVariant &value);
    void addProduct(const QVariantMap &values);
    // A goods-in ("RECV3…"), goods-out ("ISSU1…") or purchase-order ("TORD5…") document dated
    // date with the lines (PRO_NO, PRO_QTY, …). The tables follow the kind digit of number; lines
    // get STK_POST 2 in order1, 1 in invoice1 and 6 in Tmpord1 unless they name their own.
    void addDocument(const QString &number, const QString &date, const QList<QVariantMap> &lines,
                     const QVariantMap &header = {});

    TempDataFolder folder;
    std::unique_ptr<Connection> connection;
};

// Every preview window open now (shown on their own, as without a main window), oldest first.
QList<ReportPreview *> OpenPreviews();

// The texts of the items with tag on every page, in order.
QStringList TextsOf(const ReportDocument &document, const QString &tag);

// Runs `larderon report ARGS… --json` on the folder's data (the folder is the second argument:
// report NAME DIR …) and returns the printed object; fails the test when the command fails.
QJsonObject ReportJson(const QString &name, const QString &dataFolder, const QStringList &options);
// The values of key in each row of a report's JSON, as variants.
QVariantList JsonColumn(const QJsonObject &report, const QString &key);
