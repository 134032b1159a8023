// The stock document window on the offscreen platform, its dialogs answered by FakeDialogs.
#include "documents_fixture.h"

#include "common/dates.h"
#include "common/shared_state.h"
#include "db/passwords.h"
#include "db/sql_statement.h"
#include "documents/document_numbering.h"
#include "documents/stock_line_panel.h"
#include "documents/stock_messages.h"
#include "documents/stock_window.h"
#include "engine/transaction.h"
#include "report/report_preview.h"
#include "ui/fake_dialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

QList<ReportPreview *> OpenPreviews()
{
    QList<ReportPreview *> previews;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *preview = qobject_cast<ReportPreview *>(widget))
            previews.append(preview);
    }
    return previews;
}

template <typename T>
T *child(QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QString text(QWidget &window, const char *name)
{
    QLineEdit *edit = child<QLineEdit>(window, name);
    return edit ? edit->text() : QString();
}

void type(QWidget &window, const char *name, const QString &value, bool enter = false)
{
    QLineEdit *edit = child<QLineEdit>(window, name);
    ASSERT_NE(edit, nullptr);
    edit->setText(value);
    if (enter)
        QTest::keyClick(edit, Qt::Key_Return);
}

void click(QWidget &window, const char *name)
{
    if (auto *action = window.findChild<QAction *>(QString::fromLatin1(name))) {
        action->trigger();
        return;
    }
    auto *button = child<QAbstractButton>(window, name);
    ASSERT_NE(button, nullptr);
    button->click();
}

bool enabled(QWidget &window, const char *name)
{
    if (auto *action = window.findChild<QAction *>(QString::fromLatin1(name)))
        return action->isEnabled();
    QWidget *widget = child<QWidget>(window, name);
    return widget && widget->isEnabled();
}

bool visible(QWidget &window, const char *name)
{
    if (auto *action = window.findChild<QAction *>(QString::fromLatin1(name)))
        return action->isVisible();
    QWidget *widget = child<QWidget>(window, name);
    return widget && widget->isVisibleTo(&window);
}

bool hasLabel(QWidget &window, const char *caption)
{
    const QList<QLabel *> labels = window.findChildren<QLabel *>();
    return std::any_of(labels.cbegin(), labels.cend(), [&](QLabel *label) { return label->text() == QString::fromUtf8(caption); });
}

void pickEmployee(Tstock &window, int index = 0)
{
    auto *combo = child<QComboBox>(window, "Employee");
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

class StockWindowTest : public DocumentsFixture
{
protected:
    void SetUp() override
    {
        DocumentsFixture::SetUp();
        Shared().StockWindowOpen = false;
        addProduct(QStringLiteral("P001"), 5);
        addProduct(QStringLiteral("SRV"), 0, QStringLiteral("0"));
        insert(QStringLiteral("project"), {{"PROJ_NO", "PJ01"}, {"PROJ_NAME", QStringLiteral("ติดตั้งระบบ")}});
    }
    void TearDown() override
    {
        for (ReportPreview *preview : OpenPreviews())
            delete preview;
    }

    std::unique_ptr<Tstock> open(int mode, int level = 1)
    {
        Shared().DocumentMode = mode;
        Shared().CurrentUserLevel = level;
        auto window = std::make_unique<Tstock>();
        window->show();
        return window;
    }

    // Adds a goods-out document for C0001 through the window, answering the first-number question.
    void addDocument(Tstock &window)
    {
        click(window, "Add");
        type(window, "PartyCode", QStringLiteral("C0001"), true);
        pickEmployee(window);
        dialogs.answerInput(QStringLiteral("000001"));
        click(window, "Save");
        ASSERT_EQ(window.headerMode(), QStringLiteral("normal")) << dialogs.shown().join(QLatin1Char('|')).toStdString();
    }

    // Adds a line through the line panel: the product by code, the quantity.
    void addLine(Tstock &window, const QString &product, const QString &quantity)
    {
        click(window, "LineAdd");
        StockLinePanel *panel = window.linePanel();
        child<QRadioButton>(*panel, "ProductByCode")->click();
        type(*panel, "ProductBox", product, true);
        type(*panel, "Quantity", quantity);
        click(*panel, "LineSave");
    }

    FakeDialogs dialogs;
};

TEST_F(StockWindowTest, TheRoadOfOneGoodsOutDocument)
{
    auto window = open(1);
    EXPECT_TRUE(Shared().StockWindowOpen);
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" จำหน่ายสินค้า"));
    // An empty head: nothing shown, nothing to edit, no lines to enter.
    EXPECT_EQ(text(*window, "DocumentNumber"), QString());
    EXPECT_FALSE(enabled(*window, "Edit"));
    EXPECT_FALSE(enabled(*window, "LineAdd"));
    EXPECT_EQ(Shared().PrintDocNo, QString());

    click(*window, "Add");
    EXPECT_EQ(window->headerMode(), QStringLiteral("add"));
    EXPECT_FALSE(enabled(*window, "Add"));
    EXPECT_FALSE(enabled(*window, "Quit"));
    EXPECT_TRUE(enabled(*window, "Save"));
    EXPECT_FALSE(visible(*window, "LineAdd"));
    EXPECT_EQ(text(*window, "DocumentDate"), QString()) << "the date shows once a party is chosen";
    type(*window, "PartyCode", QStringLiteral("C0001"), true);
    EXPECT_EQ(text(*window, "PartyName"), QStringLiteral("ฝ่ายบัญชี"));
    EXPECT_EQ(text(*window, "DocumentDate"), DateToText(QDate::currentDate()));
    EXPECT_TRUE(text(*window, "DocumentNumber").startsWith(QStringLiteral("TEMP")));
    pickEmployee(*window);
    type(*window, "Reference", QStringLiteral("ใบขอเบิก 5"));
    dialogs.answerInput(QStringLiteral("000001"));
    click(*window, "Save");
    EXPECT_EQ(dialogs.shown(), QStringList{FirstNumberPrompt()});
    EXPECT_EQ(window->headerMode(), QStringLiteral("normal"));
    EXPECT_EQ(text(*window, "DocumentNumber"), QStringLiteral("ISSU1000001"));
    EXPECT_EQ(Shared().PrintDocNo, QStringLiteral("ISSU1000001"));
    EXPECT_EQ(scalar(QStringLiteral("select sale_no || ' ' || ref_order from invoice")).toString(),
              QStringLiteral("E0001 ใบขอเบิก 5"));
    EXPECT_EQ(scalar(QStringLiteral("select total from invoice")).toDouble(), 0.0);
    EXPECT_TRUE(enabled(*window, "LineAdd"));

    // A line: the product's balance shows; a shortage is refused and the panel stays open.
    click(*window, "LineAdd");
    StockLinePanel *panel = window->linePanel();
    EXPECT_EQ(window->lineMode(), QStringLiteral("add"));
    EXPECT_FALSE(enabled(*window, "Add"));
    child<QRadioButton>(*panel, "ProductByCode")->click();
    type(*panel, "ProductBox", QStringLiteral("p001"), true);
    EXPECT_EQ(panel->balanceText(), QStringLiteral("5"));
    EXPECT_EQ(panel->stockText(), QStringLiteral(" ปรับ Stock สินค้า"));
    EXPECT_EQ(text(*panel, "Quantity"), QStringLiteral("1"));
    type(*panel, "Quantity", QStringLiteral("6"));
    dialogs.clear();
    click(*panel, "LineSave");
    EXPECT_EQ(dialogs.messages(), QStringList{StockMessages::notEnoughStock()});
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(window->lineMode(), QStringLiteral("add"));
    type(*panel, "Quantity", QStringLiteral("4"));
    click(*panel, "LineSave");
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(window->lineMode(), QStringLiteral("normal"));
    EXPECT_TRUE(enabled(*window, "Add"));
    ASSERT_EQ(window->lines().size(), 1);
    EXPECT_EQ(window->lines().value(0, QStringLiteral("PRO_QTY")).toDouble(), 4.0);
    EXPECT_EQ(balance(QStringLiteral("P001")), 1.0);

    // Correcting it to 5 leaves 0 (1 + 4 - 5); 6 is refused.
    click(*window, "LineEdit");
    EXPECT_EQ(window->lineMode(), QStringLiteral("edit"));
    EXPECT_EQ(text(*panel, "Quantity"), QStringLiteral("4"));
    EXPECT_EQ(panel->balanceText(), QStringLiteral("1"));
    type(*panel, "Quantity", QStringLiteral("6"));
    dialogs.clear();
    click(*panel, "LineSave");
    EXPECT_EQ(dialogs.messages(), QStringList{StockMessages::notEnoughStock()});
    type(*panel, "Quantity", QStringLiteral("5"));
    click(*panel, "LineSave");
    EXPECT_EQ(balance(QStringLiteral("P001")), 0.0);
    EXPECT_EQ(window->lines().size(), 1);

    // Print: the default settings preview the long delivery note of the document shown.
    click(*window, "Print");
    ASSERT_EQ(OpenPreviews().size(), 1);
    EXPECT_TRUE(OpenPreviews().first()->windowTitle().contains(QStringLiteral("ISSU1000001")));
    EXPECT_EQ(Shared().PrintDocKind, 1);
    EXPECT_EQ(Shared().PrintDocVariant, 1);

    window->close();
    EXPECT_FALSE(Shared().StockWindowOpen);
}

