#pragma once

#include <QList>
#include <QRectF>
#include <QString>

#include <optional>

// Barcode symbols as the report engine prints them. Encoding is libzint's; the painter draws the
// symbol's bars as filled rectangles and its human-readable text in the element's own font.

enum class Symbology { Ean13, Code128 };

// The value an EAN-13 element encodes: the first 12 characters followed by their GS1 check digit
// (a 13th character that is there is replaced, characters after it are dropped). A value whose
// first 12 characters are not 12 digits comes back unchanged.
QString Ean13WithCheckDigit(const QString &value);

// The value as an element of the symbology prints it: EAN-13 with its check digit, Code 128 as it
// is.
QString EncodedBarcodeValue(Symbology symbology, const QString &value);

// Why value cannot be printed in the symbology, in Thai; the empty text when it can. EAN-13 needs
// 12 or 13 digits; Code 128 the printable ASCII characters (letters, digits, signs, blank).
QString BarcodeValueProblem(Symbology symbology, const QString &value);

// A symbol in the encoder's own units: x across the whole symbol with its quiet zones, y down from
// the top of the bars, the bars of the body barHeight high (guard bars of EAN-13 reach lower).
struct BarcodeSymbol
{
    struct Text
    {
        QString text;
        double x = 0;     // where the text is anchored
        double width = 0; // the room the encoder gives it
        int anchor = 0;   // 0 centre, 1 left edge, 2 right edge at x
    };

    QString value; // the encoded value, EAN-13 with its check digit
    double width = 0;
    double barHeight = 0;
    QList<QRectF> bars;
    QList<Text> texts; // the human-readable text, in pieces placed under the bars
};

// The symbol for value, or nothing with the reason in *error (in Thai).
std::optional<BarcodeSymbol> EncodeBarcode(Symbology symbology, const QString &value, QString *error);
