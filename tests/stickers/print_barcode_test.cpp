#include "stickers/print_barcode.h"

#include "../common/qt_printers.h"
#include "common/shared_state.h"
#include "db/data_connection.h"
#include "db/row_insert.h"
#include "report/report_preview.h"
#include "stickers/barcode_preview.h"
#include "stickers/sticker_positions_page.h"
#include "temp_data_folder.h"
#include "ui/fake_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {

class PrintBarcodeWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
        folder.use();
        QString error;
        {
            const std::unique_ptr<Connection> connection = OpenDataConnection(&error);
            ASSERT_TRUE(connection) << error.toStdString();
            // Names that sort first, so the product list's first rows are these.
            for (const auto &[code, name] : {std::pair{"8850999320019", "ก1 wrong check digit"},
                                             std::pair{"885099932002", "ก2 twelve digits"},
                                             std::pair{"AB-1", "ก3 same name"}, std::pair{"AB-2", "ก3 same name"}}) {
                ASSERT_TRUE(InsertFullRow(connection->database(), "product",
                                          {{"PRO_NO", code}, {"PRO_NAME", QString::fromUtf8(name)}}, &error))
                    << error.toStdString();
            }
        }
        window = std::make_unique<Tprint_barcode>();
        window->show();
        QApplication::setActiveWindow(window.get());
    }

    void TearDown() override
    {
        while (ReportPreview *preview = openPreview())
            delete preview;
    }

    int rowOf(const QString &code) const
    {
        for (int row = 0; row < window->productList()->rowCount(); ++row) {
            if (window->productList()->item(row, 0)->text() == code)
                return row;
        }
        return -1;
    }
    void click(int row) { emit window->productList()->cellClicked(row, 0); }
    void choose(QButtonGroup *group, int id) { group->button(id)->click(); }

    // The preview window the last print button opened, or nullptr.
    static ReportPreview *openPreview()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *preview = qobject_cast<ReportPreview *>(widget))
                return preview;
        }
        return nullptr;
    }

    FakeDialogs dialogs;
    TempDataFolder folder{true};
    std::unique_ptr<Tprint_barcode> window;
};

TEST_F(PrintBarcodeWindow, FirstActivation)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" สร้างรหัสบาร์โค๊ดเอง"));
    EXPECT_EQ(window->pages()->currentIndex(), 0);
    for (StickerSheet sheet : {StickerSheet::A4, StickerSheet::A9, StickerSheet::A10}) {
        StickerPositionsPage *page = window->sheetPage(sheet);
        for (int k = 1; k <= page->positions(); ++k)
            EXPECT_TRUE(page->box(k)->isChecked()) << k;
    }
    EXPECT_EQ(window->sheetPage(StickerSheet::A10)->positions(), 24);
    // Searching by name is the default: the first product by name is chosen.
    EXPECT_EQ(window->codeBox()->text(), QStringLiteral("8850999320019"));
    EXPECT_EQ(window->nameBox()->text(), QStringLiteral("ก1 wrong check digit"));
    EXPECT_EQ(Shared().StickerBarcode, QStringLiteral("8850999320019"));
    EXPECT_EQ(window->eanPreview()->value(), QStringLiteral("8850999320014"));
    EXPECT_EQ(QApplication::focusWidget(), window->searchBox());
    EXPECT_EQ(window->topBox()->text(), QStringLiteral("2"));
    EXPECT_EQ(window->leftBox()->text(), QStringLiteral("6"));
    EXPECT_EQ(window->alignmentChoice()->checkedId(), 1);
}