TEST_F(StockWindowTest, SaveChecksInOrder)
{
    auto window = open(1);
    click(*window, "Add");
    click(*window, "Save");
    type(*window, "DocumentDate", QStringLiteral("15/11/2568"));
    click(*window, "Save");
    pickEmployee(*window);
    click(*window, "Save");
    type(*window, "PartyCode", QStringLiteral("C9999"), true);
    EXPECT_EQ(text(*window, "PartyCode"), QString());
    click(*window, "Save");
    EXPECT_EQ(dialogs.messages(), (QStringList{StockMessages::wrongDate(), StockMessages::wrongEmployee(), StockMessages::partyMissing(),
                                               StockMessages::partyNotFound(), StockMessages::partyMissing()}));
    EXPECT_EQ(window->headerMode(), QStringLiteral("add"));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from invoice")).toInt(), 0);

    // Cancelling drops the entry and shows the last document again (none here).
    click(*window, "Cancel");
    EXPECT_EQ(window->headerMode(), QStringLiteral("normal"));
    EXPECT_EQ(text(*window, "PartyCode"), QString());
}

TEST_F(StockWindowTest, FirstNumberAnswers)
{
    const struct
    {
        const char *name;
        QString answer;
        bool ok;
        QStringList messages;
        const char *number; // nullptr: nothing saved
    } cases[] = {
        {"five digits", QStringLiteral("00001"), true, {NotSixDigitsMessage(), CannotSaveMessage()}, nullptr},
        {"a letter", QStringLiteral("00A001"), true, {NotANumberMessage(), CannotNumberMessage(), CannotSaveMessage()}, nullptr},
        {"closed without OK gives the default", QStringLiteral("999999"), false, {}, "ISSU1000001"},
        {"the next one asks nothing", QString(), true, {}, "ISSU1000002"},
    };
    auto window = open(1);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.clear();
        if (window->headerMode() == u"normal") {
            click(*window, "Add");
            type(*window, "PartyCode", QStringLiteral("C0001"), true);
            pickEmployee(*window);
        }
        if (!c.answer.isEmpty())
            dialogs.answerInput(c.answer, c.ok);
        click(*window, "Save");
        EXPECT_EQ(dialogs.messages(), c.messages);
        EXPECT_EQ(window->headerMode(), c.number ? QStringLiteral("normal") : QStringLiteral("add"));
        EXPECT_EQ(text(*window, "DocumentNumber").startsWith(QStringLiteral("TEMP")), c.number == nullptr);
        if (c.number) {
            EXPECT_EQ(text(*window, "DocumentNumber"), QString::fromLatin1(c.number));
        }
    }
}

