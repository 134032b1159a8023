#include "stickers/sticker_job.h"

#include "../common/qt_printers.h"
#include "common/shared_state.h"

#include <gtest/gtest.h>

namespace {

TEST(StickerJob, ThirteenthDigit)
{
    const struct
    {
        const char *code;
        const char *shown;
    } cases[] = {
        {"885099932001", "8850999320014"},     // 12 characters gain the check digit
        {"8850999320019", "8850999320014"},    // a wrong 13th is replaced
        {"8850999320014", "8850999320014"},    // a right one stays
        {"88509993200197", "88509993200147"},  // the 13th of a longer code is replaced, the rest kept
        {"88509993200", "88509993200"},        // fewer than 12 stay
        {"GLV-L", "GLV-L"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(WithThirteenthDigit(c.code), QString::fromLatin1(c.shown)) << c.code;
}

TEST(StickerJob, LengthRules)
{
    const struct
    {
        Symbology symbology;
        const char *code;
        bool accepted;
    } cases[] = {
        {Symbology::Ean13, "8850999320014", true},  {Symbology::Ean13, "885099932001", false},
        {Symbology::Ean13, "88509993200147", false}, {Symbology::Code128, "88509993200147", false},
        {Symbology::Code128, "AB", true},           {Symbology::Code128, "ABC", false},
        {Symbology::Code128, "885099932001", true}, {Symbology::Code128, "", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(StickerLengthProblem(c.symbology, c.code).isEmpty(), c.accepted) << c.code;
    EXPECT_EQ(StickerLengthProblem(Symbology::Ean13, "1").message,
              QStringLiteral("พิมพ์เฉพาะรหัส EAN 13 เท่านั้น ..."));
    EXPECT_EQ(StickerLengthProblem(Symbology::Code128, "1").message,
              QStringLiteral("พิมพ์รหัสเฉพาะที่มีจำนวนหลักเป็นเลขคู่ เท่านั้น  เช่น 2, 4 , 6, 8, 10, หรือ 12 หลัก ..."));
}

StickerRequest Request(StickerSheet sheet, Symbology symbology, const QString &code)
{
    StickerRequest request;
    request.sheet = sheet;
    request.symbology = symbology;
    request.code = code;
    request.name = QStringLiteral("น้ำดื่ม");
    request.printedSlots.fill(true);
    return request;
}

TEST(StickerJob, HandOverFillsTheJobOrChangesNothing)
{
    SharedState &shared = Shared();
    shared.StickerBarcode = QStringLiteral("before");
    shared.StickerSlots.fill(true);

    const struct
    {
        const char *name;
        StickerRequest request;
        const char *message;
    } refused[] = {
        {"WrongLength", Request(StickerSheet::A4, Symbology::Ean13, "885099932001"), "พิมพ์เฉพาะรหัส EAN 13 เท่านั้น ..."},
        {"LettersInEan13", Request(StickerSheet::A4, Symbology::Ean13, "88509993200AB"), "รหัส EAN 13 ต้องเป็นตัวเลข 13 หลักเท่านั้น"},
        {"ThaiInCode128", Request(StickerSheet::A9, Symbology::Code128, "ก1"), "รหัส Code 128 ใช้ได้เฉพาะตัวอักษรภาษาอังกฤษ ตัวเลข และเครื่องหมายเท่านั้น"},
        {"OffsetNotANumber", [] {
             StickerRequest r = Request(StickerSheet::A9, Symbology::Ean13, "8850999320014");
             r.topText = QStringLiteral("x");
             return r;
         }(), "ตัวเลข...ไม่ถูกต้อง "},
    };
    for (const auto &c : refused) {
        SCOPED_TRACE(c.name);
        StickerProblem problem;
        EXPECT_FALSE(HandOverStickerJob(c.request, &problem));
        EXPECT_EQ(problem.message, QString::fromUtf8(c.message));
        EXPECT_FALSE(problem.gloss.isEmpty());
        EXPECT_EQ(shared.StickerBarcode, QStringLiteral("before"));
    }

    // An A10 job fills slots 1-24 and leaves 25-30 as they were.
    StickerRequest a10 = Request(StickerSheet::A10, Symbology::Ean13, "8850999320014");
    a10.printedSlots.fill(false);
    a10.printedSlots[3] = true;
    a10.topText = QStringLiteral("2");
    a10.leftText = QStringLiteral("6");
    a10.printName = 1;
    a10.alignment = 2;
    StickerProblem problem;
    ASSERT_TRUE(HandOverStickerJob(a10, &problem)) << problem.message.toStdString();
    EXPECT_EQ(shared.StickerBarcode, QStringLiteral("8850999320014"));
    EXPECT_EQ(shared.StickerProductName, QStringLiteral("น้ำดื่ม"));
    EXPECT_DOUBLE_EQ(shared.StickerTopMargin, 2);
    EXPECT_DOUBLE_EQ(shared.StickerLeftMargin, 6);
    EXPECT_EQ(shared.StickerPrintName, 1);
    EXPECT_EQ(shared.StickerAlignment, 2);
    for (int k = 1; k <= 30; ++k)
        EXPECT_EQ(shared.StickerSlots[k], k == 3 || k > 24) << k;
}

TEST(StickerJob, RegisterSheetNeedsThirteenCharacters)
{
    StickerProblem problem;
    EXPECT_FALSE(HandOverRegisterSheet("885099932001", "x", &problem));
    EXPECT_EQ(problem.message, QStringLiteral("รหัส 13 หลัก ( EAN13 ) เท่านั้น"));
    EXPECT_TRUE(HandOverRegisterSheet("8850999320014", "น้ำดื่ม", &problem));
    EXPECT_EQ(Shared().RegisterStickerCode, QStringLiteral("8850999320014"));
    EXPECT_EQ(Shared().RegisterStickerName, QStringLiteral("น้ำดื่ม"));
}

} // namespace
