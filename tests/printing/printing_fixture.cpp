#include "printing_fixture.h"

#include "common/shared_state.h"
#include "db/data_connection.h"
#include "db/row_insert.h"
#include "db/sql_statement.h"

void PrintingTest::SetUp()
{
    ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
    folder.use();
    Shared().PrintDocVariant = 1;
}

void PrintingTest::setSettings(const QVariantMap &values)
{
    QString error;
    const std::unique_ptr<Connection> connection = OpenDataConnection(&error);
    ASSERT_TRUE(connection) << error.toStdString();
    for (auto it = values.begin(); it != values.end(); ++it) {
        // The column name comes from the test's own table; the value is bound.
        SqlStatement update(connection->database(),
                            {QStringLiteral(" update orvexsys set %1 = :value ").arg(it.key())});
        update.bind(QStringLiteral("value"), it.value());
        ASSERT_TRUE(update.exec(&error)) << error.toStdString();
    }
}

void PrintingTest::addDocument(int kind, const QString &number, const QVariantMap &header,
                               const QList<QVariantMap> &lines)
{
    const QString headerTable = kind == kGoodsOut  ? QStringLiteral("invoice")
                                : kind == kGoodsIn ? QStringLiteral("order0")
                                                   : QStringLiteral("Tmpord");
    const QString lineTable = kind == kGoodsOut  ? QStringLiteral("invoice1")
                              : kind == kGoodsIn ? QStringLiteral("order1")
                                                 : QStringLiteral("Tmpord1");
    QString error;
    const std::unique_ptr<Connection> connection = OpenDataConnection(&error);
    ASSERT_TRUE(connection) << error.toStdString();
    QVariantMap headerRow = header;
    headerRow.insert(QStringLiteral("INV_NO"), number);
    ASSERT_TRUE(InsertFullRow(connection->database(), headerTable, headerRow, &error))
        << error.toStdString();
    for (QVariantMap line : lines) {
        line.insert(QStringLiteral("INV_NO"), number);
        ASSERT_TRUE(InsertFullRow(connection->database(), lineTable, line, &error))
            << error.toStdString();
    }
}

std::unique_ptr<DocumentLayout> PrintingTest::prepared(const QString &layoutName,
                                                       const QString &number)
{
    return PrepareLayout(layoutName, number);
}

std::unique_ptr<DocumentLayout> PrepareLayout(const QString &layoutName, const QString &number)
{
    Shared().PrintDocNo = number;
    Shared().PrintDocKind = number.size() > 4 ? number.at(4).digitValue() : 0;
    std::unique_ptr<DocumentLayout> layout = CreateDocumentLayout(layoutName);
    EXPECT_TRUE(layout) << layoutName.toStdString();
    if (!layout)
        return nullptr;
    QString error;
    EXPECT_TRUE(layout->prepare(&error)) << error.toStdString();
    return layout;
}

std::shared_ptr<const ReportDocument> PrintingTest::laidOut(const QString &layoutName,
                                                           const QString &number)
{
    const std::unique_ptr<DocumentLayout> layout = prepared(layoutName, number);
    return layout && layout->document() ? layout->document()
                                        : std::make_shared<const ReportDocument>();
}

BandOrigins OriginsOf(const ReportDocument &document, double headerHeight, double footerHeight)
{
    const QRectF printable = document.page.printableRect();
    return {printable.left(), printable.top(), printable.top() + headerHeight,
            printable.bottom() - footerHeight};
}

LayoutBands BandsOf(const QString &layoutName)
{
    if (layoutName == u"TPrnDO8")
        return {91.0, 55.0};
    if (layoutName == u"TPrnORD3")
        return {91.0, 59.3};
    if (layoutName == u"TPrnDO9s")
        return {47.6, 23.5};
    if (layoutName == u"TPrnDO2")
        return {103.2, 49.7};
    return {103.2, 81.0}; // TPrnDO1
}