TEST_F(StockWindowTest, EditingAndDeletingDocuments)
{
    auto window = open(1);
    addDocument(*window);
    addLine(*window, QStringLiteral("SRV"), QStringLiteral("3"));
    ASSERT_EQ(window->lines().size(), 1);
    EXPECT_EQ(scalar(QStringLiteral("select tax_rate from invoice1")).toDouble(), 7.0);

    // An edit keeps the number, writes the typed values and keeps its lines.
    click(*window, "Edit");
    EXPECT_EQ(window->headerMode(), QStringLiteral("edit"));
    type(*window, "Reference", QStringLiteral("แก้ไขแล้ว"));
    click(*window, "Save");
    EXPECT_EQ(scalar(QStringLiteral("select ref_order from invoice where inv_no = 'ISSU1000001'")).toString(), QStringLiteral("แก้ไขแล้ว"));
    EXPECT_EQ(window->lines().size(), 1);

    // A document with lines is not deleted; the second question is not asked.
    dialogs.clear();
    dialogs.answerYesNo(true);
    click(*window, "Delete");
    EXPECT_EQ(dialogs.shown(), (QStringList{StockMessages::confirmDeleteDocument(), StockMessages::documentHasLines()}));

    dialogs.clear();
    dialogs.answerYesNo(true);
    click(*window, "LineDelete");
    EXPECT_EQ(dialogs.shown(), QStringList{StockMessages::confirmDeleteLine()});
    EXPECT_TRUE(window->lines().isEmpty());
    dialogs.answerYesNo(true);
    dialogs.answerYesNo(false);
    click(*window, "Delete");
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from invoice")).toInt(), 1) << "the second question said No";
    dialogs.answerYesNo(true);
    dialogs.answerYesNo(true);
    click(*window, "Delete");
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from invoice")).toInt(), 0);
    EXPECT_EQ(window->shownNumber(), QString());
}

