#include "stickers/sticker_job.h"

#include "common/dates.h"
#include "common/shared_state.h"

QString WithThirteenthDigit(const QString &code)
{
    if (code.size() < 12)
        return code;
    const QString corrected = Ean13WithCheckDigit(code);
    return corrected == code ? code : corrected + code.mid(13);
}

StickerProblem StickerLengthProblem(Symbology symbology, const QString &code)
{
    if (symbology == Symbology::Ean13) {
        if (code.size() == 13)
            return {};
        return {QStringLiteral("พิมพ์เฉพาะรหัส EAN 13 เท่านั้น ..."),
                QStringLiteral("EAN-13 stickers need a code of exactly 13 characters")};
    }
    if (code.size() >= 2 && code.size() <= 12 && code.size() % 2 == 0)
        return {};
    return {QStringLiteral("พิมพ์รหัสเฉพาะที่มีจำนวนหลักเป็นเลขคู่ เท่านั้น  เช่น 2, 4 , 6, 8, 10, หรือ 12 หลัก ..."),
            QStringLiteral("Code 128 stickers need a code of 2, 4, 6, 8, 10 or 12 characters")};
}

namespace {

StickerProblem EncodingProblem(Symbology symbology, const QString &code)
{
    const QString message = BarcodeValueProblem(symbology, code);
    if (message.isEmpty())
        return {};
    return {message, symbology == Symbology::Ean13
                         ? QStringLiteral("an EAN-13 code holds digits only")
                         : QStringLiteral("Code 128 prints English letters, digits and signs only")};
}

StickerProblem OffsetProblem(const QString &text)
{
    QString message;
    if (IsNumberText(text, &message))
        return {};
    return {message, QStringLiteral("the offset '%1' is not a number").arg(text)};
}

} // namespace

bool HandOverStickerJob(const StickerRequest &request, StickerProblem *problem)
{
    for (const StickerProblem &found :
         {StickerLengthProblem(request.symbology, request.code), EncodingProblem(request.symbology, request.code),
          OffsetProblem(request.topText), OffsetProblem(request.leftText)}) {
        if (!found.isEmpty()) {
            *problem = found;
            return false;
        }
    }

    SharedState &shared = Shared();
    shared.StickerTopMargin = request.topText.trimmed().toDouble();
    shared.StickerLeftMargin = request.leftText.trimmed().toDouble();
    shared.StickerPrintLines = request.printLines;
    shared.StickerPrintName = request.printName;
    shared.StickerAlignment = request.alignment;
    shared.StickerBarcode = request.code;
    shared.StickerProductName = request.name;
    const int positions = StickerGeometry(request.sheet, request.symbology).positions();
    for (int k = 1; k <= positions; ++k)
        shared.StickerSlots[k] = request.printedSlots[k];
    return true;
}

bool HandOverRegisterSheet(const QString &code, const QString &name, StickerProblem *problem)
{
    if (code.size() != 13) {
        *problem = {QStringLiteral("รหัส 13 หลัก ( EAN13 ) เท่านั้น"),
                    QStringLiteral("the register's sheet needs a code of exactly 13 characters")};
        return false;
    }
    *problem = EncodingProblem(Symbology::Ean13, code);
    if (!problem->isEmpty())
        return false;
    Shared().RegisterStickerCode = code;
    Shared().RegisterStickerName = name;
    return true;
}
