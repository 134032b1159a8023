// What only the product register has: the stock figure, the code change that carries the
// document lines, the presets of add and add as copy, the picture, the EAN-13 button, and the
// save failures it used to swallow.
#include "register_fixture.h"

#include "common/shared_state.h"
#include "engine/transaction.h"
#include "registers/product_register.h"
#include "registers/register_sticker_sheet.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QSqlQuery>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

namespace {

class ProductRegister : public RegisterFixture
{
protected:
    void product(const QString &code, const QString &cutStock, const QVariant &opening = {}, const QVariantMap &more = {})
    {
        QVariantMap row = more;
        row.insert({{"PRO_NO", code}, {"PRO_NAME", QStringLiteral("สินค้า ") + code}, {"CUT_STOCK", cutStock}, {"PRO_TOTAL", opening}});
        insert(QStringLiteral("product"), row);
    }
    void line(const char *table, const QString &code, double quantity, double stkPost)
    {
        insert(QString::fromLatin1(table), {{"INV_NO", "DOC0000001"}, {"PRO_NO", code}, {"PRO_QTY", quantity}, {"STK_POST", stkPost}});
    }
    // Shows the product with this code.
    void show(TRef_Part_Sql &window, const QString &code)
    {
        window.SearchClick();
        window.searchPanel()->textBox()->setText(code);
        window.searchPanel()->CloseClick();
        ASSERT_EQ(window.fieldText(QStringLiteral("PRO_NO")), code);
    }
    QString lineCodes(const char *table)
    {
        QStringList codes;
        QSqlQuery lines(db());
        lines.exec(QStringLiteral("select pro_no from %1 order by auto").arg(QLatin1String(table)));
        while (lines.next())
            codes.append(lines.value(0).toString());
        return codes.join(u',');
    }
};

} // namespace

TEST_F(ProductRegister, TheStockFigureIsTheOpeningQuantityAloneForAProductThatIsNotCounted)
{
    product(QStringLiteral("A"), QStringLiteral("1"), 10.0);
    product(QStringLiteral("B"), QStringLiteral("0"), 7.0);
    product(QStringLiteral("C"), QStringLiteral("X")); // any flag but "0" counts; no opening quantity
    for (const QString &code : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}) {
        line("order1", code, 5, 2);
        line("order1", code, 100, 6); // a goods-in line with another posting code does not count
        line("invoice1", code, 3, 1);
        line("Tmpord1", code, 50, 6);
    }
    TRef_Part_Sql window;
    const QList<QPair<QString, QString>> expected = {{"A", "12"}, {"B", "7"}, {"C", "2"}};
    for (const auto &[code, stock] : expected) {
        show(window, code);
        EXPECT_EQ(window.stockText(), stock) << code.toStdString();
    }
    EXPECT_EQ(dialogs.shown(), QStringList());
}

TEST_F(ProductRegister, AnEmptyRegisterShowsNothingAndAStockOfZero)
{
    TRef_Part_Sql window;
    EXPECT_EQ(window.current(), -1);
    EXPECT_EQ(window.fieldText(QStringLiteral("PRO_NO")), QString());
    EXPECT_EQ(window.stockText(), QStringLiteral("0"));
    Trigger(window, "Edit"); // nothing to edit
    EXPECT_EQ(window.mode(), QStringLiteral("normal"));
}

TEST_F(ProductRegister, AChangedCodeTakesTheDocumentLinesAlongAndKeepsTheBalance)
{
    product(QStringLiteral("OLD"), QStringLiteral("1"), 1.0);
    product(QStringLiteral("OTHER"), QStringLiteral("1"));
    line("order1", QStringLiteral("OLD"), 5, 2);
    line("invoice1", QStringLiteral("OLD"), 2, 1);
    line("Tmpord1", QStringLiteral("OLD"), 7, 6);
    for (const char *table : {"order1", "invoice1", "Tmpord1"})
        line(table, QStringLiteral("OTHER"), 1, 2);
    TRef_Part_Sql window;
    show(window, QStringLiteral("OLD"));
    ASSERT_EQ(window.stockText(), QStringLiteral("4"));

    Trigger(window, "Edit");
    window.fields()->setText(QStringLiteral("PRO_NO"), QStringLiteral("NEW"));
    Trigger(window, "Save");
    EXPECT_EQ(dialogs.shown(), QStringList());
    EXPECT_EQ(window.fieldText(QStringLiteral("PRO_NO")), QStringLiteral("NEW"));
    EXPECT_EQ(window.stockText(), QStringLiteral("4"));
    for (const char *table : {"order1", "invoice1", "Tmpord1"})
        EXPECT_EQ(lineCodes(table), QStringLiteral("NEW,OTHER")) << table;
}