TEST_F(StockWindowTest, ALevelFourUserBorrowsALevelTwoAuthority)
{
    insert(QStringLiteral("market"), {{"USRNAME", "manager"}, {"PASSWD", HashPassword(QStringLiteral("2222"))}, {"AC1", 2}});
    {
        auto window = open(1);
        addDocument(*window);
        addLine(*window, QStringLiteral("P001"), QStringLiteral("1"));
    }
    dialogs.clear();
    auto window = open(1, 4);
    EXPECT_FALSE(visible(*window, "Edit"));
    EXPECT_FALSE(visible(*window, "Delete"));
    EXPECT_FALSE(window->editAuthority());
    QWidget *panel = child<QWidget>(*window, "EditAuthorityPanel");

    click(*window, "LineDelete");
    EXPECT_FALSE(panel->isHidden());
    EXPECT_TRUE(dialogs.shown().isEmpty()) << "nothing is asked without authority";
    type(*window, "AuthorityUser", QStringLiteral("manager"));
    type(*window, "AuthorityPassword", QStringLiteral("2223"));
    click(*window, "AuthorityGrant");
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("ข้อมูลไม่ถูกต้อง...")});
    type(*window, "AuthorityPassword", QStringLiteral(" 2222 "));
    click(*window, "AuthorityGrant");
    EXPECT_TRUE(window->editAuthority());
    EXPECT_FALSE(visible(*window, "AuthorityUser"));
    EXPECT_TRUE(visible(*window, "AuthorityEnd"));

    dialogs.clear();
    dialogs.answerYesNo(true);
    click(*window, "LineDelete");
    EXPECT_EQ(dialogs.shown(), QStringList{StockMessages::confirmDeleteLine()});
    EXPECT_TRUE(window->lines().isEmpty());

    click(*window, "AuthorityEnd");
    EXPECT_FALSE(window->editAuthority());
    EXPECT_TRUE(panel->isHidden());
}

