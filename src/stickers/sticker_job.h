#pragma once

#include "report/barcode.h"
#include "stickers/sticker_geometry.h"

#include <QString>

#include <array>

// One press of a print button of the sticker job: the boxes and choices as the user left them.
struct StickerRequest
{
    StickerSheet sheet = StickerSheet::A4;
    Symbology symbology = Symbology::Ean13;
    QString code; // the code box
    QString name; // the name box
    QString topText = QStringLiteral("2");
    QString leftText = QStringLiteral("6");
    int printLines = 0; // 0 no, 1 yes
    int printName = 0;  // 0 no, 1 yes
    int alignment = 1;  // 0 left, 1 centre, 2 right
    // The tick boxes of the sheet's page, 1-based (positions past the sheet's count are ignored).
    std::array<bool, 31> printedSlots{};
};

// The code as the EAN-13 preview holds it when the 13th digit is set automatically: a code of 12
// characters gains its check digit, a code of 13 or more has its 13th character replaced by it;
// shorter codes, or codes whose first 12 characters are not digits, stay as they are.
QString WithThirteenthDigit(const QString &code);

// Why a sticker sheet cannot be printed: the message the window shows, and an English gloss for
// the command line.
struct StickerProblem
{
    QString message;
    QString gloss;
    bool isEmpty() const { return message.isEmpty(); }
};

// The job's length rule: exactly 13 characters for EAN-13, an even count from 2 to 12 for
// Code 128.
StickerProblem StickerLengthProblem(Symbology symbology, const QString &code);

// Checks the request and hands it to the sheets through the shared state (StickerBarcode,
// StickerProductName, the offsets, the three choices and the sheet's slots; the A10 sheet's 24
// boxes leave slots 25-30 as they were). On a wrong length, a value the symbology cannot encode or
// an offset that is not a number it changes nothing and answers false with the problem.
bool HandOverStickerJob(const StickerRequest &request, StickerProblem *problem);

// The product register's sheet: its code box must hold 13 characters that EAN-13 can encode. Hands
// code and name over (RegisterStickerCode, RegisterStickerName) or answers false with the problem.
bool HandOverRegisterSheet(const QString &code, const QString &name, StickerProblem *problem);