TEST_F(ProductRegister, ASaveThatFailsSaysSoAndKeepsWhatWasTyped)
{
    product(QStringLiteral("A"), QStringLiteral("1"));
    TRef_Part_Sql window;
    Trigger(window, "Add");
    window.fields()->setText(QStringLiteral("PRO_NO"), QStringLiteral("B"));
    window.fields()->setText(QStringLiteral("PRO_RORDER"), QStringLiteral("abc"));
    Trigger(window, "Save");
    EXPECT_EQ(dialogs.messages(), QStringList{"ขณะนี้ ไม่สามารถบันทึกข้อมูลได้ "});
    EXPECT_EQ(window.mode(), QStringLiteral("add"));
    EXPECT_EQ(window.fieldText(QStringLiteral("PRO_RORDER")), QStringLiteral("abc"));
    EXPECT_EQ(count(QStringLiteral("product")), 1);

    // Another connection holding the write lock: the engine refuses, the window says so.
    window.fields()->setText(QStringLiteral("PRO_RORDER"), QStringLiteral("2.5"));
    {
        Transaction lock(db());
        QString error;
        ASSERT_TRUE(lock.begin(Transaction::Mode::Immediate, &error)) << error.toStdString();
        Trigger(window, "Save");
    }
    EXPECT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(window.mode(), QStringLiteral("add"));
    EXPECT_EQ(count(QStringLiteral("product")), 1);

    Trigger(window, "Save");
    EXPECT_EQ(window.mode(), QStringLiteral("normal"));
    EXPECT_EQ(scalar(QStringLiteral("select pro_rorder from product where pro_no = 'B'")).toDouble(), 2.5);
}

TEST_F(ProductRegister, AddAndAddAsCopyStartFromTheProductOnDisplay)
{
    product(QStringLiteral("A"), QStringLiteral("0"), 4.0,
            {{"PRO_UNIT", "ขวด"}, {"PRO_GROUP", "DRINK"}, {"LOCATE", "คลัง A"}, {"ATTRIB", "เย็น"},
             {"PRO_RORDER", 6.0}, {"EXPIRE", "31/12/2570"}, {"WARN_TERM", "1 ป."}});
    TRef_Part_Sql window;
    const auto texts = [&window](const QStringList &columns) {
        QStringList values;
        for (const QString &column : columns)
            values.append(window.fieldText(column));
        return values;
    };
    const QStringList columns = {"PRO_NO", "PRO_NAME", "PRO_UNIT", "PRO_GROUP", "CUT_STOCK", "LOCATE",
                                 "ATTRIB", "PRO_RORDER", "EXPIRE", "WARN_TERM"};
    Trigger(window, "Add");
    EXPECT_EQ(texts(columns), QStringList({"", "", "", "", "1", "", "", "0", "31/12/2570", "1 ป."}));
    EXPECT_EQ(window.stockText(), QString());
    Trigger(window, "Cancel");

    Trigger(window, "AddCopy");
    EXPECT_EQ(texts(columns),
              QStringList({"A", "สินค้า A", "ขวด", "DRINK", "1", "", "เย็น", "6", "31/12/2570", "1 ป."}));
    EXPECT_EQ(window.stockText(), QStringLiteral("4"));
    window.fields()->setText(QStringLiteral("PRO_UNIT"), QStringLiteral("ลัง"));
    EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("UnitEcho"))->text(), QStringLiteral("ลัง"));
    window.fields()->setText(QStringLiteral("PRO_NO"), QStringLiteral("A2"));
    Trigger(window, "Save");
    EXPECT_EQ(scalar(QStringLiteral("select warn_term || '|' || pro_unit || pro_group from product where pro_no = 'A2'"))
                  .toString(),
              QStringLiteral("1 ป.|ลังDRINK"));
}