TEST_F(StockWindowTest, EachKindHasItsCaptionsAndItsHead)
{
    insert(QStringLiteral("order0"), {{"INV_NO", "RECV3000004"}, {"CUST_NO", "S0001"}});
    insert(QStringLiteral("order0"), {{"INV_NO", "OLDP3000009"}, {"CUST_NO", "S0001"}});
    insert(QStringLiteral("invoice"), {{"INV_NO", "RECV1000001"}});
    const struct
    {
        int mode;
        const char *title;
        const char *print;
        const char *partyCaption;
        const char *quantityCaption;
        const char *shown;
    } cases[] = {
        {1, " จำหน่ายสินค้า", "ใบจำหน่าย", "รหัสผู้เบิก", "จำนวนจำหน่าย", ""},
        {3, " นำเข้า", "ใบนำเข้า", "รหัสผู้นำเข้า", "จำนวนนำเข้า", "RECV3000004"},
        {5, "ใบสั่งสินค้า", "ใบสั่งสินค้า", "รหัสผู้นำเข้า", "จำนวนนำเข้า", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.mode);
        auto window = open(c.mode);
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(window->findChild<QAction *>(QStringLiteral("Print"))->text(), QString::fromUtf8(c.print));
        EXPECT_TRUE(hasLabel(*window, c.partyCaption));
        EXPECT_EQ(window->shownNumber(), QString::fromLatin1(c.shown));
        if (window->shownNumber().isEmpty())
            continue;
        EXPECT_EQ(text(*window, "PartyName"), QStringLiteral("ร้านรุ่งเรืองวัสดุ"));
        click(*window, "LineAdd");
        EXPECT_TRUE(hasLabel(*window, c.quantityCaption));
        click(*window->linePanel(), "LineClose");
        EXPECT_EQ(window->lineMode(), QStringLiteral("normal"));
    }
}

TEST_F(StockWindowTest, ThePrintButtonFollowsTheSettingsReadAtTheStart)
{
    QTemporaryDir pdfs;
    QStringList printed;
    PreviewOutput output;
    output.hasPrinter = [] { return true; };
    output.print = [&](const ReportDocument &document, QString *) {
        printed.append(document.title);
        return true;
    };
    output.askPdfFileName = [&](QWidget *, const QString &) { return pdfs.filePath(QStringLiteral("out.pdf")); };
    insert(QStringLiteral("invoice"), {{"INV_NO", "ISSU1000001"}, {"CUST_NO", "C0001"}});
    insert(QStringLiteral("order0"), {{"INV_NO", "RECV3000001"}, {"CUST_NO", "S0001"}});
    insert(QStringLiteral("Tmpord"), {{"INV_NO", "TORD5000001"}, {"CUST_NO", "S0001"}});
    const struct
    {
        int mode;
        const char *line5;
        const char *view1;
        int previews;
        int printouts;
    } cases[] = {
        {1, "5", "0", 1, 0},
        {3, "1", "1", 0, 1},
        {5, "1", "1", 1, 0}, // purchase orders are always previewed
        {1, "7", "0", 0, 0}, // a LINE5 that names no layout
        {3, "1", "2", 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " LINE5 " << c.line5 << " VIEW1 " << c.view1);
        setSetting(QStringLiteral("LINE5"), QString::fromLatin1(c.line5));
        setSetting(QStringLiteral("VIEW1"), QString::fromLatin1(c.view1));
        printed.clear();
        auto window = open(c.mode);
        window->setPrintOutput(output);
        // Settings changed now reach only windows opened later.
        setSetting(QStringLiteral("VIEW1"), QStringLiteral("9"));
        click(*window, "Print");
        EXPECT_EQ(OpenPreviews().size(), c.previews);
        EXPECT_EQ(printed.size(), c.printouts);
        EXPECT_EQ(Shared().PrintDocNo, window->shownNumber());
        for (ReportPreview *preview : OpenPreviews()) {
            EXPECT_TRUE(preview->windowTitle().contains(window->shownNumber()));
            delete preview;
        }
        EXPECT_EQ(dialogs.shown(), QStringList());
    }
}

