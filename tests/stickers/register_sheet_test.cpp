// The product register's EAN-13 button opens the register's own sticker sheet.
#include "stickers/sticker_sheet.h"

#include "../common/qt_printers.h"
#include "common/shared_state.h"
#include "db/data_connection.h"
#include "db/row_insert.h"
#include "registers/product_register.h"
#include "registers/register_sticker_sheet.h"
#include "report/report_preview.h"
#include "temp_data_folder.h"
#include "ui/fake_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>

namespace {

TEST(RegisterStickerSheet, TheEanButtonPreviewsThirtyStickersOfTheProductOnDisplay)
{
    TempDataFolder folder;
    ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
    folder.use();
    FakeDialogs dialogs;
    {
        QString error;
        const std::unique_ptr<Connection> connection = OpenDataConnection(&error);
        ASSERT_TRUE(connection) << error.toStdString();
        ASSERT_TRUE(InsertFullRow(connection->database(), "product",
                                  {{"PRO_NO", "8850999320019"}, {"PRO_NAME", "น้ำดื่ม ขวด 600 มล."}}, &error));
        ASSERT_TRUE(InsertFullRow(connection->database(), "product",
                                  {{"PRO_NO", "ABCDEFGHIJKLM"}, {"PRO_NAME", "letters"}}, &error));
    }
    SetRegisterStickerSheetOpener(OpenRegisterStickerSheet);
    TRef_Part_Sql window; // shows the first product in code order

    window.BarcodeClick();
    QPointer<ReportPreview> preview;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *p = qobject_cast<ReportPreview *>(widget))
            preview = p;
    }
    ASSERT_TRUE(preview);
    EXPECT_EQ(dialogs.shown(), QStringList());
    const Page &page = preview->document().pages.at(0);
    EXPECT_EQ(page.find("heading")->text, QStringLiteral("น้ำดื่ม ขวด 600 มล."));
    int barcodes = 0;
    for (const PageItem &item : page.items) {
        if (item.kind == ElementKind::Barcode) {
            ++barcodes;
            EXPECT_EQ(item.text, QStringLiteral("8850999320014")); // with its right check digit
        }
    }
    EXPECT_EQ(barcodes, 30);
    delete preview;

    // A 13-character code that holds letters passes the register's length test but no EAN-13
    // symbol can carry it.
    Shared().RegisterStickerCode = QStringLiteral("ABCDEFGHIJKLM");
    EXPECT_EQ(OpenRegisterStickerSheet(), nullptr);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("รหัส EAN 13 ต้องเป็นตัวเลข 13 หลักเท่านั้น")});
    SetRegisterStickerSheetOpener({});
}

} // namespace