TEST_F(ProductRegister, ThePictureFallsBackToTempJpgAndMayBeMissingAltogether)
{
    const QString pictures = folder.folder() + QStringLiteral("picture/");
    ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(pictures + QStringLiteral("OWN.jpg")));
    const struct
    {
        const char *code;
        const char *file;
    } cases[] = {{"OWN", "OWN.jpg"}, {"NONE", "temp.jpg"}, {"../OWN", "temp.jpg"}, {"", "temp.jpg"}};
    for (const auto &c : cases)
        EXPECT_EQ(TRef_Part_Sql::PictureFile(folder.folder(), QString::fromLatin1(c.code)), pictures + QLatin1String(c.file)) << c.code;

    product(QStringLiteral("NONE"), QStringLiteral("1"));
    ASSERT_TRUE(QFile::remove(pictures + QStringLiteral("temp.jpg")));
    EXPECT_EQ(TRef_Part_Sql::PictureFile(folder.folder(), QStringLiteral("NONE")), QString());
    TRef_Part_Sql window;
    EXPECT_TRUE(window.picture().isNull());
    EXPECT_EQ(dialogs.shown(), QStringList()) << "a missing picture is no error";
}

TEST_F(ProductRegister, TheEanButtonWantsThirteenCharactersAndHandsCodeAndNameToTheSheet)
{
    product(QStringLiteral("885012345678"), QStringLiteral("1"));
    product(QStringLiteral("ABCDEFGHIJKLM"), QStringLiteral("1"));
    product(QStringLiteral("Z"), QStringLiteral("1"));
    QPointer<QWidget> preview;
    int opened = 0;
    SetRegisterStickerSheetOpener([&] {
        ++opened;
        preview = new QWidget;
        return preview.data();
    });
    TRef_Part_Sql window;

    window.BarcodeClick(); // 12 characters
    EXPECT_EQ(dialogs.messages(), QStringList{"รหัส 13 หลัก ( EAN13 ) เท่านั้น"});
    EXPECT_EQ(opened, 0);

    show(window, QStringLiteral("ABCDEFGHIJKLM")); // only the length is tested
    window.BarcodeClick();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(Shared().RegisterStickerCode, QStringLiteral("ABCDEFGHIJKLM"));
    EXPECT_EQ(Shared().RegisterStickerName, QStringLiteral("สินค้า ABCDEFGHIJKLM"));
    Trigger(window, "Last");
    delete preview;
    EXPECT_EQ(window.fieldText(QStringLiteral("PRO_NO")), QStringLiteral("ABCDEFGHIJKLM"))
        << "closing the sheet returns to the product it was opened for";
    SetRegisterStickerSheetOpener({});
}

TEST_F(ProductRegister, BoxesTakeNoMoreThanTheirColumnsHold)
{
    TRef_Part_Sql window;
    Trigger(window, "Add");
    const struct
    {
        const char *column;
        int kept;
    } limits[] = {{"PRO_NO", 13}, {"PRO_NAME", 40}, {"PRO_UNIT", 10}, {"EXPIRE", 10}};
    for (const auto &limit : limits) {
        auto *box = qobject_cast<QLineEdit *>(window.fields()->box(QString::fromLatin1(limit.column)));
        ASSERT_NE(box, nullptr) << limit.column;
        box->clear();
        box->insert(QString(limit.kept + 5, QChar(u'ก')));
        EXPECT_EQ(box->text().size(), limit.kept) << limit.column;
    }
    auto *remark = qobject_cast<QPlainTextEdit *>(window.fields()->box(QStringLiteral("ATTRIB")));
    ASSERT_NE(remark, nullptr);
    remark->insertPlainText(QString(150, QChar(u'a')));
    remark->insertPlainText(QString(150, QChar(u'b'))); // pasted beyond the limit
    EXPECT_EQ(remark->toPlainText(), QString(150, QChar(u'a')) + QString(50, QChar(u'b')));
}

TEST_F(ProductRegister, EnterLeavesTheCodeBoxThroughTheDuplicateTest)
{
    product(QStringLiteral("A"), QStringLiteral("1"));
    TRef_Part_Sql window;
    window.show();
    QApplication::setActiveWindow(&window);
    Trigger(window, "Add");
    QWidget *code = window.fields()->box(QStringLiteral("PRO_NO"));
    ASSERT_TRUE(code->hasFocus());
    QTest::keyClicks(code, QStringLiteral("A"));
    QTest::keyClick(code, Qt::Key_Return);
    EXPECT_EQ(dialogs.messages(), QStringList{"รหัสข้อมูลซ้ำ ..."});
    EXPECT_TRUE(code->hasFocus()) << "back to the code";
    EXPECT_FALSE(Enabled(window, "Save"));

    QTest::keyClicks(code, QStringLiteral("2"));
    QTest::keyClick(code, Qt::Key_Return);
    EXPECT_TRUE(window.fields()->box(QStringLiteral("PRO_NAME"))->hasFocus());
    EXPECT_TRUE(Enabled(window, "Save"));
    EXPECT_EQ(dialogs.messages().size(), 1);
}
