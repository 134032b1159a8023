#include "reports_fixture.h"

#include "db/data_connection.h"
#include "db/row_insert.h"
#include "db/sql_statement.h"
#include "report/report_preview.h"
#include "run_larderon.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>

QVariant NullText()
{
    return QVariant(QMetaType(QMetaType::QString));
}

void ReportsTest::SetUp()
{
    ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
    folder.use();
    QString error;
    connection = OpenDataConnection(&error);
    ASSERT_TRUE(connection) << error.toStdString();
}

void ReportsTest::TearDown()
{
    connection.reset();
}

QSqlDatabase ReportsTest::db() const
{
    return connection->database();
}

void ReportsTest::setSetting(const QString &column, const QVariant &value)
{
    // The column name is the test's own; the value is bound.
    SqlStatement update(db(), {QStringLiteral(" update orvexsys set %1 = :value ").arg(column)});
    update.bind(QStringLiteral("value"), value);
    QString error;
    ASSERT_TRUE(update.exec(&error)) << error.toStdString();
}

void ReportsTest::addProduct(const QVariantMap &values)
{
    QString error;
    ASSERT_TRUE(InsertFullRow(db(), QStringLiteral("product"), values, &error)) << error.toStdString();
}

void ReportsTest::addDocument(const QString &number, const QString &date, const QList<QVariantMap> &lines,
                              const QVariantMap &header)
{
    const QChar kind = number.at(4);
    const bool goodsIn = kind == u'3' || kind == u'4';
    const bool order = kind == u'5';
    const QString headerTable = goodsIn ? QStringLiteral("order0") : order ? QStringLiteral("Tmpord") : QStringLiteral("invoice");
    const QString lineTable = goodsIn ? QStringLiteral("order1") : order ? QStringLiteral("Tmpord1") : QStringLiteral("invoice1");
    const double post = goodsIn ? 2 : order ? 6 : 1;
    QVariantMap headerRow = header;
    headerRow.insert(QStringLiteral("INV_NO"), number);
    headerRow.insert(QStringLiteral("INV_DATE"), date);
    QString error;
    ASSERT_TRUE(InsertFullRow(db(), headerTable, headerRow, &error)) << error.toStdString();
    for (QVariantMap line : lines) {
        line.insert(QStringLiteral("INV_NO"), number);
        if (!line.contains(QStringLiteral("STK_POST")))
            line.insert(QStringLiteral("STK_POST"), post);
        ASSERT_TRUE(InsertFullRow(db(), lineTable, line, &error)) << error.toStdString();
    }
}

QStringList TextsOf(const ReportDocument &document, const QString &tag)
{
    QStringList texts;
    for (const Page &page : document.pages) {
        for (const PageItem *item : page.findAll(tag))
            texts.append(item->text);
    }
    return texts;
}

QJsonObject ReportJson(const QString &name, const QString &dataFolder, const QStringList &options)
{
    const CommandResult result =
        RunLarderon(QStringList{QStringLiteral("report"), name, dataFolder} + options + QStringList{QStringLiteral("--json")});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(result.out.toUtf8(), &parse);
    EXPECT_EQ(parse.error, QJsonParseError::NoError) << result.out.toStdString();
    return document.object();
}

QVariantList JsonColumn(const QJsonObject &report, const QString &key)
{
    QVariantList values;
    for (const QJsonValue &row : report.value(QStringLiteral("rows")).toArray())
        values.append(row.toObject().value(key).toVariant());
    return values;
}

QList<ReportPreview *> OpenPreviews()
{
    QList<ReportPreview *> previews;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *preview = qobject_cast<ReportPreview *>(widget))
            previews.append(preview);
    }
    return previews;
}