TEST_F(StockWindowTest, TheLinePanelFindsProductsPicturesAndProjects)
{
    ASSERT_TRUE(QFile::copy(folder.folder() + QStringLiteral("picture/temp.jpg"), folder.folder() + QStringLiteral("picture/P001.jpg")));
    auto window = open(1);
    addDocument(*window);
    click(*window, "LineAdd");
    StockLinePanel *panel = window->linePanel();
    dialogs.clear();

    // By name (the default) the first name that begins with the text.
    type(*panel, "ProductBox", QStringLiteral("สินค้า S"), true);
    EXPECT_EQ(text(*panel, "ProductBox"), QStringLiteral("สินค้า SRV"));
    EXPECT_EQ(panel->stockText(), QStringLiteral(" ไม่ปรับ Stock สินค้า"));
    EXPECT_EQ(panel->balanceText(), QStringLiteral("0"));
    EXPECT_EQ(panel->pictureCaption(), StockMessages::pictureMissing());
    EXPECT_EQ(text(*panel, "Unit"), QStringLiteral("ชิ้น"));

    // By code, letter case ignored; a code that finds nothing takes the list's current row.
    child<QRadioButton>(*panel, "ProductByCode")->click();
    type(*panel, "ProductBox", QStringLiteral("p001"), true);
    EXPECT_EQ(text(*panel, "ProductBox"), QStringLiteral("P001"));
    EXPECT_EQ(panel->pictureCaption(), QStringLiteral("P001.jpg"));
    type(*panel, "ProductBox", QStringLiteral("NOPE"), true);
    EXPECT_EQ(text(*panel, "ProductBox"), QStringLiteral("P001"));
    EXPECT_TRUE(dialogs.shown().isEmpty());

    // The project comes from its search only.
    click(*panel, "ProjectSearch");
    EXPECT_FALSE(visible(*panel, "LineSave"));
    type(*panel, "SearchText", QStringLiteral("pj01"), true);
    click(*panel, "SearchClose");
    EXPECT_TRUE(visible(*panel, "LineSave"));
    EXPECT_EQ(text(*panel, "ProjectCode"), QStringLiteral("PJ01"));
    EXPECT_EQ(text(*panel, "ProjectName"), QStringLiteral("ติดตั้งระบบ"));

    type(*panel, "Quantity", QStringLiteral("2 ชิ้น"));
    click(*panel, "LineSave");
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("ตัวเลข...ไม่ถูกต้อง ")});
    type(*panel, "Detail1", QStringLiteral("SN 77"));
    type(*panel, "Quantity", QStringLiteral("2"));
    click(*panel, "LineSave");
    ASSERT_EQ(window->lines().size(), 1);
    EXPECT_EQ(window->lines().text(0, QStringLiteral("FOR_PROJ")), QStringLiteral("PJ01"));
    EXPECT_EQ(window->lines().text(0, QStringLiteral("ATTRIB")), QStringLiteral("SN 77"));

    // An empty product box is no product.
    dialogs.clear();
    click(*window, "LineAdd");
    click(*panel, "LineSave");
    type(*panel, "ProductBox", QString(), true);
    EXPECT_EQ(dialogs.messages(), (QStringList{StockMessages::noProductChosen(), StockMessages::productNotFound()}));
    click(*panel, "LineClose");
    EXPECT_EQ(window->lines().size(), 1);
}

TEST_F(StockWindowTest, BrowsingTheDocuments)
{
    for (const char *number : {"ISSU1000001", "ISSU1000002", "ISSU1000003"})
        insert(QStringLiteral("invoice"), {{"INV_NO", number}, {"CUST_NO", "C0001"}, {"INV_DATE", "01/11/2568"},
                                           {"SALE_NAME", QStringLiteral("สมชาย ใจดี")}});
    for (int i = 0; i < 2; ++i)
        insert(QStringLiteral("invoice1"), {{"INV_NO", "ISSU1000002"}, {"PRO_NO", "P001"}, {"PRO_QTY", 1.0}, {"STK_POST", 1.0}});
    insert(QStringLiteral("customer"), {{"CUST_NO", "C0002"}});
    auto window = open(1);
    EXPECT_EQ(window->shownNumber(), QStringLiteral("ISSU1000003"));
    EXPECT_EQ(text(*window, "PartyName"), QStringLiteral("ฝ่ายบัญชี"));
    EXPECT_FALSE(enabled(*window, "Next"));
    click(*window, "First");
    EXPECT_EQ(window->shownNumber(), QStringLiteral("ISSU1000001"));
    EXPECT_EQ(Shared().PrintDocNo, QStringLiteral("ISSU1000001"));
    click(*window, "Next");
    EXPECT_EQ(window->lines().size(), 2);

    // Enter in the grid steps right through the first six columns and round again.
    auto *grid = child<QTableView>(*window, "LinesGrid");
    grid->setCurrentIndex(grid->model()->index(0, 4));
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(grid->currentIndex().column(), 5);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(grid->currentIndex().column(), 0);

    // The document list page moves the document shown.
    click(*window, "Search");
    EXPECT_FALSE(visible(*window, "HeaderPanel"));
    EXPECT_TRUE(visible(*window, "DocumentList"));
    auto *list = child<QTableView>(*window, "DocumentList");
    emit list->clicked(list->model()->index(2, 0));
    EXPECT_EQ(window->shownNumber(), QStringLiteral("ISSU1000003"));
    click(*window, "DocumentListBack");
    EXPECT_TRUE(visible(*window, "HeaderPanel"));

    // A party that left the register leaves its boxes empty; the edit then needs a party.
    SqlStatement(db(), {QStringLiteral("delete from customer where cust_no = 'C0001'")}).exec(nullptr);
    click(*window, "Refresh");
    EXPECT_EQ(text(*window, "PartyName"), QString());
    click(*window, "Edit");
    EXPECT_FALSE(enabled(*window, "First"));
    EXPECT_FALSE(enabled(*window, "Search"));
    click(*window, "Save");
    EXPECT_EQ(dialogs.messages(), QStringList{StockMessages::partyMissing()});
    type(*window, "PartyCode", QStringLiteral("C0002"), true);
    click(*window, "Save");
    EXPECT_EQ(window->headerMode(), QStringLiteral("normal"));
    EXPECT_EQ(scalar(QStringLiteral("select cust_no from invoice where inv_no = 'ISSU1000003'")).toString(), QStringLiteral("C0002"));
}