TEST_F(PrintBarcodeWindow, ThirteenthDigitAndLengthChecks)
{
    const struct
    {
        const char *name;
        const char *code;
        int checkDigit;
        const char *shown;
        bool eanAccepted;
    } cases[] = {
        {"WrongDigitKept", "8850999320019", 0, "8850999320019", true},
        {"WrongDigitCorrected", "8850999320019", 1, "8850999320014", true},
        {"TwelveDigitsRefused", "885099932002", 0, "885099932002", false},
        {"TwelveDigitsCompleted", "885099932002", 1, "8850999320021", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.clear();
        choose(window->checkDigitChoice(), c.checkDigit);
        click(rowOf(c.code));
        EXPECT_EQ(window->codeBox()->text(), QString::fromLatin1(c.shown));
        window->sheetPage(StickerSheet::A4)->button(Symbology::Ean13)->click();
        EXPECT_EQ(dialogs.shown(), c.eanAccepted ? QStringList() : QStringList{QStringLiteral("พิมพ์เฉพาะรหัส EAN 13 เท่านั้น ...")});
        EXPECT_EQ(openPreview() != nullptr, c.eanAccepted);
        TearDown();
    }
    // Code 128 takes an even length of 2 to 12; a 13-digit code is refused.
    dialogs.clear();
    window->sheetPage(StickerSheet::A9)->button(Symbology::Code128)->click();
    EXPECT_EQ(dialogs.shown(), QStringList{QStringLiteral("พิมพ์รหัสเฉพาะที่มีจำนวนหลักเป็นเลขคู่ เท่านั้น  เช่น 2, 4 , 6, 8, 10, หรือ 12 หลัก ...")});
    EXPECT_FALSE(openPreview());
}

TEST_F(PrintBarcodeWindow, UntickedPositionsAreLeftOutOfTheSheet)
{
    Shared().StickerSlots.fill(false);
    StickerPositionsPage *a10 = window->sheetPage(StickerSheet::A10);
    a10->box(1)->setChecked(false);
    a10->box(2)->setChecked(false);
    a10->button(Symbology::Ean13)->click();
    ReportPreview *preview = openPreview();
    ASSERT_TRUE(preview);
    EXPECT_EQ(dialogs.shown(), QStringList());
    for (int k = 1; k <= 30; ++k)
        EXPECT_EQ(Shared().StickerSlots[k], k > 2 && k <= 24) << k; // 25-30 keep their values
    EXPECT_DOUBLE_EQ(Shared().StickerTopMargin, 2);
    EXPECT_DOUBLE_EQ(Shared().StickerLeftMargin, 6);
    // The boxes are not reset between jobs.
    EXPECT_FALSE(a10->box(1)->isChecked());
}

TEST_F(PrintBarcodeWindow, OffsetThatIsNotANumberOpensNoPreview)
{
    window->topBox()->setText(QStringLiteral("x"));
    choose(window->checkDigitChoice(), 1);
    click(rowOf("8850999320019"));
    window->sheetPage(StickerSheet::A9)->button(Symbology::Ean13)->click();
    EXPECT_EQ(dialogs.shown(), QStringList{QStringLiteral("ตัวเลข...ไม่ถูกต้อง ")});
    EXPECT_FALSE(openPreview());
}

TEST_F(PrintBarcodeWindow, SearchAndClick)
{
    // By name: a text that begins no name leaves the product as it was.
    window->searchBox()->setText(QStringLiteral("zzz"));
    QTest::keyClick(window->searchBox(), Qt::Key_Return);
    EXPECT_EQ(window->codeBox()->text(), QStringLiteral("8850999320019"));
    // Names compare with their case when searching.
    window->searchBox()->setText(QStringLiteral("ก2 twelve"));
    QTest::keyClick(window->searchBox(), Qt::Key_Return);
    EXPECT_EQ(window->codeBox()->text(), QStringLiteral("885099932002"));
    // Clicking the second of two products of the same name chooses the first.
    click(rowOf("AB-2"));
    EXPECT_EQ(window->searchBox()->text(), QStringLiteral("ก3 same name"));
    EXPECT_EQ(window->codeBox()->text(), QStringLiteral("AB-1"));

    // By code: the list is read again in code order and its first product chosen.
    choose(window->searchByChoice(), 0);
    QTableWidget *list = window->productList();
    for (int row = 1; row < list->rowCount(); ++row)
        EXPECT_LT(list->item(row - 1, 0)->text(), list->item(row, 0)->text());
    EXPECT_EQ(window->codeBox()->text(), list->item(0, 0)->text());
    window->searchBox()->setText(QStringLiteral("AB-"));
    QTest::keyClick(window->searchBox(), Qt::Key_Return);
    EXPECT_EQ(window->codeBox()->text(), QStringLiteral("AB-1"));
}

} // namespace