// Another copy holding the write lock is waited for (the busy timeout); a lock that outlasts
// the wait is reported and nothing typed is lost.
TEST_F(StockWindowTest, ALockOfAnotherCopyIsWaitedForThenReported)
{
    auto window = open(1);
    addDocument(*window);
    addLine(*window, QStringLiteral("P001"), QStringLiteral("1"));
    click(*window, "Add");
    type(*window, "PartyCode", QStringLiteral("C0001"), true);
    pickEmployee(*window);
    type(*window, "Reference", QStringLiteral("รอ"));

    // A copy that lets go after a moment.
    std::atomic<bool> locked = false;
    std::thread other([&] {
        QString error;
        std::unique_ptr<Connection> connection = OpenDataConnection(&error);
        Transaction transaction(connection->database());
        locked = transaction.begin(Transaction::Mode::Immediate, &error);
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        transaction.commit(&error);
    });
    while (!locked)
        std::this_thread::yield();
    dialogs.clear();
    click(*window, "Save");
    other.join();
    EXPECT_EQ(dialogs.shown(), QStringList());
    EXPECT_EQ(window->shownNumber(), QStringLiteral("ISSU1000002"));

    // A copy that keeps it.
    Transaction held(db());
    QString error;
    ASSERT_TRUE(held.begin(Transaction::Mode::Immediate, &error)) << error.toStdString();
    click(*window, "Add");
    type(*window, "PartyCode", QStringLiteral("C0001"), true);
    pickEmployee(*window);
    type(*window, "Reference", QStringLiteral("รอนาน"));
    click(*window, "Save");
    EXPECT_EQ(dialogs.messages(), QStringList{StockMessages::locked()});
    EXPECT_EQ(window->headerMode(), QStringLiteral("add"));
    EXPECT_EQ(text(*window, "Reference"), QStringLiteral("รอนาน"));
    EXPECT_EQ(text(*window, "PartyName"), QStringLiteral("ฝ่ายบัญชี"));
    held.rollback();
    click(*window, "Save");
    EXPECT_EQ(window->shownNumber(), QStringLiteral("ISSU1000003"));

    // Deleting a line while the lock is held rolls back and says so.
    click(*window, "First");
    ASSERT_EQ(window->lines().size(), 1);
    ASSERT_TRUE(held.begin(Transaction::Mode::Immediate, &error)) << error.toStdString();
    dialogs.clear();
    dialogs.answerYesNo(true);
    click(*window, "LineDelete");
    EXPECT_EQ(dialogs.messages(), QStringList{StockMessages::locked()});
    held.rollback();
    EXPECT_EQ(window->lines().size(), 1);
}

} // namespace
